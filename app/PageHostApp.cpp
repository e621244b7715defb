// The pagehost command line.
#include "app/PageHostApp.h"

#include <cstdio>

namespace pagehost {

int Run(int argc, char** argv) {
  std::puts("pagehost");
  return 0;
}

}  // namespace pagehost
