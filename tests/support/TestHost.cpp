// Host start-up for tests: the host's classes and session, once per program.
#include "tests/support/TestHost.h"

#include "host/app/Host.h"
#include "tests/support/TestObjects.h"

namespace testing_support {

void EnsureHost() {
  Host::Initialize();
  RegisterTestClasses();
}

}  // namespace testing_support
