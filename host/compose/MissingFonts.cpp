// Finding the fonts a document names that are not at hand.
#include "host/compose/MissingFonts.h"

#include <algorithm>
#include <map>

#include "host/compose/RunFont.h"
#include "host/text/IStoryList.h"
#include "host/text/ITextModel.h"

namespace {

// Every place where the font in force may change: each character run, and each paragraph within it.
void CollectFromStory(IDataBase& db, const ITextModel& story,
                      std::map<std::pair<WideString, WideString>, const FontFace*>& found) {
  int32_t length = story.TotalLength();
  for (int32_t at = 0; at < length;) {
    TextRun character = story.GetRunAt(TextStrand::kCharacter, at);
    TextRun paragraph = story.GetRunAt(TextStrand::kParagraph, at);
    AttributeResolver::Place place{.db = &db, .character = character, .paragraph = paragraph};
    FontChoice choice = ChooseFace(place);
    if (choice.missing) found.emplace(std::make_pair(choice.family, choice.faceName), choice.face);
    at = std::max(at + 1, std::min(character.end, paragraph.end));
  }
}

}  // namespace

std::vector<MissingFont> FindMissingFonts(IDataBase& db) {
  std::map<std::pair<WideString, WideString>, const FontFace*> found;
  auto stories = Instantiate<IStoryList>(&db, db.GetRootUID());
  for (int32_t i = 0; stories && i < stories->CountStories(); ++i) {
    if (auto story = Instantiate<ITextModel>(&db, stories->GetNthStory(i)))
      CollectFromStory(db, *story, found);
  }
  std::vector<MissingFont> missing;
  for (const auto& [name, substitute] : found)
    missing.push_back({name.first, name.second, substitute});
  return missing;
}
