// Page items written as box tags: each form the writer takes, read back by an import into a new document
// and written again to the same text; and what the object style of an item leaves out of its description.
#include "kesto/writer/KestoItemPutter.h"

#include <gtest/gtest.h>

#include <fstream>

#include "host/layout/ItemLookCmdUtils.h"
#include "host/layout/LayoutUtils.h"
#include "kesto/layout/VyPageItem.h"
#include "kesto/services/KestoItemsExport.h"
#include "tests/kesto/writer/WriterTestSupport.h"
#include "tests/support/TempFolder.h"

namespace kesto::testing_writer {
namespace {

// The items of the first spread of `doc` as fragment text, the main story's frame giving its text.
std::string ExportItems(ScopedDocument& doc, uint32_t options) {
  std::string bytes;
  VyCharStringStreamAgent agent(&bytes);
  KestoExportParams params;
  params.story = doc.Story();
  params.options = options | kPutFragment;
  params.byteOrderMark = false;
  std::vector<UID> items = LayoutUtils::ItemsOfSpread(doc.Db(), LayoutUtils::SpreadAt(doc.Db(), 0));
  EXPECT_EQ(0, RunKestoItemsExport(&agent, doc.Db(), items, params));
  return bytes;
}

TEST(KestoItemPutterTest, EachBoxFormReadsBackToTheSameText) {
  const struct {
    const char* name;
    const char* input;
    uint32_t options;
    const char* expected;
  } rows[] = {
      {"a text frame with its story", "<&tbu2(36,72,200,100)>Hi <z14>there<&te>", 0,
       "<&tbu2(36,72,200,100,0,0,,(i,,,,,,g),,,,,W,,,1,12,0,0,s,t,150,,\"Layer 1\",\"[Basic Text "
       "Frame]\")>@$:Hi <z14>there<&te>"},
      {"the same, compact", "<&tbu2(36,72,200,100)>Hi<&te>", kPutCompact,
       "<&tbu2(36,72,200,100,,,,(i,,,,,,g),,,,,W,,,1,12,0,0,s,t,150,,,\"[Basic Text Frame]\")>@$:Hi<&te>"},
      {"frame options and insets", "<&tbu2(36,72,200,100,,,,,,,,,,,,2,6,(2,1,4,3),3,a,c,20)>x<&te>", 0,
       "<&tbu2(36,72,200,100,0,0,,(i,,,,,,g),,,,,W,,,2,6,(2,1,4,3),3,a,c,20,,\"Layer 1\",\"[Basic Text "
       "Frame]\")>@$:x<&te>"},
      {"a rotated, skewed and flipped box", "<&nbu2(10,10,50,50,30,10,hv)>", 0,
       "<&nbu2(10,10,50,50,30,10,vh,(i,,,,,,g),0,,,,W,,,,\"Layer 1\",\"[Basic Graphics Frame]\")>"},
      {"a locked oval", "<&nbu2(10,10,50,50,0,0,l,,(1,o))>", kPutCompact,
       "<&nbu2(10,10,50,50,,,l,(i,,,,,,g),(,o,i),,,\"Solid\",W,,,,,\"[Basic Graphics Frame]\")>"},
      {"a line", "<&lbu(10,10,100,100)>", 0,
       "<&lbu(10,10,100,100,,,(0,b,),,,,,,,\"Layer 1\",\"[Basic Graphics Frame]\")>"},
      {"a group within a group: the origin comes first",
       "<&nbu(300,300,30,30)><&nbu(340,300,30,30)><&g(1,2)><&nbu(300,400,30,30)><&g(2,1)>", kPutCompact,
       "<&o(300,300)><&nbu2(0,0,30,30,,,,(i,,,,,,g),0,,,,W,,,,,\"[Basic Graphics "
       "Frame]\")><&nbu2(40,0,30,30,,,,(i,,,,,,g),0,,,,W,,,,,\"[Basic Graphics "
       "Frame]\")><&g(2,1)><&nbu2(0,100,30,30,,,,(i,,,,,,g),0,,,,W,,,,,\"[Basic Graphics "
       "Frame]\")><&g(2,1)>"},
      {"labels", "<&nbu(10,10,30,30,,,,,,,,,(\"k\",\"v\",\"k2\",\"w\"))>", kPutCompact,
       "<&nbu2(10,10,30,30,,,,(i,,,,,,g),0,,,,W,,,(\"k\",\"v\",\"k2\",\"w\"),,\"[Basic Graphics Frame]\")>"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ScopedDocument first;
    ASSERT_EQ(0, first.Import(row.input));
    std::string written = ExportItems(first, row.options);
    EXPECT_EQ(row.expected, Readable(written));
    ScopedDocument second;
    ASSERT_EQ(0, second.Import(written));
    EXPECT_EQ(Readable(written), Readable(ExportItems(second, row.options)));
  }
}

TEST(KestoItemPutterTest, APictureFrameNamesItsFileByItsNativePath) {
  testing_support::TempFolder folder;
  // A 1 x 1 grey PNG.
  static const unsigned char kPng[] = {
      0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00,
      0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x00, 0x00, 0x00, 0x00, 0x3A, 0x7E, 0x9B, 0x55, 0x00,
      0x00, 0x00, 0x0A, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0x68, 0x00, 0x00, 0x00, 0x82, 0x00, 0x81,
      0x4C, 0x17, 0xD7, 0xDF, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
  std::string path = (folder / "a b.png").string();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(kPng), sizeof(kPng));
  ScopedDocument first;
  ASSERT_EQ(0, first.Import("<&pbu2(50,50,100,80,,,,,,,,,,,,,,,,,,,\"" + path + "\")>"));
  std::string written = ExportItems(first, kPutCompact);
  EXPECT_NE(written.find(",\"" + path + "\","), std::string::npos) << written;
  ScopedDocument second;
  ASSERT_EQ(0, second.Import(written));
  EXPECT_EQ(written, ExportItems(second, kPutCompact));
}

// The newest item of the first spread, read back.
VyPageItemInfo ReadNewest(ScopedDocument& doc) {
  UID item = LayoutUtils::ItemsOfSpread(doc.Db(), LayoutUtils::SpreadAt(doc.Db(), 0)).back();
  VyPageItemInfo record;
  record.ReadFrom(XPageItem(VyDocument::Make(doc.Db()), item));
  return record;
}

TEST(KestoItemPutterTest, WhatTheObjectStyleGivesStaysUnset) {
  ScopedDocument doc;
  ASSERT_EQ(0, doc.Import("<&nbu(10,10,30,30)>"));
  UID item = LayoutUtils::ItemsOfSpread(doc.Db(), LayoutUtils::SpreadAt(doc.Db(), 0)).back();
  ObjectStyle style;
  style.name = u"Thick";
  style.categories = kStrokeCategory;
  style.attributes.Set({GraphicAttr::kStrokeWeight, 2});
  ObjectStyleID made = kInvalidObjectStyle;
  ASSERT_EQ(kSuccess, ItemLookCmdUtils::NewStyle(doc.Db(), style, ObjectStyleKind::kGraphic, made));
  ASSERT_EQ(kSuccess, ItemLookCmdUtils::ApplyStyle(doc.Db(), {item}, made));
  const struct {
    double own;  // 0: none of its own
    double read;
  } rows[] = {{0, kUnsetReal}, {2, kUnsetReal}, {3, 3}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.own);
    GraphicAttributeList own;
    if (row.own != 0) own.Set({GraphicAttr::kStrokeWeight, row.own});
    std::vector<GraphicAttr> clear;
    if (row.own == 0) clear.push_back(GraphicAttr::kStrokeWeight);
    ASSERT_EQ(kSuccess, ItemLookCmdUtils::ApplyAttributes(doc.Db(), {item}, own, clear));
    VyPageItemInfo record = ReadNewest(doc);
    EXPECT_EQ(record.objectStyle, u"Thick");
    EXPECT_EQ(record.strokeWeight, row.read);
  }
}

TEST(KestoItemPutterTest, RotationsReadBackBetweenMinus179And181) {
  const struct {
    double applied, read;
  } rows[] = {{270, -90}, {181, -179}, {-180, 180}, {179.5, 179.5}, {-179, -179}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.applied);
    ScopedDocument doc;
    ASSERT_EQ(0, doc.Import("<&nbu(10,10,30,30)>"));
    UID item = LayoutUtils::ItemsOfSpread(doc.Db(), LayoutUtils::SpreadAt(doc.Db(), 0)).back();
    VyPageItemInfo turn;
    turn.Reset();
    turn.rotation = row.applied;
    XPageItem target(VyDocument::Make(doc.Db()), item);
    ASSERT_EQ(0, turn.ApplyTo(target));
    EXPECT_DOUBLE_EQ(ReadNewest(doc).rotation, row.read);
  }
}

}  // namespace
}  // namespace kesto::testing_writer
