// VyStory: a host story seen through a window (a base index and a current range inside it) together with
// the pair of attribute managers bound to the story's strands, so that the reader can set attributes and
// commit them to the text it inserts. VyStory inserts text into the host at once; VyStreamingStory buffers
// it a paragraph at a time.
#pragma once

#include <optional>
#include <vector>

#include "host/layout/Geometry.h"
#include "host/layout/IStoryAnchors.h"
#include "host/text/ITextAttribute.h"
#include "kesto/model/IHostTagDialect.h"
#include "kesto/model/K2StoryAttributeMgr.h"
#include "kesto/model/K2StrandAgent.h"
#include "kesto/model/VyBaseStory.h"

namespace kesto {

class VyStory : public VyBaseStory, public K2StoryAttributeMgr {
 public:
  // Opens the story at `uid` with base index 0 and the host range [start, end), clamped so that it never
  // includes the final paragraph return, and loads the attributes in force at the caret.
  VyStory(IDataBase* document, UID uid, int32_t start, int32_t end);
  // Opens the story shown in the text frame `frame` with the base index at the frame's first text index;
  // the range is the text selection when it lies in that frame, else empty at the base. Invalid when
  // `frame` is no text frame.
  VyStory(IDataBase* document, UID frame);
  ~VyStory() override;

  // Both bases know the document; they always agree.
  IDataBase* GetDocument() const { return VyBaseStory::GetDocument(); }

  // The current range, relative to the base index.
  virtual void GetRange(int32_t& start, int32_t& end);
  // Moves the range (clamped like the constructor's) and reloads the attributes at the new caret; an
  // unchanged range keeps the attributes. The layout selection follows when `select` is set and the story
  // is shown in a frame.
  virtual void SetRange(int32_t start, int32_t end, bool select);
  // Replaces the current range with `text`; answers false when the host refused part of it (the rest is
  // not inserted). The range becomes the caret after what was inserted. The managers' attributes go to the
  // new text, also when it replaces a selection.
  virtual bool InsertText(const char16_t* text, int32_t count);
  // Brings the host story up to date. Every level re-checks the owners to revisit; up to 10 also fits the
  // text frames anchored during the import (their own text composed), and then 0 composes the story fully,
  // a second time when that added pages and owners are left to revisit, while up to 10 recomposes once;
  // 20 only inserts.
  virtual void Finish(int32_t level);
  // `delta` characters were inserted (positive) or removed (negative) at `position`; a removal that moves
  // the range reloads the strands at the caret.
  virtual void NoteTextChange(int32_t position, int32_t delta);
  // `oldLength` characters at `position` were replaced by `newLength` others. A replacement before the
  // range moves it; one that overlaps it leaves the caret after the new text (or, with `keep`, the range
  // where it was) and reloads the attributes there.
  virtual void NoteReplace(int32_t position, int32_t oldLength, int32_t newLength, bool keep);
  // With `reload`: both managers reset and loaded with the attributes in force at the caret.
  virtual void ReloadAttributes(bool reload);
  // Applies one attribute to [start, start + length); answers whether anything was applied.
  virtual bool ApplyAttributeToRange(int32_t start, int32_t length, const ITextAttribute* attribute);

  // Rebinds to the story `uid` of the same document, with base index 0 and the host range [start, end)
  // clamped as the constructor does; fresh strand agents load the attributes at the new caret.
  virtual void SwitchToStory(UID uid, int32_t start, int32_t end);

  // Deletes [start, end) with one host delete; false (global error reset) when the host refused.
  bool DeleteText(int32_t start, int32_t end);
  // The paragraph holding `index`: [start, end) relative to the base, end after its return.
  void ParagraphRangeAt(int32_t index, int32_t& start, int32_t& end) const;
  // The index whose attributes apply at the caret: the range start, or the character before an empty
  // range that is not at a paragraph start.
  int32_t CaretIndex() const;
  // Writes the managers' current attributes to [start, end): the character side with `character`, the
  // paragraph side (and leading and language over whole paragraphs) with `paragraph`. False when the host
  // refused a step.
  bool CommitAttributes(int32_t start, int32_t end, bool character, bool paragraph);
  // Copies the text of [start, end) into `buffer` (at most `capacity` units); private-use characters are
  // translated through the font in force, and a surrogate pair is never split at the end of a full
  // buffer. Answers the units written.
  int32_t ReadText(int32_t start, int32_t end, char16_t* buffer, int32_t capacity) const;
  // Replaces [start, end) with `length` units of text in the host's own tagged-text dialect, imported by
  // the host (tags read only with `interpretTags`) with `dialect` telling what the text holds and writing
  // the attributes in force in front of text that comes before any paragraph-style tag. Answers 0, the
  // host's error (kHostTagImportFailed for a plain failure), or kHostTagImportUnavailable when no
  // temporary story could be made (nothing changes then).
  int32_t InsertHostTaggedText(int32_t start, int32_t end, const char16_t* text, int32_t length,
                               bool interpretTags, IHostTagDialect& dialect);
  static constexpr int32_t kHostTagImportFailed = 29442;
  static constexpr int32_t kHostTagImportUnavailable = 29444;

