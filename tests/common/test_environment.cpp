// Every test program learns where the sources and the build tree are, so that
// tests can run the project's tools and read its data. The environment wins,
// so a test can be pointed elsewhere by hand.
#include <cstdlib>

namespace {

void setDefault(const char *name, const char *value) {
#ifdef _WIN32
  if (!std::getenv(name)) _putenv_s(name, value);
#else
  setenv(name, value, 0);
#endif
}

struct TestEnvironment {
  TestEnvironment() {
    setDefault("KELVARO_SOURCE_DIR", KELVARO_TEST_SOURCE_DIR);
    setDefault("KELVARO_BINARY_DIR", KELVARO_TEST_BINARY_DIR);
  }
};

const TestEnvironment environment;

}  // namespace
