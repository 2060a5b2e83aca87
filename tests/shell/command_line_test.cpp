#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "game/shell/startup.h"

namespace {

DriverOptions parse(std::initializer_list<const char *> args) {
  std::vector<const char *> argv = {"kelvaro640"};
  argv.insert(argv.end(), args.begin(), args.end());
  DriverOptions o = defaultGameDriverOptions();
  parseCommandLine(static_cast<int>(argv.size()), argv.data(), &o);
  return o;
}

TEST(CommandLine, StartsWithEverythingButOpenGLPermitted) {
  const DriverOptions o = parse({});
  EXPECT_EQ(o.useDirectAccess, 1);
  EXPECT_EQ(o.useDirectDraw, 1);
  EXPECT_EQ(o.useVGA, 1);
  EXPECT_EQ(o.useVGAX, 1);
  EXPECT_EQ(o.useVBE, 1);
  EXPECT_EQ(o.useLinear, 1);
  EXPECT_EQ(o.useVBEAF, 1);
  EXPECT_EQ(o.useFullScreenDIB, 1);
  EXPECT_EQ(o.useOpenGL, 0);
  EXPECT_EQ(o.modeFilter, 15);
}

TEST(CommandLine, SwitchesClearTheirFieldInAnyLetterCase) {
  const DriverOptions o = parse({"-NoDirectDraw", "-NOVGAX", "-novbeaf", "-nolinear", "-NOVBE"});
  EXPECT_EQ(o.useDirectDraw, 0);
  EXPECT_EQ(o.useVGAX, 0);
  EXPECT_EQ(o.useVBEAF, 0);
  EXPECT_EQ(o.useLinear, 0);
  EXPECT_EQ(o.useVBE, 0);
  EXPECT_EQ(o.useVGA, 1);
  EXPECT_EQ(o.useDirectAccess, 1);
  EXPECT_EQ(o.useFullScreenDIB, 1);
}

TEST(CommandLine, ArgumentsThatMerelyContainASwitchAreIgnored) {
  const DriverOptions o = parse({"-nodirectdraw=1", "/novga", "nodirectaccess", "-h", "42", "-nodirectaccessx"});
  const DriverOptions d = defaultGameDriverOptions();
  EXPECT_EQ(std::memcmp(&o, &d, sizeof o), 0);
}

TEST(CommandLine, RepeatedSwitchesAreHarmless) {
  const DriverOptions o = parse({"-novga", "-novga", "-nodirectaccess"});
  EXPECT_EQ(o.useVGA, 0);
  EXPECT_EQ(o.useDirectAccess, 0);
}

TEST(CommandLine, EnvironmentNumberKeepsDirectAccessOut) {
  DriverOptions o = defaultGameDriverOptions();
  setenv("RK_NO_DIRECTACCESS", "0", 1);
  applyEnvironment(&o);
  EXPECT_EQ(o.useDirectAccess, 1);
  setenv("RK_NO_DIRECTACCESS", "1", 1);
  applyEnvironment(&o);
  EXPECT_EQ(o.useDirectAccess, 0);
  unsetenv("RK_NO_DIRECTACCESS");
}

}  // namespace
