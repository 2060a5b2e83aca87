// The game's sound as kelvaro-headless writes it: the winning run of the
// bundled course heard against its trace.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "headless_child.h"

namespace {

using namespace headless_test;

constexpr int SamplesPerPass = 735;  // 44100 Hz at 60 passes a second

struct Wav {
  bool ok = false;
  std::vector<int16_t> samples;
};

Wav readWav(const std::string &path) {
  Wav w;
  const std::string raw = readFile(path);
  const auto *b = reinterpret_cast<const uint8_t *>(raw.data());
  auto u32 = [&](size_t at) { return uint32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24); };
  auto u16 = [&](size_t at) { return uint32_t(b[at] | b[at + 1] << 8); };
  if (raw.size() < 44 || raw.compare(0, 4, "RIFF") != 0 || raw.compare(8, 4, "WAVE") != 0) return w;
  if (u16(20) != 1 || u16(22) != 1 || u32(24) != 44100 || u16(34) != 16 || raw.compare(36, 4, "data") != 0)
    return w;
  const uint32_t bytes = u32(40);
  if (44 + static_cast<size_t>(bytes) != raw.size() || u32(4) != 36 + bytes) return w;
  for (size_t i = 44; i + 1 < raw.size(); i += 2) w.samples.push_back(static_cast<int16_t>(u16(i)));
  w.ok = true;
  return w;
}

struct TracePass {
  long pass;
  int menuMode, lives, jumpIndex;
};

std::vector<TracePass> readTrace(const std::string &path) {
  std::vector<TracePass> out;
  for (const std::string &line : lines(readFile(path))) {
    std::istringstream in(line);
    TracePass p{};
    double x, y, z, speed, heading;
    in >> p.pass >> p.menuMode >> p.lives >> x >> y >> z >> speed >> heading >> p.jumpIndex;
    if (in) out.push_back(p);
  }
  return out;
}

// A contact as the trace shows it: in a playing pass that lost no life the
// bounce index did not move on by one (nor stay resting at 38).
struct Contact {
  long pass;
  bool charged;  // the contact began a higher bounce than a plain one
};

std::vector<Contact> contactsIn(const std::vector<TracePass> &trace) {
  std::vector<Contact> out;
  for (size_t i = 1; i < trace.size(); ++i) {
    const TracePass &a = trace[i - 1], &b = trace[i];
    if (a.menuMode != 0 || b.menuMode != 0 || b.lives != a.lives) continue;
    const int expected = a.jumpIndex < 38 ? a.jumpIndex + 1 : 38;
    if (b.jumpIndex != expected) out.push_back({b.pass, b.jumpIndex < 10});
  }
  return out;
}

double energy(const std::vector<int16_t> &s, long firstPass, long passes) {
  double sum = 0.0;
  const size_t from = static_cast<size_t>(firstPass) * SamplesPerPass;
  const size_t to = std::min(s.size(), static_cast<size_t>(firstPass + passes) * SamplesPerPass);
  for (size_t i = from; i < to; ++i) sum += static_cast<double>(s[i]) * s[i];
  return to > from ? sum / static_cast<double>(to - from) : 0.0;
}

int zeroCrossings(const std::vector<int16_t> &s, long firstPass, long passes) {
  int count = 0;
  const size_t from = static_cast<size_t>(firstPass) * SamplesPerPass;
  const size_t to = std::min(s.size(), static_cast<size_t>(firstPass + passes) * SamplesPerPass);
  for (size_t i = from + 1; i < to; ++i) count += (s[i - 1] < 0) != (s[i] < 0);
  return count;
}

class HeadlessAudio : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fileExists(program())) << "missing " << program();
    ASSERT_TRUE(fileExists(winScript())) << "missing " << winScript();
    scratch_ = scratchDir();
    ASSERT_FALSE(scratch_.empty());
  }
  void TearDown() override {
    if (!scratch_.empty() && !HasFailure()) std::filesystem::remove_all(scratch_);
  }
  static std::string winScript() { return sourceDir() + "/assets/scripts/win.keys"; }

  ChildResult winningRun(const std::string &name, std::vector<std::string> gameArgs = {}) {
    std::vector<std::string> args = {"--keys",  winScript(), "--clock-step",          "10",
                                     "--frames", "3000",     "--trace", scratch_ + "/" + name + ".trace",
                                     "--audio", scratch_ + "/" + name + ".wav"};
    if (!gameArgs.empty()) {
      args.push_back("--");
      args.insert(args.end(), gameArgs.begin(), gameArgs.end());
    }
    return runHeadless(args, dataDir(), scratch_);
  }

  std::string scratch_;
};

