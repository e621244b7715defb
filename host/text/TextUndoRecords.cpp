// Undo records of story edits.
#include "host/text/TextUndoRecords.h"

#include <utility>

#include "host/text/TextStory.h"

namespace {

using Attributes = StyledText::Attributes;
using CharacterRun = StyledText::CharacterRun;

class StoryRecord : public UndoRecord {
 public:
  explicit StoryRecord(UID story) : story_(story) {}
  UID GetObject() const override { return story_; }

 protected:
  TextStory* Story(IDataBase& db) const { return TextStory::Find(db, story_); }
  UID story_;
};

class Inserted final : public StoryRecord {
 public:
  Inserted(UID story, int32_t position, int32_t length)
      : StoryRecord(story), position_(position), length_(length) {}
  void Revert(IDataBase& db) override {
    if (TextStory* story = Story(db)) content_ = story->TakeContent(position_, position_ + length_);
  }
  void Reapply(IDataBase& db) override {
    if (TextStory* story = Story(db)) story->PutContent(position_, std::exchange(content_, {}));
  }
  bool Absorb(UndoRecord& next) override {
    auto* inserted = dynamic_cast<Inserted*>(&next);
    if (!inserted || inserted->story_ != story_ || inserted->position_ != position_ + length_) return false;
    length_ += inserted->length_;
    return true;
  }

 private:
  int32_t position_;
  int32_t length_;
  StyledText content_;  // what was inserted, while undone
};

class Removed final : public StoryRecord {
 public:
  Removed(UID story, int32_t position, StyledText removed)
      : StoryRecord(story),
        position_(position),
        length_(static_cast<int32_t>(removed.text.size())),
        content_(std::move(removed)) {}
  void Revert(IDataBase& db) override {
    if (TextStory* story = Story(db)) story->PutContent(position_, std::exchange(content_, {}));
  }
  void Reapply(IDataBase& db) override {
    if (TextStory* story = Story(db)) content_ = story->TakeContent(position_, position_ + length_);
  }

 private:
  int32_t position_;
  int32_t length_;
  StyledText content_;  // what was removed, while done
};

// Paragraph records or character runs from `at` on were replaced: undo and redo both exchange what the
// story holds there with what the record holds.
template <class Item, void (TextStory::*Exchange)(int32_t, std::vector<Item>&)>
class Replaced final : public StoryRecord {
 public:
  Replaced(UID story, int32_t at, std::vector<Item> other)
      : StoryRecord(story), at_(at), other_(std::move(other)) {}
  void Revert(IDataBase& db) override { Swap(db); }
  void Reapply(IDataBase& db) override { Swap(db); }

 private:
  void Swap(IDataBase& db) {
    if (TextStory* story = Story(db)) (story->*Exchange)(at_, other_);
  }
  int32_t at_;
  std::vector<Item> other_;  // the items not in the story now
};

using ParagraphsReplaced = Replaced<Attributes, &TextStory::SwapParagraphs>;
using RunsReplaced = Replaced<CharacterRun, &TextStory::SwapRuns>;

class Initialized final : public StoryRecord {
 public:
  Initialized(UID story, UID paragraphStyle, UID characterStyle)
      : StoryRecord(story), paragraphStyle_(paragraphStyle), characterStyle_(characterStyle) {}
  void Revert(IDataBase& db) override {
    if (TextStory* story = Story(db)) story->Clear();
  }
  void Reapply(IDataBase& db) override {
    if (TextStory* story = Story(db)) story->PutInitialReturn(paragraphStyle_, characterStyle_);
  }

 private:
  UID paragraphStyle_;
  UID characterStyle_;
};

}  // namespace

namespace TextUndoRecords {

std::unique_ptr<UndoRecord> Inserted(UID story, int32_t position, int32_t length) {
  return std::make_unique<::Inserted>(story, position, length);
}
std::unique_ptr<UndoRecord> Removed(UID story, int32_t position, StyledText removed) {
  return std::make_unique<::Removed>(story, position, std::move(removed));
}
std::unique_ptr<UndoRecord> ParagraphsReplaced(UID story, int32_t first, std::vector<Attributes> before) {
  return std::make_unique<::ParagraphsReplaced>(story, first, std::move(before));
}
std::unique_ptr<UndoRecord> RunsReplaced(UID story, int32_t start, std::vector<CharacterRun> before) {
  return std::make_unique<::RunsReplaced>(story, start, std::move(before));
}
std::unique_ptr<UndoRecord> Initialized(UID story, UID paragraphStyle, UID characterStyle) {
  return std::make_unique<::Initialized>(story, paragraphStyle, characterStyle);
}

}  // namespace TextUndoRecords