  // Where the text sits in the story's frames. `index` is relative to the base, -1 standing for the range
  // start; pending text is inserted first. The frame holding the index (overset text: the story's last
  // frame); kInvalidUID when the story has no frames.
  UID FrameAt(int32_t index);
  // The width and height of FrameAt's frame; nullopt without one.
  std::optional<PMPoint> FrameSizeAt(int32_t index);
  // The baseline of the line holding the index, in its frame's coordinates, and that frame; nullopt when
  // the line is not composed (overset text, no frames).
  struct LinePosition {
    UID frame;
    double baseline = 0;
    bool operator==(const LinePosition&) const = default;
  };
  std::optional<LinePosition> BaselineAt(int32_t index);
  // The page item anchored at the index (inline, above-line or custom); kInvalidUID when none is.
  UID InlineItemAt(int32_t index);
  // Anchors `item` as `kind` on the U+FFFC at `index` with the host's anchor command, and records it
  // among the items anchored during the import and the owners to revisit. False (global error reset)
  // when the host refused.
  bool AnchorItemAt(int32_t index, UID item, AnchorKind kind);
  const std::vector<UID>& GetRevisitList() const { return revisit_; }
  const std::vector<UID>& GetAnchoredItems() const { return anchored_; }

  int32_t GetBaseIndex() const { return base_; }
  K2StrandAgent& ParagraphAgent() { return paragraphs_; }
  K2StrandAgent& CharacterAgent() { return characters_; }

 protected:
  // True for kSuccess; otherwise resets the global error code (a refused step is skipped) and answers false.
  static bool Succeeded(ErrorCode result);
  // The host index of a position relative to the base.
  int32_t HostIndex(int32_t position) const { return base_ + position; }
  // One host insert of `text` at `position`; false (with the global error reset) when refused.
  bool HostInsert(int32_t position, const std::u16string& text);
  // One host delete; with `reload`, a range that moves reloads the caret's attributes.
  bool DeleteRange(int32_t start, int32_t end, bool reload);
  // Whether any run of `strand` overlapping [start, end) has a style other than `style`.
  bool StyleDiffers(TextStrand strand, int32_t start, int32_t end, UID style) const;
  // Style and overrides of `agent` onto [start, end) of its strand, with as few host commands as possible.
  bool ApplyAgent(const IK2AttributeAgent& agent, TextStrand strand, int32_t start, int32_t end);
  // Applies `wanted` to [start, end) of `strand` with the minimal-commands rule: stale overrides are
  // cleared run by run, and the list is applied once when what the span holds differs from it.
  bool ApplyOverridesMinimal(TextStrand strand, int32_t start, int32_t end, const AttributeBossList& wanted);
  // Writes a snapshot's leading and language over the whole paragraphs that [start, end) touches.
  bool WriteParagraphScope(const ParagraphScopeSnapshot& snapshot, int32_t start, int32_t end);
  // Whether the story is shown in a frame (composition and layout steps need one).
  bool HasFrames() const;
  // Moves the base to the first text index of `frame`, a frame of this story, and takes the range from
  // the text selection when that lies in the frame (else empty at the base).
  void BaseAtFrame(UID frame);
  // Keeps, of the owners to revisit, those still anchored here whose character the last composition did
  // not place in a frame, or whose own text (an anchored text frame's, composed when it needs it)
  // overflows.
  void RecheckOwners();
  // Composes the text frames anchored during the import, newest first; an overset one that is anchored
  // becomes an owner to revisit. Empties the list.
  void FitAnchoredFrames();
  // Composes the story to its end, running the commands scheduled meanwhile.
  void ComposeFully();
  // Has the host recompose the story once, with its recompose command.
  void Recompose();
  // Moves the range for an insertion (delta > 0) or removal (delta < 0) at `position`.
  void ShiftRange(int32_t position, int32_t delta);
  void Clamp(int32_t& start, int32_t& end) const;
  // Loads both strand agents at the caret, keeping no manager state of their own.
  void LoadCaret();

  int32_t start_ = 0;
  int32_t end_ = 0;
  K2StrandAgent paragraphs_{TextStrand::kParagraph};
  K2StrandAgent characters_{TextStrand::kCharacter};
  int32_t base_ = 0;
  std::vector<UID> revisit_;   // anchored or inline owners to re-check after composition
  std::vector<UID> anchored_;  // page items anchored into this story during the current import

 private:
  // The tags of the attributes new text at `start` takes ([start, end) being the target of an insertion).
  WideString AttributesPrefix(int32_t start, int32_t end, IHostTagDialect& dialect);
  // Replaces [start, end) with the text of story `source` (its final return left out) in one host copy.
  int32_t ReplaceWithStory(UID source, int32_t start, int32_t end, const HostTagFacts& facts);
  // Gives the paragraph holding host index `index` the style and overrides of `paragraph` (a run of another
  // story of the document), unless it has them; false when the host refused.
  bool TakeParagraphAttributes(const TextRun& paragraph, int32_t index);
  bool WriteLeading(const ITextAttribute* leading, int32_t from, int32_t to);
  // The host index of a query's index (-1: the range start), with pending text inserted.
  int32_t QueryIndex(int32_t index);
  bool reloadOnDelete_ = true;
};

}  // namespace kesto
