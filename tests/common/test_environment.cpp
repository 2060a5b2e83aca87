// Every test program learns where the sources and the build tree are, so that
// tests can run the project's tools and read its data. The environment wins,
// so a test can be pointed elsewhere by hand.
#include "common/portable.h"

namespace {

struct TestEnvironment {
  TestEnvironment() {
    portable::setEnvDefault("KELVARO_SOURCE_DIR", KELVARO_TEST_SOURCE_DIR);
    portable::setEnvDefault("KELVARO_BINARY_DIR", KELVARO_TEST_BINARY_DIR);
  }
};

const TestEnvironment environment;

}  // namespace
