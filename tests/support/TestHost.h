// TestHost: brings the host up once per test program.
#pragma once

namespace testing_support {
void EnsureHost();
}