TEST_F(HeadlessAudio, TheWinningRunSoundsEveryBounceAndEndsWithTheWin) {
  ChildResult r = winningRun("first");
  ASSERT_EQ(r.status, 255) << r.err;
  const Wav wav = readWav(scratch_ + "/first.wav");
  ASSERT_TRUE(wav.ok);
  const std::vector<TracePass> trace = readTrace(scratch_ + "/first.trace");
  ASSERT_GT(trace.size(), 100u);

  // Every pass has its share of samples; the win sounds on after the last.
  const long passes = static_cast<long>(trace.size()) + 1;  // the winning pass has no trace line
  ASSERT_GT(static_cast<long>(wav.samples.size()), passes * SamplesPerPass);

  int loudest = 0;
  for (int16_t s : wav.samples) loudest = std::max(loudest, std::abs(static_cast<int>(s)));
  EXPECT_LT(loudest, 32767) << "the mix reached full scale";
  EXPECT_GT(loudest, 1000);

  // A sound starts with each contact: its pass (or the next) is louder than
  // the pass before.
  const std::vector<Contact> contacts = contactsIn(trace);
  ASSERT_GT(contacts.size(), 20u);
  int charged = 0;
  int plainCrossingsMost = 0;
  int chargedCrossingsLeast = 1 << 30;
  for (const Contact &c : contacts) {
    const double before = energy(wav.samples, c.pass - 1, 1);
    EXPECT_TRUE(energy(wav.samples, c.pass, 1) > before * 1.1 || energy(wav.samples, c.pass + 1, 1) > before * 1.1)
        << "no sound starts at the contact in pass " << c.pass;
    // The charged bounce rises in pitch where a plain one falls.
    const int crossings = zeroCrossings(wav.samples, c.pass + 3, 7);
    if (c.charged) {
      ++charged;
      chargedCrossingsLeast = std::min(chargedCrossingsLeast, crossings);
    } else if (energy(wav.samples, c.pass - 6, 6) == 0.0) {
      // A plain bounce in quiet surroundings (no charge ticking).
      plainCrossingsMost = std::max(plainCrossingsMost, crossings);
    }
  }
  EXPECT_GT(charged, 0) << "the winning run makes no charged bounce";
  EXPECT_GT(plainCrossingsMost, 0);
  EXPECT_GT(chargedCrossingsLeast, 2 * plainCrossingsMost) << "charged bounces sound like plain ones";

  // The win comes last: after the winning pass nothing but its tune sounds,
  // and it lasts well beyond any bounce.
  EXPECT_GT(energy(wav.samples, passes - 1, 1), 0.0);
  EXPECT_GT(static_cast<long>(wav.samples.size()), (passes + 40) * SamplesPerPass);

  // The same run again: the same file, byte for byte.
  r = winningRun("second");
  ASSERT_EQ(r.status, 255) << r.err;
  EXPECT_EQ(readFile(scratch_ + "/first.wav"), readFile(scratch_ + "/second.wav"));
  EXPECT_EQ(readFile(scratch_ + "/first.trace"), readFile(scratch_ + "/second.trace"));
}

