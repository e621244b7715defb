// pagehost: entry point.
#include "app/PageHostApp.h"

int main(int argc, char** argv) {
  return pagehost::Run(argc, argv);
}
