// Host start-up for tests: the host's classes and session, once per program.
#include "tests/support/TestHost.h"

#include <gtest/gtest.h>

#include "host/app/Host.h"
#include "tests/support/TestObjects.h"

namespace testing_support {

void EnsureHost() {
  EXPECT_EQ(Host::Initialize(), kSuccess) << "the host's registrations clash";
  RegisterTestClasses();
}

}  // namespace testing_support
