// Colours as the tag language names them, resolved to document swatches and described back.
#include <gtest/gtest.h>

#include "host/app/DocumentList.h"
#include "host/cmd/ErrorUtils.h"
#include "host/res/ISwatch.h"
#include "host/res/SwatchUtils.h"
#include "kesto/model/VyColorDesc.h"
#include "tests/support/TestHost.h"

namespace kesto {
namespace {

VyColorDesc Named(std::u16string_view name, IDataBase* db) {
  VyColorDesc spec;
  spec.kind = VyColorDesc::kByName;
  spec.SetName(name);
  spec.document = db;
  return spec;
}

class VyColorDescTest : public testing::Test {
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
  VyColorDesc Standard(int32_t code) const {
    VyColorDesc spec;
    spec.kind = VyColorDesc::kStandard;
    spec.standardCode = code;
    spec.document = db_;
    return spec;
  }
  VyColorDesc Values(std::u16string_view name, int32_t model, std::array<double, 4> values) const {
    VyColorDesc spec;
    spec.kind = VyColorDesc::kByValues;
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

TEST_F(VyColorDescTest, StandardCodesNameTheDocumentsSwatches) {
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
    VyColorDesc spec = Standard(code);
    UID uid = ResolveColor(spec);
    EXPECT_EQ(uid, list_->FindSwatch(names[code]));
    EXPECT_EQ(spec.resolved, uid);

    VyColorDesc described;
    ASSERT_TRUE(DescribeColor(db_, uid, described));
    EXPECT_EQ(described.kind, VyColorDesc::kStandard);
    EXPECT_EQ(described.standardCode, code);
    EXPECT_EQ(described.name, names[code]);
  }
  for (int32_t code : {-1, 10, 11, 12}) {
    SCOPED_TRACE(code);
    VyColorDesc spec = Standard(code);
    EXPECT_FALSE(ResolveColor(spec).IsValid());
  }
  VyColorDesc orphan = Standard(2);
  orphan.document = nullptr;
  EXPECT_FALSE(ResolveColor(orphan).IsValid());
}

TEST_F(VyColorDescTest, ResolvingIsCachedAndNamesAreLookedUp) {
  VyColorDesc spec = Standard(2);
  UID black = ResolveColor(spec);
  spec.standardCode = 1;
  EXPECT_EQ(ResolveColor(spec), black);

  VyColorDesc byName = Named(u"C=0 M=100 Y=0 K=0", db_);
  EXPECT_EQ(ResolveColor(byName), list_->FindSwatch(u"C=0 M=100 Y=0 K=0"));
  VyColorDesc unknown = Named(u"Nosuch", db_);
  EXPECT_FALSE(ResolveColor(unknown).IsValid());
  EXPECT_EQ(list_->CountSwatches(), 10);

  VyColorDesc longName;
  longName.SetName(WideString(100, u'x'));
  EXPECT_EQ(longName.name.size(), kMaxColorNameLength);
}

TEST_F(VyColorDescTest, ValuesMakeNewSwatchesEvenForAnExistingName) {
  VyColorDesc cmyk = Values(u"Black", VyColorDesc::kFourComponents, {10, 20, 30, 40});
  cmyk.spot = 1;
  UID made = ResolveColor(cmyk);
  ASSERT_TRUE(made.IsValid());
  EXPECT_NE(made, list_->GetBlackSwatchUID());
  EXPECT_EQ(Swatch(made)->GetColor(), (ColorValue{ColorSpace::kCMYK, {10, 20, 30, 40}, true}));
  EXPECT_EQ(list_->CountSwatches(), 11);

  VyColorDesc rgb = Values(u"Sky", VyColorDesc::kThreeComponents, {40, 150, 255, 99});
  VyColorDesc lab = Values(u"Clay", VyColorDesc::kThreeComponentsAlt, {60, 20, 30, 99});
  EXPECT_EQ(Swatch(ResolveColor(rgb))->GetColor(), (ColorValue{ColorSpace::kRGB, {40, 150, 255, 0}, false}));
  EXPECT_EQ(Swatch(ResolveColor(lab))->GetColor(), (ColorValue{ColorSpace::kLab, {60, 20, 30, 0}, false}));

  // The host refuses values out of range; the refusal does not stay pending for the next command.
  VyColorDesc bad = Values(u"Bad", VyColorDesc::kFourComponents, {0, 0, 0, 400});
  EXPECT_FALSE(ResolveColor(bad).IsValid());
  EXPECT_EQ(ErrorUtils::PMGetGlobalErrorCode(), kSuccess);
  EXPECT_EQ(list_->CountSwatches(), 13);
}

TEST_F(VyColorDescTest, TintOfStandardBlackIsATintOfTheDocumentsBlack) {
  VyColorDesc tint;
  tint.kind = VyColorDesc::kTint;
  tint.document = db_;
  tint.components[0] = 40;
  tint.base = std::make_shared<VyColorDesc>();
  tint.base->kind = VyColorDesc::kStandard;
  tint.base->standardCode = 2;
  UID uid = ResolveColor(tint);
  auto swatch = Swatch(uid);
  ASSERT_TRUE(swatch);
  EXPECT_EQ(swatch->GetKind(), SwatchKind::kTint);
  EXPECT_EQ(swatch->GetTintBase(), list_->GetBlackSwatchUID());
  EXPECT_EQ(swatch->GetTint(), 40);
  EXPECT_EQ(tint.base->resolved, list_->GetBlackSwatchUID());

  // Described by its name, which finds it again.
  VyColorDesc described;
  ASSERT_TRUE(DescribeColor(db_, uid, described));
  EXPECT_EQ(described.kind, VyColorDesc::kByName);
  EXPECT_EQ(described.name, u"Black 40%");
  described.resolved = kInvalidUID;
  EXPECT_EQ(ResolveColor(described), uid);

  VyColorDesc orphanTint = tint;
  orphanTint.resolved = kInvalidUID;
  orphanTint.base = std::make_shared<VyColorDesc>(Named(u"Nosuch", nullptr));
  EXPECT_FALSE(ResolveColor(orphanTint).IsValid());
  orphanTint.base.reset();
  EXPECT_FALSE(ResolveColor(orphanTint).IsValid());
  EXPECT_EQ(list_->CountSwatches(), 11);
}

TEST_F(VyColorDescTest, DescribingOtherSwatches) {
  VyColorDesc spec;
  ASSERT_TRUE(DescribeColor(db_, kInvalidUID, spec));
  EXPECT_EQ(spec.kind, VyColorDesc::kStandard);
  EXPECT_EQ(spec.standardCode, kNoColorCode);

  UID named, unnamed;
  ASSERT_EQ(
      SwatchUtils::CreateColorSwatch(db_, u"Brand Red", {ColorSpace::kCMYK, {0, 90, 80, 0}, false}, named),
      kSuccess);
  ASSERT_EQ(SwatchUtils::CreateColorSwatch(db_, u"", {ColorSpace::kCMYK, {0, 0, 80, 0}, false}, unnamed),
            kSuccess);
  ASSERT_TRUE(DescribeColor(db_, named, spec));
  EXPECT_EQ(spec.kind, VyColorDesc::kByName);
  EXPECT_EQ(spec.name, u"Brand Red");
  EXPECT_EQ(spec.document, db_);

  EXPECT_FALSE(DescribeColor(db_, unnamed, spec));
  EXPECT_EQ(spec.kind, VyColorDesc::kStandard);
  EXPECT_EQ(spec.standardCode, 2);
  EXPECT_FALSE(DescribeColor(db_, db_->GetRootUID(), spec));
}

}  // namespace
}  // namespace kesto
