// Colours as the tag language names them, resolved to document swatches and described back.
#include <gtest/gtest.h>

#include "host/app/DocumentList.h"
#include "host/cmd/ErrorUtils.h"
#include "host/res/ISwatch.h"
#include "host/res/SwatchUtils.h"
#include "kesto/model/VyColorSpec.h"
#include "tests/support/TestHost.h"

namespace kesto {
namespace {

VyColorSpec Named(std::u16string_view name, IDataBase* db) {
  VyColorSpec spec;
  spec.kind = VyColorSpec::kByName;
  spec.SetName(name);
  spec.document = db;
  return spec;
}

class VyColorSpecTest : public testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureHost();
    db_ = DocumentList::Get().NewDocument();
    list_ = SwatchUtils::QuerySwatchList(db_);
  }
  void TearDown() override {
    list_.reset();
    DocumentList::Get().CloseDocument(db_);
  }
  VyColorSpec Standard(int32_t code) const {
    VyColorSpec spec;
    spec.kind = VyColorSpec::kStandard;
    spec.standardCode = code;
    spec.document = db_;
    return spec;
  }
  VyColorSpec Values(std::u16string_view name, int32_t model, std::array<double, 4> values) const {
    VyColorSpec spec;
    spec.kind = VyColorSpec::kByValues;
    spec.SetName(name);
    spec.colorModel = model;
    spec.components = values;
    spec.document = db_;
    return spec;
  }
  InterfacePtr<ISwatch> Swatch(UID uid) const { return Instantiate<ISwatch>(db_, uid); }

  IDataBase* db_ = nullptr;
  InterfacePtr<ISwatchList> list_;
};

TEST_F(VyColorSpecTest, StandardCodesNameTheDocumentsSwatches) {
  const char16_t* names[] = {u"None",
                             u"Paper",
                             u"Black",
                             u"Registration",
                             u"C=100 M=0 Y=0 K=0",
                             u"C=0 M=100 Y=0 K=0",
                             u"C=0 M=0 Y=100 K=0",
                             u"C=15 M=100 Y=100 K=0",
                             u"C=75 M=5 Y=100 K=0",
                             u"C=100 M=90 Y=10 K=0"};
  for (int32_t code = 0; code < 10; ++code) {
    SCOPED_TRACE(code);
    VyColorSpec spec = Standard(code);
    UID uid = ResolveColor(spec);
    EXPECT_EQ(uid, list_->FindSwatch(names[code]));
    EXPECT_EQ(spec.resolved, uid);

    VyColorSpec described;
    ASSERT_TRUE(DescribeColor(db_, uid, described));
    EXPECT_EQ(described.kind, VyColorSpec::kStandard);
    EXPECT_EQ(described.standardCode, code);
    EXPECT_EQ(described.name, names[code]);
  }
  for (int32_t code : {-1, 10, 11, 12}) {
    SCOPED_TRACE(code);
    VyColorSpec spec = Standard(code);
    EXPECT_FALSE(ResolveColor(spec).IsValid());
  }
  VyColorSpec orphan = Standard(2);
  orphan.document = nullptr;
  EXPECT_FALSE(ResolveColor(orphan).IsValid());
}

TEST_F(VyColorSpecTest, ResolvingIsCachedAndNamesAreLookedUp) {
  VyColorSpec spec = Standard(2);
  UID black = ResolveColor(spec);
  spec.standardCode = 1;
  EXPECT_EQ(ResolveColor(spec), black);

  VyColorSpec byName = Named(u"C=0 M=100 Y=0 K=0", db_);
  EXPECT_EQ(ResolveColor(byName), list_->FindSwatch(u"C=0 M=100 Y=0 K=0"));
  VyColorSpec unknown = Named(u"Nosuch", db_);
  EXPECT_FALSE(ResolveColor(unknown).IsValid());
  EXPECT_EQ(list_->CountSwatches(), 10);

  VyColorSpec longName;
  longName.SetName(WideString(100, u'x'));
  EXPECT_EQ(longName.name.size(), kMaxColorNameLength);
}

