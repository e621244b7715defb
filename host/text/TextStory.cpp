// The story object's text model.
#include "host/text/TextStory.h"

#include <algorithm>
#include <unordered_map>

#include "host/core/UnitSearch.h"
#include "host/db/IPMStream.h"
#include "host/text/AttributeClasses.h"
#include "host/text/RunAttributesCodec.h"
#include "host/text/StyleUtils.h"
#include "host/text/TextUndoRecords.h"

namespace {

int32_t CountReturns(std::u16string_view text) {
  return static_cast<int32_t>(CountUnit(text, kParagraphReturn));
}

// A paragraph return alone, of paragraph style `style`.
ChunkContent OneReturn(UID style) {
  ChunkContent content{std::u16string(1, kParagraphReturn), {}};
  content.paragraphs.Append({style, EmptyAttributeList()});
  return content;
}

// Changes override lists so that runs which shared a list before still share one after. Each list seen is
// held until the edit ends, so that its address cannot come back as another list's.
class OverrideEdit {
 public:
  using Edit = std::function<void(AttributeBossList&)>;
  explicit OverrideEdit(Edit edit) : edit_(std::move(edit)) {}
  void operator()(RunAttributes& attributes) {
    auto& [before, after] = done_[attributes.overrides.get()];
    if (!after) {
      AttributeBossList list = *attributes.overrides;
      edit_(list);
      before = attributes.overrides;
      after = list == *before ? before : MakeAttrListRef(std::move(list));
    }
    attributes.overrides = after;
  }

 private:
  Edit edit_;
  std::unordered_map<const AttributeBossList*, std::pair<AttrListRef, AttrListRef>> done_;
};

std::function<void(RunAttributes&)> Shared(OverrideEdit::Edit edit) {
  auto editor = std::make_shared<OverrideEdit>(std::move(edit));
  return [editor](RunAttributes& attributes) { (*editor)(attributes); };
}

}  // namespace

IDataBase* TextStory::GetStorageDataBase() const {
  return ::GetDataBase(this);
}

TextStory* TextStory::Find(IDataBase& db, UID story) {
  Boss* boss = db.GetBoss(story);
  CPMUnknownBase* impl =
      boss && boss->GetClass() == kTextStoryBoss ? boss->GetImplementation(kTextStoryImpl) : nullptr;
  return static_cast<TextStory*>(impl);
}

ErrorCode TextStory::DeleteStory(IDataBase* db, UID story) {
  TextStory* self = db ? Find(*db, story) : nullptr;
  if (!self) return kInvalidParameterError;
  self->EnsureIndex();
  for (const auto* blocks : {&self->text_.BlockUIDs(), &self->chars_.BlockUIDs()}) {
    for (UID uid : *blocks)
      (void)db->DeleteObject(uid);
  }
  return db->DeleteObject(story);
}

void TextStory::ReadWrite(IPMStream* stream, ImplementationID) {
  RunAttributesCodec::XferUIDs(stream, text_.BlockUIDs());
  RunAttributesCodec::XferUIDs(stream, chars_.BlockUIDs());
  if (stream->IsReading()) indexValid_ = false;
}

void TextStory::EnsureIndex() const {
  if (indexValid_) return;
  text_.Rebuild();
  chars_.Rebuild();
  indexValid_ = true;
}

void TextStory::DidRestore() {
  UntrackedChanges untracked(GetStorageDataBase());
  indexValid_ = false;
  EnsureIndex();
  Repair();
}

// A story read from a damaged document is made sound: it gets its final paragraph return back, and its
// character strand is cut or extended to the length of its text. A story never set up stays empty.
void TextStory::Repair() {
  if (!GetStorageDataBase() || (text_.Length() == 0 && chars_.Length() == 0)) return;
  int32_t length = text_.Length();
  if (length == 0 || text_.CharAt(length - 1) != kParagraphReturn) {
    UID style = StyleUtils::GetDefaultStyle(GetStorageDataBase(), StyleKind::kParagraph);
    text_.Insert(length, OneReturn(style));
    ++length;
  }
  int32_t covered = chars_.Length();
  if (covered > length) chars_.Erase(length, covered);
  if (covered == 0) {
    UID style = StyleUtils::GetRootStyle(GetStorageDataBase(), StyleKind::kCharacter);
    chars_.Insert(0, {{length, {style, EmptyAttributeList()}}});
  } else if (covered < length) {
    chars_.Grow(covered - 1, length - covered);
  }
}

ErrorCode TextStory::CheckEdit() const {
  IDataBase* db = GetStorageDataBase();
  if (!db) return kInvalidParameterError;
  return db->IsInStep() ? kSuccess : kNotInCommandError;
}

