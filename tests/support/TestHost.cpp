// Host start-up for tests.
#include "tests/support/TestHost.h"

namespace testing_support {
void EnsureHost() {}
}
