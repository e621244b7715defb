// Bosses, interfaces and the registry: reference counting, lazy implementations, parents and add-ins.
#include <gtest/gtest.h>

#include "host/core/ObjectModel.h"
#include "host/core/Registry.h"
#include "host/notify/ISubject.h"
#include "tests/support/TestHost.h"
#include "tests/support/TestObjects.h"

using namespace testing_support;

namespace {

constexpr ClassID kAddInTargetBoss = kTestPrefix + 0x20;
constexpr ClassID kAddInChildBoss = kTestPrefix + 0x21;

class ObjectModelTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureHost(); }
};

TEST_F(ObjectModelTest, InterfacesShareTheBossCount) {
  InterfacePtr<ITestRecord> record = CreateObject<ITestRecord>(kTestRecordBoss);
  ASSERT_TRUE(record);
  Boss* boss = record->GetBoss();
  EXPECT_EQ(boss->GetRefCount(), 1);
  {
    InterfacePtr<ISubject> subject(record, UseDefaultIID());
    ASSERT_TRUE(subject);
    EXPECT_EQ(subject->GetBoss(), boss);
    EXPECT_EQ(boss->GetRefCount(), 2);
    InterfacePtr<ISubject> copy = subject;
    EXPECT_EQ(boss->GetRefCount(), 3);
  }
  EXPECT_EQ(boss->GetRefCount(), 1);
}

TEST_F(ObjectModelTest, QueryForAMissingInterfaceAnswersNothingAndCountsNothing) {
  InterfacePtr<ITestRecord> record = CreateObject<ITestRecord>(kTestRecordBoss);
  InterfacePtr<ICommand> none(record, UseDefaultIID());
  EXPECT_FALSE(none);
  EXPECT_EQ(record->GetBoss()->GetRefCount(), 1);
  InterfacePtr<ITestRecord> fromNull(static_cast<const IPMUnknown*>(nullptr), UseDefaultIID());
  EXPECT_FALSE(fromNull);
}

TEST_F(ObjectModelTest, UnknownClassesCreateNothing) {
  EXPECT_FALSE(CreateObject<ITestRecord>(kTestPrefix + 0xEE));
  EXPECT_EQ(Boss::Create(kTestPrefix + 0xEE), nullptr);
}

TEST_F(ObjectModelTest, ImplementationsAreCreatedOnFirstQueryOnly) {
  Boss* boss = Boss::Create(kTestRecordBoss);
  EXPECT_TRUE(boss->GetLivePersistentImplementations().empty());
  InterfacePtr<ITestRecord> record(static_cast<ITestRecord*>(boss->QueryInterface(IID_ITESTRECORD)));
  record->SetNumber(7);
  InterfacePtr<ITestRecord> again(static_cast<ITestRecord*>(boss->QueryInterface(IID_ITESTRECORD)));
  EXPECT_EQ(again->GetNumber(), 7);
  EXPECT_EQ(boss->GetLivePersistentImplementations().size(), 1u);
  boss->Release();
}

TEST_F(ObjectModelTest, DerivedClassesInheritAndAddInsReachChildren) {
  InterfacePtr<ITestRecord> derived = CreateObject<ITestRecord>(kDerivedRecordBoss);
  ASSERT_TRUE(derived);
  EXPECT_TRUE(Registry::Get().IsA(kDerivedRecordBoss, kTestRecordBoss));
  EXPECT_FALSE(Registry::Get().IsA(kTestRecordBoss, kDerivedRecordBoss));

  Registry& r = Registry::Get();
  ASSERT_EQ(r.RegisterClass(kAddInTargetBoss, kInvalidClass, "target", {}), kSuccess);
  ASSERT_EQ(r.RegisterClass(kAddInChildBoss, kAddInTargetBoss, "child", {}), kSuccess);
  EXPECT_FALSE(CreateObject<ITestRecord>(kAddInChildBoss));
  // A plug-in adds an interface to a class it does not own, after the class was first used.
  ASSERT_EQ(r.AddIn(kAddInTargetBoss, {{IID_ITESTRECORD, kTestRecordImpl}}), kSuccess);
  EXPECT_TRUE(CreateObject<ITestRecord>(kAddInTargetBoss));
  EXPECT_TRUE(CreateObject<ITestRecord>(kAddInChildBoss));
}

TEST_F(ObjectModelTest, RegistrationRefusesDuplicatesAndCycles) {
  Registry& r = Registry::Get();
  EXPECT_EQ(r.RegisterClass(kTestRecordBoss, kInvalidClass, "again", {}), kIDClashError);
  EXPECT_EQ(r.RegisterClass(0, kInvalidClass, "zero", {}), kInvalidParameterError);
  EXPECT_EQ(r.RegisterImplementation(kTestRecordImpl,
                                     Registry::Get().Resolve(kTestRecordBoss)->entries[0].factory, true),
            kIDClashError);
  ASSERT_EQ(r.RegisterClass(kTestPrefix + 0x30, kTestPrefix + 0x31, "a", {}), kSuccess);
  EXPECT_EQ(r.RegisterClass(kTestPrefix + 0x31, kTestPrefix + 0x30, "b", {}), kInvalidParameterError);
}

TEST_F(ObjectModelTest, AnInterfaceWithoutALoadedImplementationIsAbsent) {
  ASSERT_EQ(
      Registry::Get().RegisterClass(kTestPrefix + 0x40, kInvalidClass, "partial",
                                    {{IID_ITESTRECORD, kTestPrefix + 0xFF}, {IID_ISUBJECT, kSubjectImpl}}),
      kSuccess);
  InterfacePtr<ISubject> subject = CreateObject<ISubject>(kTestPrefix + 0x40);
  ASSERT_TRUE(subject);
  EXPECT_FALSE(InterfacePtr<ITestRecord>(subject, UseDefaultIID()));
}

}  // namespace
