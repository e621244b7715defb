// Helpers for the story tests: a document with its main story, the plug-in's attributes registered, the
// story's text and runs written out as text, and counts of the host commands an operation processes.
#pragma once

#include <map>
#include <string>

#include "host/app/DefaultDocument.h"
#include "host/text/IStyleInfo.h"
#include "host/text/ITextModel.h"
#include "host/text/TextCmdUtils.h"
#include "host/text/TextIDs.h"
#include "kesto/model/KestoAttributes.h"
#include "tests/kesto/model/ModelTestSupport.h"

namespace kesto_test {

inline std::string Narrow(std::u16string_view text) {
  std::string out;
  for (char16_t ch : text)
    out += ch == u'\r' ? '/' : (ch < 0x80 ? static_cast<char>(ch) : '?');
  return out;
}

// Commands processed since construction, by command class.
class CommandCount {
 public:
  CommandCount() { Restart(); }
  void Restart() {
    for (ClassID cls : kClasses)
      before_[cls] = CmdUtils::CountProcessed(cls);
  }
  uint64_t Of(ClassID cls) const { return CmdUtils::CountProcessed(cls) - before_.at(cls); }
  // Plain and styled inserts (a styled insert is a copy of the given text).
  uint64_t Inserts() const { return Of(kInsertTextCmdBoss) + Of(kCopyTextCmdBoss); }
  // Style, override and clear commands together.
  uint64_t AttributeCommands() const {
    return Of(kApplyParaStyleCmdBoss) + Of(kApplyCharStyleCmdBoss) + Of(kApplyOverridesCmdBoss) +
           Of(kClearOverridesCmdBoss);
  }

 private:
  static constexpr ClassID kClasses[] = {
      kInsertTextCmdBoss,     kCopyTextCmdBoss,       kDeleteTextCmdBoss,    kApplyParaStyleCmdBoss,
      kApplyCharStyleCmdBoss, kApplyOverridesCmdBoss, kClearOverridesCmdBoss};
  std::map<ClassID, uint64_t> before_;
};

class StoryTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    ASSERT_EQ(kesto::RegisterKestoAttributes(), kSuccess);
    story_ = DefaultDocument::GetMainStory(*db_);
    ASSERT_TRUE(story_.IsValid());
    model_ = Instantiate<ITextModel>(db_, story_);
    ASSERT_TRUE(model_);
  }
  void TearDown() override {
    model_.reset();
    DocumentTest::TearDown();
  }

  // Puts `text` in front of the story's final return, through the host alone.
  void Seed(std::u16string_view text) {
    ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, story_), 0, WideString(text)), kSuccess);
  }
  std::string Text() const { return Narrow(model_->GetText(0, model_->TotalLength())); }
  // "length:style{overrides} ..." for each run of a strand.
  std::string Runs(TextStrand strand) const {
    std::string out;
    model_->VisitRuns(strand, 0, model_->TotalLength(), [&](const TextRun& run) {
      if (!out.empty()) out += ' ';
      out += std::to_string(run.Length()) + ":" + StyleName(run.style) + run.overrides->ToJson();
      return true;
    });
    return out;
  }
  std::string CharacterRuns() const { return Runs(TextStrand::kCharacter); }
  std::string ParagraphRuns() const { return Runs(TextStrand::kParagraph); }
  // Root styles read as "root", the default paragraph style as "normal", others by their names.
  std::string StyleName(UID style) const {
    if (style == Root(StyleKind::kParagraph) || style == Root(StyleKind::kCharacter)) return "root";
    InterfacePtr<IStyleInfo> info = Instantiate<IStyleInfo>(db_, style);
    if (!info) return "?" + std::to_string(style.Get());
    std::string name = Narrow(info->GetName());
    return name == "NormalParagraphStyle" ? "normal" : name;
  }
  UID Named(StyleKind kind, const char* name, const AttributeBossList& attributes = {}) {
    return NewStyle(kind, WideString(name, name + std::char_traits<char>::length(name)), attributes);
  }
  ::testing::AssertionResult Sound() const {
    std::string fault = model_->Check();
    if (fault.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << fault;
  }

  UID story_;
  InterfacePtr<ITextModel> model_;
};

}  // namespace kesto_test
