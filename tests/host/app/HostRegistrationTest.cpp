// The host's start-up registers every area's classes, implementations and services without a clash; the
// plug-ins' registrations on top of it are checked by the command-line tests, in a fresh pagehost.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/app/Host.h"
#include "host/core/Registry.h"
#include "host/core/ServiceRegistry.h"

namespace {

TEST(HostRegistrationTest, EveryAreaRegistersWithoutAClash) {
  EXPECT_EQ(Host::Initialize(), kSuccess);
  EXPECT_THAT(Registry::Get().GetClashes(), ::testing::IsEmpty());
  EXPECT_THAT(ServiceRegistry::Get().GetClashes(), ::testing::IsEmpty());
  EXPECT_EQ(Host::Initialize(), kSuccess) << "a second start-up registers nothing again";
  EXPECT_THAT(Registry::Get().GetClashes(), ::testing::IsEmpty());
}

}  // namespace
