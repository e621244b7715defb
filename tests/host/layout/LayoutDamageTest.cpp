// Documents whose layout bytes are damaged: each either fails to open or opens with a layout every query
// and the dump can walk. Run under the sanitizers, this catches what the open check lets through.
#include <random>

#include "host/app/DocumentCheck.h"
#include "host/db/Crc32.h"
#include "host/db/DocumentFile.h"
#include "host/layout/LayoutCheck.h"
#include "tests/host/layout/LayoutFixture.h"

namespace layout_test {
namespace {

using LayoutDamageTest = SampleFixture;

// Every query over every page and item, as inspect and the commands ask them.
void WalkLayout(IDataBase* db) {
  (void)DumpLayout(db);
  for (int32_t i = 0; LayoutUtils::PageAt(db, i).IsValid(); ++i) {
    UID page = LayoutUtils::PageAt(db, i);
    (void)LayoutUtils::MasterItemsShownOnPage(db, page);
    (void)LayoutUtils::PageNumber(db, page);
    for (UID item : LayoutUtils::ItemsOnPage(db, page)) {
      for (UID inside : LayoutUtils::ItemTree(db, item)) {
        (void)LayoutUtils::PageOfItem(db, inside);
        (void)LayoutUtils::FrameIndex(db, inside);
      }
    }
  }
  for (int32_t i = 0; LayoutUtils::SpreadAt(db, i).IsValid(); ++i)
    (void)LayoutUtils::PagesBasedOn(db, LayoutUtils::SpreadAt(db, i));
}

TEST_F(LayoutDamageTest, DamagedLayoutsAreRefusedOrSound) {
  std::vector<UID> local;
  ASSERT_EQ(Run(kOverrideMasterItemsCmdBoss, {masterFrame_}, {.pages = {Page(2)}}, &local), kSuccess);
  ASSERT_EQ(Run(kGroupItemsCmdBoss, {first_, second_}), kSuccess);
  ASSERT_EQ(Run(kApplyMasterCmdBoss, {Page(1)}, {.target = masterB_}), kSuccess);
  std::vector<uint8_t> sound = DocumentFile::Serialize(*static_cast<DataBase*>(db_));
  std::mt19937 random(20261209);
  // The objects lie between the header and the table of shared values; damage lands anywhere there.
  std::uniform_int_distribution<size_t> at(DocumentFileFormat::kHeaderSize, sound.size() / 2);
  int opened = 0;
  for (int round = 0; round < 3000; ++round) {
    std::vector<uint8_t> bytes = sound;
    size_t where = at(random);
    bytes[where] = static_cast<uint8_t>(random());
    uint32_t crc = Crc32(std::span<const uint8_t>(bytes).first(bytes.size() - 4));
    for (int i = 0; i < 4; ++i)
      bytes[bytes.size() - 4 + i] = static_cast<uint8_t>(crc >> (8 * i));
    std::unique_ptr<DataBase> damaged;
    if (!DocumentFile::Deserialize(bytes, damaged).ok()) continue;
    if (!DocumentCheck::FindFault(*damaged).empty() || !LayoutCheck::FindFault(*damaged).empty()) continue;
    SCOPED_TRACE("byte " + std::to_string(where));
    WalkLayout(damaged.get());
    ++opened;
  }
  EXPECT_GT(opened, 0);
}

}  // namespace
}  // namespace layout_test
