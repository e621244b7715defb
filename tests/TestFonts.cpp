// Every test program, and every pagehost it starts, sees the same fonts: those tests/data/fonts/fonts.conf
// names, set before any test asks the font catalog for them.
#include <cstdlib>

namespace {

[[maybe_unused]] const bool kFontsChosen = [] {
  return setenv("PAGEHOST_FONT_CONFIG", PAGEHOST_TEST_DATA "/fonts/fonts.conf", 1) == 0;
}();

}  // namespace
