// A registered ID is registered once: classes, implementations, interfaces added to a class and providers of
// a service each refuse a second registration, name it, and register nothing of it.
#include <gtest/gtest.h>

#include <functional>

#include "host/core/ObjectModel.h"
#include "host/core/Registry.h"
#include "host/core/ServiceRegistry.h"
#include "tests/support/TestHost.h"
#include "tests/support/TestObjects.h"

using namespace testing_support;

namespace {

constexpr ClassID kTargetBoss = kTestPrefix + 0x80;
constexpr ServiceID kTestService = kTestPrefix + 0x81;

class RegistryClashTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureHost();
    Registry& r = Registry::Get();
    if (!r.IsClassRegistered(kTargetBoss)) {
      ASSERT_EQ(
          r.RegisterClass(kTargetBoss, kInvalidClass, "kTargetBoss", {{IID_ITESTRECORD, kTestRecordImpl}}),
          kSuccess);
      // Only the IDs matter here: the added interface is never queried.
      ASSERT_EQ(r.AddIn(kTargetBoss, {{IID_ITESTLOG, kTestObserverImpl}}), kSuccess);
      ASSERT_EQ(ServiceRegistry::Get().Register(kTestService, kTargetBoss), kSuccess);
    }
  }
  // The clashes noted since the test began, of both registries.
  std::vector<std::string> NewClashes() const {
    std::vector<std::string> all(Registry::Get().GetClashes().begin() + classClashes_,
                                 Registry::Get().GetClashes().end());
    all.insert(all.end(), ServiceRegistry::Get().GetClashes().begin() + serviceClashes_,
               ServiceRegistry::Get().GetClashes().end());
    return all;
  }
  size_t classClashes_ = Registry::Get().GetClashes().size();
  size_t serviceClashes_ = ServiceRegistry::Get().GetClashes().size();
};

TEST_F(RegistryClashTest, ASecondRegistrationOfAnIDIsRefusedAndNamed) {
  Registry& r = Registry::Get();
  ImplementationFactory factory = r.Resolve(kTestRecordBoss)->entries[0].factory;
  struct Row {
    const char* name;
    std::function<ErrorCode()> registration;
    ErrorCode expected;
    std::string clash;  // empty: no clash noted
  } rows[] = {
      {"class", [&] { return r.RegisterClass(kTargetBoss, kInvalidClass, "kOtherBoss", {}); }, kIDClashError,
       "class 0x7F0080 (kOtherBoss) is already registered as kTargetBoss"},
      {"implementation", [&] { return r.RegisterImplementation(kTestRecordImpl, factory, true); },
       kIDClashError, "implementation 0x7F0001 is already registered"},
      {"add-in over the class's own interface",
       [&] {
         return r.AddIn(kTargetBoss, {{IID_ITESTRECORD, kTestObserverImpl}});
       },
       kIDClashError, "interface 0x7F0001 of class 0x7F0080 is already given implementation 0x7F0001"},
      {"add-in over an earlier add-in",
       [&] {
         return r.AddIn(kTargetBoss, {{IID_ITESTLOG, kTestRecordImpl}});
       },
       kIDClashError, "interface 0x7F0003 of class 0x7F0080 is already given implementation 0x7F0004"},
      {"provider of a service", [&] { return ServiceRegistry::Get().Register(kTestService, kTargetBoss); },
       kIDClashError, "class 0x7F0080 already provides service 0x7F0081"},
      {"the same add-in again",
       [&] {
         return r.AddIn(kTargetBoss, {{IID_ITESTLOG, kTestObserverImpl}});
       },
       kSuccess, ""},
      {"invalid, not a clash", [&] { return r.RegisterClass(0, kInvalidClass, "zero", {}); },
       kInvalidParameterError, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    classClashes_ = r.GetClashes().size();
    serviceClashes_ = ServiceRegistry::Get().GetClashes().size();
    EXPECT_EQ(row.registration(), row.expected);
    std::vector<std::string> clashes = NewClashes();
    EXPECT_EQ(clashes, row.clash.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.clash});
  }
  // What was there before stays as it was.
  EXPECT_EQ(r.GetClassName(kTargetBoss), "kTargetBoss");
  EXPECT_TRUE(CreateObject<ITestRecord>(kTargetBoss));
  EXPECT_EQ(ServiceRegistry::Get().GetProviders(kTestService), std::vector<ClassID>{kTargetBoss});
}

TEST_F(RegistryClashTest, RestoringACheckpointTakesOutWhatCameAfterIt) {
  Registry& r = Registry::Get();
  ServiceRegistry& services = ServiceRegistry::Get();
  Registry::Checkpoint classes = r.Save();
  ServiceRegistry::Checkpoint providers = services.Save();
  constexpr ClassID kLateBoss = kTestPrefix + 0x82;
  ASSERT_EQ(r.RegisterClass(kLateBoss, kInvalidClass, "kLateBoss", {{IID_ITESTRECORD, kTestRecordImpl}}),
            kSuccess);
  ASSERT_TRUE(CreateObject<ITestRecord>(kLateBoss));
  ASSERT_EQ(r.AddIn(kTestRecordBoss, {{IID_ITESTLOG, kTestObserverImpl}}), kSuccess);
  ASSERT_EQ(r.Resolve(kTestRecordBoss)->entries.size(), 3u);
  // A class whose add-ins began before the checkpoint keeps those.
  ASSERT_EQ(r.AddIn(kTargetBoss, {{IID_ISETRECORDDATA, kSetRecordDataImpl}}), kSuccess);
  ASSERT_EQ(services.Register(kTestService, kLateBoss), kSuccess);
  r.Restore(std::move(classes));
  services.Restore(std::move(providers));
  EXPECT_FALSE(r.IsClassRegistered(kLateBoss));
  EXPECT_FALSE(CreateObject<ITestRecord>(kLateBoss)) << "no resolved class may outlive the restore";
  for (const auto& entry : r.Resolve(kTestRecordBoss)->entries)
    EXPECT_NE(entry.iid, IID_ITESTLOG);
  std::vector<PMIID> target;
  for (const auto& entry : r.Resolve(kTargetBoss)->entries)
    target.push_back(entry.iid);
  EXPECT_EQ(target, (std::vector<PMIID>{IID_ITESTRECORD, IID_ITESTLOG}));
  EXPECT_EQ(services.GetProviders(kTestService), std::vector<ClassID>{kTargetBoss});
}

}  // namespace