TEST_F(HeadlessAudio, MutedRunsAreSilentAndPlayTheSame) {
  ChildResult r = winningRun("loud");
  ASSERT_EQ(r.status, 255) << r.err;
  r = winningRun("muted", {"-NoSound"});
  ASSERT_EQ(r.status, 255) << r.err;
  EXPECT_NE(r.err.find("Sie haben gewonnen"), std::string::npos) << r.err;
  const Wav muted = readWav(scratch_ + "/muted.wav");
  ASSERT_TRUE(muted.ok);
  EXPECT_FALSE(muted.samples.empty());
  for (int16_t s : muted.samples) ASSERT_EQ(s, 0);
  // Sound or none, the game plays the same.
  EXPECT_EQ(readFile(scratch_ + "/loud.trace"), readFile(scratch_ + "/muted.trace"));

  // M mutes while playing and unmutes again: silence between the presses,
  // sound after them.
  writeFile(scratch_ + "/m.keys", "0 +up\n1 -up\n1 +right\n2 -right\n40 +m\n41 -m\n120 +m\n121 -m\n");
  r = runHeadless({"--keys", scratch_ + "/m.keys", "--clock-step", "10", "--frames", "200", "--audio",
                   scratch_ + "/m.wav"},
                  dataDir(), scratch_);
  ASSERT_EQ(r.status, 0) << r.err;
  const Wav toggled = readWav(scratch_ + "/m.wav");
  ASSERT_TRUE(toggled.ok);
  EXPECT_GT(energy(toggled.samples, 0, 40), 0.0);
  EXPECT_EQ(energy(toggled.samples, 41, 79), 0.0);
  EXPECT_GT(energy(toggled.samples, 121, 79), 0.0);
}

// The course choice sounds its moves, and M pressed there is kept with the
// player's files: the next start is silent until M again; -nosound mutes
// only its own start.
TEST_F(HeadlessAudio, TheChoiceSoundsItsMovesAndTheNextStartKeepsM) {
  const std::string players = scratch_ + "/player";
  auto run = [&](const std::string &name, const std::string &keys, std::vector<std::string> gameArgs) {
    writeFile(scratch_ + "/" + name + ".keys", keys);
    std::vector<std::string> args = {"--keys",         scratch_ + "/" + name + ".keys",
                                     "--frames",       "60",
                                     "--player-files", players,
                                     "--audio",        scratch_ + "/" + name + ".wav",
                                     "--",             "-choose"};
    args.insert(args.end(), gameArgs.begin(), gameArgs.end());
    const ChildResult r = runHeadless(args, dataDir(), scratch_);
    EXPECT_EQ(r.status, 0) << r.err;
    const Wav wav = readWav(scratch_ + "/" + name + ".wav");
    EXPECT_TRUE(wav.ok) << name;
    return wav.samples;
  };
  const std::string moveThenMute = "0 +down\n1 -down\n20 +m\n21 -m\n30 +down\n31 -down\n50 +escape\n";

  std::vector<int16_t> first = run("first", "0 +down\n1 -down\n30 +down\n31 -down\n50 +escape\n", {"-nosound"});
  EXPECT_EQ(energy(first, 0, 60), 0.0) << "-nosound was not heard";
  EXPECT_FALSE(fileExists(players + "/settings.txt")) << "-nosound was kept beyond its start";

  first = run("second", moveThenMute, {});
  EXPECT_GT(energy(first, 0, 20), 0.0) << "the list's move makes no sound";
  EXPECT_EQ(energy(first, 21, 39), 0.0) << "M did not mute the list";
  EXPECT_NE(readFile(players + "/settings.txt").find("=1"), std::string::npos);

  const std::vector<int16_t> next = run("third", "0 +down\n1 -down\n20 +m\n21 -m\n30 +down\n31 -down\n", {});
  EXPECT_EQ(energy(next, 0, 20), 0.0) << "the next start forgot M";
  EXPECT_GT(energy(next, 21, 39), 0.0) << "M did not unmute";
}

TEST_F(HeadlessAudio, ADeviceThatCannotOpenLeavesOneLineAndTheGamePlaysOn) {
  const ChildResult bad =
      runHeadless({"--frames", "3", "--audio", scratch_ + "/missing/x.wav"}, dataDir(), scratch_);
  EXPECT_EQ(bad.status, 0) << bad.err;
  EXPECT_EQ(bad.err, "Kelvaro: keine Tonausgabe verfügbar, das Spiel läuft ohne Ton.\n");
  // Without --audio there is no device to miss: not a word.
  const ChildResult none = runHeadless({"--frames", "3"}, dataDir(), scratch_);
  EXPECT_EQ(none.status, 0) << none.err;
  EXPECT_EQ(none.err, "");
}

}  // namespace