ErrorCode TextStory::CheckAttributeRange(int32_t start, int32_t end) const {
  if (ErrorCode err = CheckEdit(); err != kSuccess) return err;
  int32_t length = TotalLength();
  return start < 0 || start > end || end > length || length == 0 ? kInvalidParameterError : kSuccess;
}

void TextStory::Keep(std::unique_ptr<UndoRecord> record) {
  (void)GetStorageDataBase()->AddUndoRecord(std::move(record));
}

StyledText TextStory::TakeContent(int32_t start, int32_t end) {
  StyledText content = GetStyledText(start, end);
  UntrackedChanges untracked(GetStorageDataBase());
  text_.Erase(start, end);
  chars_.Erase(start, end);
  return content;
}

// The content moves into the blocks: each paragraph record is taken over, not copied.
void TextStory::PutContent(int32_t position, StyledText content) {
  if (content.text.empty()) return;
  UntrackedChanges untracked(GetStorageDataBase());
  text_.Insert(position, {std::move(content.text), std::move(content.paragraphs)});
  chars_.Insert(position, std::move(content.runs));
}

void TextStory::SwapParagraphs(int32_t first, std::vector<RunAttributes>& records) {
  UntrackedChanges untracked(GetStorageDataBase());
  for (size_t i = 0; i < records.size(); ++i) {
    auto index = static_cast<int32_t>(first + i);
    RunAttributes current = text_.Paragraph(index);
    text_.SetParagraph(index, std::move(records[i]));
    records[i] = std::move(current);
  }
}

void TextStory::SwapRuns(int32_t start, std::vector<CharRun>& runs) {
  UntrackedChanges untracked(GetStorageDataBase());
  runs = chars_.Replace(start, std::move(runs));
}

void TextStory::PutInitialReturn(UID paragraphStyle, UID characterStyle) {
  UntrackedChanges untracked(GetStorageDataBase());
  text_.Insert(0, OneReturn(paragraphStyle));
  chars_.Insert(0, {{1, {characterStyle, EmptyAttributeList()}}});
}

void TextStory::Clear() {
  EnsureIndex();
  if (text_.Length() > 0) (void)TakeContent(0, text_.Length());
}

int32_t TextStory::TotalLength() const {
  EnsureIndex();
  return text_.Length();
}

std::u16string TextStory::GetText(int32_t start, int32_t end) const {
  int32_t length = TotalLength();
  start = std::clamp(start, 0, length);
  end = std::clamp(end, start, length);
  std::u16string out;
  text_.Read(start, end, out);
  return out;
}

int32_t TextStory::CopyText(int32_t start, char16_t* buffer, int32_t capacity) const {
  if (!buffer || capacity <= 0 || start < 0) return 0;
  auto end = static_cast<int32_t>(std::min<int64_t>(int64_t{start} + capacity, TotalLength()));
  if (start >= end) return 0;
  text_.Copy(start, end, buffer);
  return end - start;
}

char16_t TextStory::GetChar(int32_t position) const {
  return position >= 0 && position < TotalLength() ? text_.CharAt(position) : 0;
}

int32_t TextStory::CountParagraphs() const {
  EnsureIndex();
  return text_.CountParagraphs();
}

int32_t TextStory::ParagraphIndexAt(int32_t position) const {
  int32_t length = TotalLength();
  return length == 0 ? 0 : text_.ParagraphIndexAt(std::clamp(position, 0, length - 1));
}

TextRun TextStory::GetParagraphRun(int32_t index) const {
  int32_t count = CountParagraphs();
  if (count == 0) return {};
  index = std::clamp(index, 0, count - 1);
  const RunAttributes& attributes = text_.Paragraph(index);
  return {text_.ParagraphStart(index), text_.ReturnPosition(index) + 1, attributes.style,
          attributes.overrides};
}

int32_t TextStory::CountCharacterRuns() const {
  EnsureIndex();
  return chars_.CountRuns();
}

int32_t TextStory::CharacterRunIndexAt(int32_t position) const {
  int32_t length = TotalLength();
  return length == 0 ? 0 : chars_.RunIndexAt(std::clamp(position, 0, length - 1));
}

TextRun TextStory::GetCharacterRun(int32_t index) const {
  int32_t count = CountCharacterRuns();
  return count == 0 ? TextRun() : chars_.RunByIndex(std::clamp(index, 0, count - 1));
}

TextRun TextStory::GetRunAt(TextStrand strand, int32_t position) const {
  int32_t length = TotalLength();
  if (length == 0) return {};
  position = std::clamp(position, 0, length - 1);
  return strand == TextStrand::kParagraph ? GetParagraphRun(text_.ParagraphIndexAt(position))
                                          : chars_.RunAt(position);
}

