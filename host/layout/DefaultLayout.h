// DefaultLayout: the layout a new document starts with, and the one built for a document saved before
// documents had a layout: the page setup, layers, master spreads, document spreads and pages, sections,
// and the main story in a text frame on the first page's margin box.
#pragma once

#include <vector>

#include "host/core/WideString.h"
#include "host/db/IDataBase.h"
#include "host/layout/IPageSetup.h"

struct NewLayoutOptions {
  struct Master {
    WideString prefix = u"A";
    WideString name = u"Master";
    WideString basedOn;  // the prefix or full name of an earlier master; empty for none
  };
  struct NewSection {
    int32_t firstPage = 1;  // 1-based document page
    WideString name;
  };
  PageSetupValues setup;
  int32_t pages = 1;
  std::vector<Master> masters{Master()};
  int32_t masterPages = 0;    // pages per master spread; 0: the setup's pages per spread
  bool masterFrames = false;  // a text frame (with its own story) on each master page's margin box
  bool mainFrame = true;      // the main story in a frame on page 1's margin box
  std::vector<NewSection> sections;
  std::vector<WideString> layers{u"Layer 1"};

  // Empty when the options make a document; else what is wrong with them.
  std::string Fault() const;
};

namespace DefaultLayout {

// Builds the layout into `db`, whose main story is `mainStory` (none: no main frame). Runs outside any
// command, as part of making or opening a document; answers kInvalidParameterError for options with a
// fault, after which the document is unusable.
ErrorCode Build(IDataBase& db, const NewLayoutOptions& options, UID mainStory);
// Whether `db` has a layout (a document saved before layouts has none).
bool HasLayout(const IDataBase& db);

}  // namespace DefaultLayout
