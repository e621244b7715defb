// Messages to the user.
#include "app/Output.h"

#include <cstdio>

namespace pagehost {

void Error(const std::string& message) { std::fprintf(stderr, "pagehost: %s\n", message.c_str()); }

void Warning(const std::string& message) { std::fprintf(stderr, "pagehost: warning: %s\n", message.c_str()); }

int UsageError(const std::string& message) {
  Error(message);
  std::fprintf(stderr, "Try 'pagehost --help' for more information.\n");
  return kExitUsage;
}

}  // namespace pagehost
