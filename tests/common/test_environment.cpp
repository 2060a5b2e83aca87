// Every test program learns where the sources and the build tree are, so that
// tests can run the project's tools and read its data. The environment wins,
// so a test can be pointed elsewhere by hand.
#include <cstdlib>

namespace {

struct TestEnvironment {
  TestEnvironment() {
    setenv("KELVARO_SOURCE_DIR", KELVARO_TEST_SOURCE_DIR, 0);
    setenv("KELVARO_BINARY_DIR", KELVARO_TEST_BINARY_DIR, 0);
  }
};

const TestEnvironment environment;

}  // namespace
