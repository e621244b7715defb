// The threads of a document as JSON.
#include "sorvia/ThreadInspectMember.h"

#include <cstdio>
#include <map>

#include "host/core/ServiceRegistry.h"
#include "host/layout/LayoutUtils.h"
#include "host/text/IStoryList.h"
#include "sorvia/ThreadFunctions.h"
#include "sorvia/ThreadQueries.h"

namespace sorvia {
namespace {

std::string Quote(const WideString& text) {
  std::string out = "\"";
  for (char c : Utf8FromWide(text)) {
    if (c == '"' || c == '\\') out += '\\';
    if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof(escaped), "\\u%04x", c);
      out += escaped;
      continue;
    }
    out += c;
  }
  return out + "\"";
}

std::string Uid(UID uid) {
  return uid.IsValid() ? std::to_string(uid.Get()) : "null";
}

// Where a frame lies: "1" for document page 1, "A:1" for master page 1 of A, null off the pages.
std::string PageName(IDataBase& db, UID frame) {
  UID page = LayoutUtils::PageOfItem(&db, frame);
  if (!page.IsValid()) return "null";
  int32_t index = LayoutUtils::PageIndexOf(&db, page);
  if (index >= 0 && index < LayoutUtils::CountPages(&db)) return "\"" + std::to_string(index + 1) + "\"";
  return "\"" + LayoutUtils::PlaceOfItem(&db, frame) + "\"";
}

std::string StoryJson(IDataBase& db, UID frameList) {
  auto list = Instantiate<IFrameList>(&db, frameList);
  std::string frames, pages;
  for (int32_t i = 0; list && i < list->CountFrames(); ++i) {
    frames += (i > 0 ? "," : "") + Uid(list->GetNthFrame(i));
    pages += (i > 0 ? "," : "") + PageName(db, list->GetNthFrame(i));
  }
  return "{\"story\":" + Uid(list ? list->GetStory() : kInvalidUID) +
         ",\"orphan\":" + (ThreadQueries::IsOrphanStory(&db, frameList) ? "true" : "false") +
         ",\"frames\":[" + frames + "],\"pages\":[" + pages + "]}";
}

std::string ThreadJson(IDataBase& db, UID thread, const std::multimap<UID, UID>& storiesByThread) {
  auto data = Instantiate<ITextThreadData>(&db, thread);
  std::string stories;
  auto [first, last] = storiesByThread.equal_range(thread);
  for (auto it = first; it != last; ++it)
    stories += (stories.empty() ? "" : ",") + StoryJson(db, it->second);
  return "{\"uid\":" + Uid(thread) + ",\"name\":" + (data ? Quote(data->GetName()) : "null") +
         ",\"stories\":[" + stories + "]}";
}

}  // namespace

std::string ThreadInspectMember::GetMemberJson(IDataBase& db) const {
  auto list = QueryThreadList(&db);
  auto stories = Instantiate<IStoryList>(&db, db.GetRootUID());
  if (!list || !stories) return {};
  std::multimap<UID, UID> storiesByThread;
  std::string memberships;
  for (int32_t i = 0; i < stories->CountStories(); ++i) {
    UID story = stories->GetNthStory(i);
    UID frameList = LayoutUtils::FrameListOfStory(&db, story);
    UID thread = ThreadQueries::ThreadOfStory(&db, frameList);
    bool orphan = ThreadQueries::IsOrphanStory(&db, frameList);
    if (thread.IsValid()) storiesByThread.emplace(thread, frameList);
    if (!thread.IsValid() && !orphan) continue;
    memberships += (memberships.empty() ? "" : ",") + std::string("{\"story\":") + Uid(story) +
                   ",\"thread\":" + Uid(thread) + ",\"orphan\":" + (orphan ? "true" : "false") + "}";
  }
  std::string named;
  for (int32_t i = 0; i < list->GetThreadCount(); ++i)
    named += (i > 0 ? "," : "") + ThreadJson(db, list->GetNthThread(i), storiesByThread);
  UID fallback = list->GetDefaultThread();
  return "{\"default\":" + (fallback.IsValid() ? ThreadJson(db, fallback, storiesByThread) : "null") +
         ",\"named\":[" + named + "],\"stories\":[" + memberships + "]}";
}

std::string ThreadInspectMember::GetStoryMembersJson(IDataBase& db, UID story) const {
  if (!QueryThreadList(&db)) return {};
  UID frameList = LayoutUtils::FrameListOfStory(&db, story);
  return "\"thread\":" + Uid(ThreadQueries::ThreadOfStory(&db, frameList)) +
         ",\"orphan\":" + (ThreadQueries::IsOrphanStory(&db, frameList) ? "true" : "false");
}

std::string ThreadInspectMember::GetSummaryText(IDataBase& db) const {
  auto list = QueryThreadList(&db);
  auto stories = Instantiate<IStoryList>(&db, db.GetRootUID());
  if (!list || !stories) return {};
  std::vector<UID> threads;
  if (list->GetDefaultThread().IsValid()) threads.push_back(list->GetDefaultThread());
  for (int32_t i = 0; i < list->GetThreadCount(); ++i)
    threads.push_back(list->GetNthThread(i));
  std::string text = "Threads: " + std::to_string(threads.size()) + "\n";
  for (UID thread : threads) {
    auto data = Instantiate<ITextThreadData>(&db, thread);
    text += "  thread " + std::to_string(thread.Get()) +
            (thread == list->GetDefaultThread() ? " (default)" : "") + " \"" +
            (data ? Utf8FromWide(data->GetName()) : "") + "\":";
    int32_t count = 0;
    for (int32_t i = 0; i < stories->CountStories(); ++i) {
      UID frameList = LayoutUtils::FrameListOfStory(&db, stories->GetNthStory(i));
      if (ThreadQueries::ThreadOfStory(&db, frameList) != thread) continue;
      auto frames = Instantiate<IFrameList>(&db, frameList);
      text += std::string(count++ > 0 ? "," : "") + " story " +
              std::to_string(stories->GetNthStory(i).Get()) + " (" + std::to_string(frames->CountFrames()) +
              " frame" + (frames->CountFrames() == 1 ? "" : "s") +
              (ThreadQueries::IsOrphanStory(&db, frameList) ? ", orphan" : "") + ")";
    }
    text += count == 0 ? " no stories\n" : "\n";
  }
  return text;
}

ErrorCode RegisterThreadInspectMember(Registry& registry) {
  if (registry.IsClassRegistered(kThreadInspectMemberBoss)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<ThreadInspectMember>(kThreadInspectMemberImpl);
  if (error == kSuccess) {
    error = registry.RegisterClass(kThreadInspectMemberBoss, kInvalidClass, "kThreadInspectMemberBoss",
                                   {{IID_IINSPECTMEMBERPROVIDER, kThreadInspectMemberImpl}});
  }
  if (error == kSuccess)
    error = ServiceRegistry::Get().Register(kInspectMemberService, kThreadInspectMemberBoss);
  return error;
}

}  // namespace sorvia