void TextStory::VisitRuns(TextStrand strand, int32_t start, int32_t end,
                          const std::function<bool(const TextRun&)>& visit) const {
  int32_t length = TotalLength();
  if (length == 0) return;
  start = std::clamp(start, 0, length - 1);
  if (strand == TextStrand::kCharacter) return chars_.Visit(start, end, visit);
  for (int32_t i = text_.ParagraphIndexAt(start); i < text_.CountParagraphs(); ++i) {
    TextRun run = GetParagraphRun(i);
    if (!visit(run) || run.end >= end) return;
  }
}

StyledText TextStory::GetStyledText(int32_t start, int32_t end) const {
  int32_t length = TotalLength();
  start = std::clamp(start, 0, length);
  end = std::clamp(end, start, length);
  StyledText out;
  ChunkContent content = text_.Slice(start, end);
  out.text = std::move(content.text);
  out.paragraphs = std::move(content.paragraphs);
  if (start == end) return out;
  chars_.Visit(start, end, [&](const TextRun& run) {
    int32_t from = std::max(run.start, start);
    int32_t to = std::min(run.end, end);
    out.runs.push_back({to - from, {run.style, run.overrides}});
    return true;
  });
  return out;
}

std::string TextStory::Check() const {
  EnsureIndex();
  if (text_.Length() == 0) return "the story has not been set up";
  if (std::string fault = text_.Check(); !fault.empty()) return fault;
  if (std::string fault = chars_.Check(); !fault.empty()) return fault;
  if (chars_.Length() != text_.Length()) return "the character strand does not cover the text";
  return {};
}

ErrorCode TextStory::Initialize(UID paragraphStyle, UID characterStyle) {
  if (ErrorCode err = CheckEdit(); err != kSuccess) return err;
  if (TotalLength() != 0) return kInvalidParameterError;
  PutInitialReturn(paragraphStyle, characterStyle);
  Keep(TextUndoRecords::Initialized(GetStoryUID(), paragraphStyle, characterStyle));
  return kSuccess;
}

ErrorCode TextStory::Insert(int32_t position, std::u16string_view text) {
  if (ErrorCode err = CheckEdit(); err != kSuccess) return err;
  int32_t length = TotalLength();
  if (position < 0 || position >= length || text.empty() ||
      static_cast<int64_t>(length) + static_cast<int64_t>(text.size()) > kMaxStoryLength) {
    return kInvalidParameterError;
  }
  bool paragraphStart = position == 0 || text_.CharAt(position - 1) == kParagraphReturn;
  ChunkContent content{std::u16string(text), {}};
  if (int32_t returns = CountReturns(text); returns > 0)
    content.paragraphs.Append(text_.Paragraph(text_.ParagraphIndexAt(position)), returns);
  {
    UntrackedChanges untracked(GetStorageDataBase());
    text_.Insert(position, std::move(content));
    chars_.Grow(paragraphStart ? position : position - 1, static_cast<int32_t>(text.size()));
  }
  Keep(TextUndoRecords::Inserted(GetStoryUID(), position, static_cast<int32_t>(text.size())));
  return kSuccess;
}

ErrorCode TextStory::InsertStyled(int32_t position, StyledText styled) {
  if (ErrorCode err = CheckEdit(); err != kSuccess) return err;
  int32_t length = TotalLength();
  if (position < 0 || position >= length ||
      static_cast<int64_t>(length) + static_cast<int64_t>(styled.text.size()) > kMaxStoryLength) {
    return kInvalidParameterError;
  }
  int64_t covered = 0;
  for (const auto& run : styled.runs) {
    if (run.length <= 0 || !run.attributes.overrides) return kInvalidParameterError;
    covered += run.length;
  }
  if (covered != static_cast<int64_t>(styled.text.size()) ||
      styled.paragraphs.Count() != CountReturns(styled.text)) {
    return kInvalidParameterError;
  }
  bool listed = true;
  styled.paragraphs.ForEachRun(
      [&](int32_t, const RunAttributes& record) { listed &= record.overrides != nullptr; });
  if (!listed) return kInvalidParameterError;
  if (styled.text.empty()) return kSuccess;
  auto inserted = static_cast<int32_t>(styled.text.size());
  PutContent(position, std::move(styled));
  Keep(TextUndoRecords::Inserted(GetStoryUID(), position, inserted));
  return kSuccess;
}

