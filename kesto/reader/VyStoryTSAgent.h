// VyStoryTSAgent: a text-only agent whose story also takes the scanner's attributes: at begin-import the
// scanner's pair of attribute managers is bound to the story's paragraph and character strands, so that
// what the tags set is what each block of text is committed with; and whose document gets the styles that
// style lines define or name. The import agent builds on it.
#pragma once

#include <string_view>
#include <unordered_set>

#include "host/core/IDs.h"
#include "kesto/model/IHostTagDialect.h"
#include "kesto/reader/VyTextOnlyTSAgent.h"

namespace kesto {

class VyTextAttributeMgr;

class VyStoryTSAgent : public VyTextOnlyTSAgent {
 public:
  explicit VyStoryTSAgent(VyStory* story) : VyTextOnlyTSAgent(story) {}
  // Leaves the scanner's pair with sets of its own.
  ~VyStoryTSAgent() override { UnbindAttributes(); }

  KestoResult BeginImport(VyTextAttributeMgr* attributes) override;
  // Adds the style `info` holds to its document, unless the document has a style of that name: an
  // existing style is never changed. A `missing` style (named but not defined) is first made a copy of the
  // default style of its kind. A style the document refuses is reported as builder error 1. Answer 0.
  // A next style named before it is defined is made at once as a copy of the default paragraph style, so
  // that the link holds; a definition later in the same scan then gives it its own look.
  KestoResult DefineParagraphStyle(VyParagraphStyleInfo* info, bool missing) override;
  KestoResult DefineCharacterStyle(VyCharacterStyleInfo* info, bool missing) override;
  // Replaces the story's current range with the host's import of the passage; answers the host's error
  // (VyStory::InsertHostTaggedText), 0 without a story. The scan goes on either way. Without a dialect
  // (SetHostTagDialect) the passage goes in as plain text, so that nothing of it is lost.
  KestoResult InsertHostTaggedText(const char16_t* text, int32_t length, bool interpretTags) override;
  // The host dialect's reader and writer that passages go through; the caller keeps it alive for the scan.
  // The reader cannot make one itself: writing the attributes in force is the writer's work.
  void SetHostTagDialect(IHostTagDialect* dialect) { dialect_ = dialect; }

  // Builder error 1: the document refused a style.
  static constexpr int32_t kCannotAddStyle = 1;

 protected:
  // The pair bound to the story's strands, or null.
  VyTextAttributeMgr* GetBoundAttributes() const { return attributes_; }
  void UnbindAttributes();
  // Builder error `code` met while acting on tag `tagName`; dropped here, reported by the import agent.
  virtual void ReportBuilderError(int32_t /*code*/, std::u16string_view /*tagName*/) {}

 private:
  IHostTagDialect* dialect_ = nullptr;
  // The next style `info` names by name, made now when the document lacks it; 0 when it cannot be made.
  UID NextStyleFor(const VyParagraphStyleInfo& info);

  VyTextAttributeMgr* attributes_ = nullptr;
  // Styles made only because another style named them as its next style, waiting for their definition.
  std::unordered_set<uint32_t> placeholders_;
};

}  // namespace kesto
