// Sorvia's texts.
#include "sorvia/SorviaStrings.h"

#include "host/res/Translator.h"

namespace sorvia {

void RegisterSorviaStrings() {
  Translator::Get().Add("en", {{"A672sDT", "Default"},
                               {"A672sNm", "Text Thread"},
                               {"A672a", "Set Auto-Flow Preferences"},
                               {"A672b", "New Text Thread"},
                               {"A672c", "Rename Text Thread"},
                               {"A672d", "Delete Text Thread"},
                               {"A672e", "Set Story Thread"},
                               {"A672f", "Flow Master Thread Frames"},
                               {"A672i", "Assign Story to Thread"},
                               {"A672j", "Set Story Orphan"},
                               {"A672SendBehind", "Send Behind"},
                               {"A672Null", "Thread Update"},
                               {"A672sO", "Overriding master frames"},
                               {"A672sL", "Linking thread frames"},
                               {"A672sR", "Recomposing thread stories"}});
}

}  // namespace sorvia
