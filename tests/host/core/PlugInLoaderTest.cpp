// Registering plug-ins: dependency order, refusals, clashing IDs, and modules that cannot be loaded.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "host/core/PlugIn.h"
#include "host/core/PlugInLoader.h"
#include "host/core/Registry.h"
#include "host/core/ServiceRegistry.h"
#include "host/core/UIPlugIn.h"
#include "tests/support/TestHost.h"
#include "tests/support/TestObjects.h"

namespace {

class FakePlugIn : public PlugIn {
 public:
  FakePlugIn(PluginID id, const char* name, const char* version, PluginID required = 0,
             ErrorCode answer = kSuccess)
      : PlugIn(id, name, version), required_(required), answer_(answer) {}
  PluginID GetRequiredPlugIn() const override { return required_; }
  ErrorCode Register(Registry&) override {
    ++registered;
    return answer_;
  }
  int registered = 0;

 private:
  PluginID required_;
  ErrorCode answer_;
};

class FakeUIPlugIn : public UIPlugIn {
 public:
  FakeUIPlugIn(PluginID id, const char* version, PluginID model) : UIPlugIn(id, "Fake UI", version, model) {}
  ErrorCode RegisterUI(Registry&) override { return kSuccess; }
};

// A plug-in whose registration is given by the test.
class ScriptedPlugIn : public PlugIn {
 public:
  ScriptedPlugIn(PluginID id, std::function<ErrorCode(Registry&)> registration)
      : PlugIn(id, "Scripted", "1"), registration_(std::move(registration)) {}
  ErrorCode Register(Registry& registry) override { return registration_(registry); }

 private:
  std::function<ErrorCode(Registry&)> registration_;
};

class PlugInLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::EnsureHost(); }
};

TEST_F(PlugInLoaderTest, RegistersARequiredPlugInFirstWhateverTheOrder) {
  FakePlugIn model(0x7E0001, "Model", "2.0");
  FakePlugIn ui(0x7E0002, "UI", "2.0", 0x7E0001);
  PlugInLoadReport report = PlugInLoader::RegisterAll({&ui, &model});
  EXPECT_TRUE(report.failures.empty());
  ASSERT_EQ(report.loaded.size(), 2u);
  EXPECT_EQ(report.loaded[0], PluginID(0x7E0001));
  EXPECT_EQ(Registry::Get().GetPlugInVersion(0x7E0002), "2.0");
}

TEST_F(PlugInLoaderTest, ReportsRefusalsAndMissingRequirementsAndGoesOn) {
  FakePlugIn refuses(0x7E0011, "Refuses", "1", 0, kFailure);
  FakePlugIn orphan(0x7E0012, "Orphan", "1", 0x7E00FF);
  FakePlugIn fine(0x7E0013, "Fine", "1");
  PlugInLoadReport report = PlugInLoader::RegisterAll({&refuses, &orphan, &fine});
  ASSERT_EQ(report.loaded.size(), 1u);
  EXPECT_EQ(report.loaded[0], PluginID(0x7E0013));
  ASSERT_EQ(report.failures.size(), 2u);
  EXPECT_EQ(orphan.registered, 0);
  EXPECT_TRUE(Registry::Get().GetPlugInVersion(0x7E0011).empty());
}

TEST_F(PlugInLoaderTest, AUIPlugInLoadsOnlyBesideItsOwnVersionOfTheModel) {
  FakePlugIn model(0x7E0021, "Model", "3.1");
  FakeUIPlugIn same(0x7E0022, "3.1", 0x7E0021);
  FakeUIPlugIn other(0x7E0023, "3.2", 0x7E0021);
  PlugInLoadReport report = PlugInLoader::RegisterAll({&model, &same, &other});
  EXPECT_EQ(report.loaded.size(), 2u);
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_EQ(report.failures[0].module, "Fake UI");
  EXPECT_TRUE(Registry::Get().GetPlugInVersion(0x7E0023).empty());
}

TEST_F(PlugInLoaderTest, APlugInWhoseIDsClashIsSkippedWithNothingOfItLeft) {
  using testing_support::kTestRecordBoss;
  constexpr ClassID kOwnBoss = 0x7E0030;
  constexpr ServiceID kOwnService = 0x7E0031;
  // Registers a class, an add-in and a service of its own, then a class the test objects already own.
  auto clashing = [&](bool answersTheClash) {
    return [=](Registry& r) {
      ErrorCode err = r.RegisterClass(kOwnBoss, kInvalidClass, "kOwnBoss", {});
      if (err == kSuccess) err = r.AddIn(kTestRecordBoss, {{0x7E0032, testing_support::kTestObserverImpl}});
      if (err == kSuccess) err = ServiceRegistry::Get().Register(kOwnService, kOwnBoss);
      if (err == kSuccess) err = r.RegisterClass(kTestRecordBoss, kInvalidClass, "kMineToo", {});
      return answersTheClash ? err : kSuccess;
    };
  };
  for (bool answersTheClash : {true, false}) {
    SCOPED_TRACE(answersTheClash ? "answers the clash" : "answers success all the same");
    size_t entries = Registry::Get().Resolve(kTestRecordBoss)->entries.size();
    ScriptedPlugIn plugIn(0x7E0034 + answersTheClash, clashing(answersTheClash));
    PlugInLoadReport report = PlugInLoader::RegisterAll({&plugIn});
    EXPECT_TRUE(report.loaded.empty());
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].reason,
              "its IDs clash: class 0x7F0001 (kMineToo) is already registered as "
              "kTestRecordBoss");
    EXPECT_TRUE(Registry::Get().GetPlugInVersion(plugIn.GetPluginID()).empty());
    EXPECT_FALSE(Registry::Get().IsClassRegistered(kOwnBoss));
    EXPECT_TRUE(ServiceRegistry::Get().GetProviders(kOwnService).empty());
    EXPECT_EQ(Registry::Get().Resolve(kTestRecordBoss)->entries.size(), entries);
  }
}

TEST_F(PlugInLoaderTest, AFolderWithABrokenModuleReportsItAndAMissingFolderIsReported) {
  auto folder = std::filesystem::temp_directory_path() / ("plugins-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "Broken.so") << "not a shared library";
  std::ofstream(folder / "readme.txt") << "ignored";
  PlugInLoadReport report = PlugInLoader::LoadFolder(folder);
  EXPECT_TRUE(report.loaded.empty());
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_NE(report.failures[0].module.find("Broken.so"), std::string::npos);
  std::filesystem::remove_all(folder);

  report = PlugInLoader::LoadFolder(folder);
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_NE(report.failures[0].reason.find("cannot be read"), std::string::npos);
}

}  // namespace