ErrorCode TextStory::Delete(int32_t start, int32_t end) {
  if (ErrorCode err = CheckEdit(); err != kSuccess) return err;
  int32_t length = TotalLength();
  if (start < 0 || start > end || end >= length) return kInvalidParameterError;
  if (start == end) return kSuccess;
  Keep(TextUndoRecords::Removed(GetStoryUID(), start, TakeContent(start, end)));
  return kSuccess;
}

void TextStory::ChangeParagraphs(int32_t start, int32_t end,
                                 const std::function<void(RunAttributes&)>& change) {
  int32_t lastPosition = text_.Length() - 1;
  int32_t first = text_.ParagraphIndexAt(std::min(start, lastPosition));
  int32_t last = text_.ParagraphIndexAt(std::min(std::max(end - 1, start), lastPosition));
  std::vector<RunAttributes> before;
  UntrackedChanges untracked(GetStorageDataBase());
  for (int32_t i = first; i <= last; ++i) {
    RunAttributes attributes = text_.Paragraph(i);
    change(attributes);
    if (SameRunAttributes(attributes, text_.Paragraph(i))) {
      if (!before.empty()) before.push_back(attributes);
      continue;
    }
    if (before.empty()) first = i;
    before.push_back(text_.Paragraph(i));
    text_.SetParagraph(i, std::move(attributes));
  }
  // Unchanged paragraphs after the first changed one are kept too: the record covers one stretch.
  if (!before.empty()) Keep(TextUndoRecords::ParagraphsReplaced(GetStoryUID(), first, std::move(before)));
}

void TextStory::ChangeCharacters(int32_t start, int32_t end,
                                 const std::function<void(RunAttributes&)>& change) {
  std::vector<CharRun> before;
  {
    UntrackedChanges untracked(GetStorageDataBase());
    before = chars_.Transform(start, end, change);
  }
  if (!before.empty()) Keep(TextUndoRecords::RunsReplaced(GetStoryUID(), start, std::move(before)));
}

ErrorCode TextStory::ApplyStyle(TextStrand strand, int32_t start, int32_t end, UID style,
                                bool clearOverrides) {
  if (ErrorCode err = CheckAttributeRange(start, end); err != kSuccess) return err;
  auto change = [&](RunAttributes& attributes) {
    attributes.style = style;
    if (clearOverrides) attributes.overrides = EmptyAttributeList();
  };
  if (strand == TextStrand::kParagraph) {
    ChangeParagraphs(start, end, change);
  } else {
    ChangeCharacters(start, end, change);
  }
  return kSuccess;
}

// Paragraph attributes given for the character strand go to the paragraphs the range touches, since a
// paragraph attribute always covers whole paragraphs.
ErrorCode TextStory::ApplyOverrides(TextStrand strand, int32_t start, int32_t end,
                                    const AttributeBossList& overrides) {
  if (ErrorCode err = CheckAttributeRange(start, end); err != kSuccess) return err;
  auto applying = [](const AttributeBossList& list) {
    return Shared([list](AttributeBossList& target) { target.ApplyAttributes(list); });
  };
  if (strand == TextStrand::kParagraph) {
    if (!overrides.IsEmpty()) ChangeParagraphs(start, end, applying(overrides));
    return kSuccess;
  }
  AttributeBossList paragraphPart = overrides.FilterByScope(true);
  AttributeBossList characterPart = overrides.FilterByScope(false);
  if (start < end && !paragraphPart.IsEmpty()) ChangeParagraphs(start, end, applying(paragraphPart));
  if (!characterPart.IsEmpty()) ChangeCharacters(start, end, applying(characterPart));
  return kSuccess;
}

ErrorCode TextStory::ClearOverrides(TextStrand strand, int32_t start, int32_t end,
                                    std::span<const ClassID> classes) {
  if (ErrorCode err = CheckAttributeRange(start, end); err != kSuccess) return err;
  auto clearing = [](std::vector<ClassID> which) {
    return Shared([which = std::move(which)](AttributeBossList& target) {
      if (which.empty()) {
        target.ClearAllOverrides();
      } else {
        (void)target.ClearOverrides(which);
      }
    });
  };
  if (strand == TextStrand::kParagraph) {
    ChangeParagraphs(start, end, clearing({classes.begin(), classes.end()}));
    return kSuccess;
  }
  std::vector<ClassID> paragraphClasses;
  std::vector<ClassID> characterClasses;
  for (ClassID cls : classes)
    (AttributeClasses::IsParagraphAttribute(cls) ? paragraphClasses : characterClasses).push_back(cls);
  if (start < end && !paragraphClasses.empty()) ChangeParagraphs(start, end, clearing(paragraphClasses));
  if (classes.empty() || !characterClasses.empty()) ChangeCharacters(start, end, clearing(characterClasses));
  return kSuccess;
}