TEST_F(VyColorSpecTest, ValuesMakeNewSwatchesEvenForAnExistingName) {
  VyColorSpec cmyk = Values(u"Black", VyColorSpec::kFourComponents, {10, 20, 30, 40});
  cmyk.spot = 1;
  UID made = ResolveColor(cmyk);
  ASSERT_TRUE(made.IsValid());
  EXPECT_NE(made, list_->GetBlackSwatchUID());
  EXPECT_EQ(Swatch(made)->GetColor(), (ColorValue{ColorSpace::kCMYK, {10, 20, 30, 40}, true}));
  EXPECT_EQ(list_->CountSwatches(), 11);

  VyColorSpec rgb = Values(u"Sky", VyColorSpec::kThreeComponents, {40, 150, 255, 99});
  VyColorSpec lab = Values(u"Clay", VyColorSpec::kThreeComponentsAlt, {60, 20, 30, 99});
  EXPECT_EQ(Swatch(ResolveColor(rgb))->GetColor(), (ColorValue{ColorSpace::kRGB, {40, 150, 255, 0}, false}));
  EXPECT_EQ(Swatch(ResolveColor(lab))->GetColor(), (ColorValue{ColorSpace::kLab, {60, 20, 30, 0}, false}));

  // The host refuses values out of range; the refusal does not stay pending for the next command.
  VyColorSpec bad = Values(u"Bad", VyColorSpec::kFourComponents, {0, 0, 0, 400});
  EXPECT_FALSE(ResolveColor(bad).IsValid());
  EXPECT_EQ(ErrorUtils::PMGetGlobalErrorCode(), kSuccess);
  EXPECT_EQ(list_->CountSwatches(), 13);
}

TEST_F(VyColorSpecTest, TintOfStandardBlackIsATintOfTheDocumentsBlack) {
  VyColorSpec tint;
  tint.kind = VyColorSpec::kTint;
  tint.document = db_;
  tint.components[0] = 40;
  tint.base = std::make_shared<VyColorSpec>();
  tint.base->kind = VyColorSpec::kStandard;
  tint.base->standardCode = 2;
  UID uid = ResolveColor(tint);
  auto swatch = Swatch(uid);
  ASSERT_TRUE(swatch);
  EXPECT_EQ(swatch->GetKind(), SwatchKind::kTint);
  EXPECT_EQ(swatch->GetTintBase(), list_->GetBlackSwatchUID());
  EXPECT_EQ(swatch->GetTint(), 40);
  EXPECT_EQ(tint.base->resolved, list_->GetBlackSwatchUID());

  // Described by its name, which finds it again.
  VyColorSpec described;
  ASSERT_TRUE(DescribeColor(db_, uid, described));
  EXPECT_EQ(described.kind, VyColorSpec::kByName);
  EXPECT_EQ(described.name, u"Black 40%");
  described.resolved = kInvalidUID;
  EXPECT_EQ(ResolveColor(described), uid);

  VyColorSpec orphanTint = tint;
  orphanTint.resolved = kInvalidUID;
  orphanTint.base = std::make_shared<VyColorSpec>(Named(u"Nosuch", nullptr));
  EXPECT_FALSE(ResolveColor(orphanTint).IsValid());
  orphanTint.base.reset();
  EXPECT_FALSE(ResolveColor(orphanTint).IsValid());
  EXPECT_EQ(list_->CountSwatches(), 11);
}

TEST_F(VyColorSpecTest, DescribingOtherSwatches) {
  VyColorSpec spec;
  ASSERT_TRUE(DescribeColor(db_, kInvalidUID, spec));
  EXPECT_EQ(spec.kind, VyColorSpec::kStandard);
  EXPECT_EQ(spec.standardCode, kNoColorCode);

  UID named, unnamed;
  ASSERT_EQ(
      SwatchUtils::CreateColorSwatch(db_, u"Brand Red", {ColorSpace::kCMYK, {0, 90, 80, 0}, false}, named),
      kSuccess);
  ASSERT_EQ(SwatchUtils::CreateColorSwatch(db_, u"", {ColorSpace::kCMYK, {0, 0, 80, 0}, false}, unnamed),
            kSuccess);
  ASSERT_TRUE(DescribeColor(db_, named, spec));
  EXPECT_EQ(spec.kind, VyColorSpec::kByName);
  EXPECT_EQ(spec.name, u"Brand Red");
  EXPECT_EQ(spec.document, db_);

  EXPECT_FALSE(DescribeColor(db_, unnamed, spec));
  EXPECT_EQ(spec.kind, VyColorSpec::kStandard);
  EXPECT_EQ(spec.standardCode, 2);
  EXPECT_FALSE(DescribeColor(db_, db_->GetRootUID(), spec));
}

}  // namespace
}  // namespace kesto
