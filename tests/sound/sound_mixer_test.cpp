// The mixer: overlapping sounds, the ceiling that keeps them from clipping,
// muting, and the request ring between the main loop and the device.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "game/sound/sound_mixer.h"
#include "game/sound/sound_synth.h"

namespace {

constexpr int Rate = 44100;

int loudest(const std::vector<int16_t> &s) {
  int most = 0;
  for (int16_t v : s) most = std::max(most, std::abs(static_cast<int>(v)));
  return most;
}

class Mixer : public ::testing::Test {
 protected:
  void SetUp() override {
    resetMixer();
    prepareMixer(Rate);
  }
  void TearDown() override { resetMixer(); }
  std::vector<int16_t> mix(int count) {
    std::vector<int16_t> out(static_cast<size_t>(count));
    mixSound(out.data(), count);
    return out;
  }
};

TEST_F(Mixer, EverySoundIsShortSoftAndNeverEmpty) {
  for (int k = 0; k < static_cast<int>(SoundKind::Count); ++k) {
    const std::vector<int16_t> table = synthesiseSound(static_cast<SoundKind>(k), Rate);
    EXPECT_GT(table.size(), static_cast<size_t>(Rate / 100)) << k;
    EXPECT_LE(table.size(), static_cast<size_t>(Rate * 13 / 10)) << k;
    EXPECT_EQ(loudest(table), SoundPeak) << k;
    // Starts and ends quietly: no click.
    EXPECT_LT(std::abs(table.front()), SoundPeak / 10) << k;
    EXPECT_LT(std::abs(table.back()), SoundPeak / 10) << k;
  }
}

TEST_F(Mixer, OverlappingSoundsAddUpWithoutClipping) {
  queueSound(SoundKind::Bounce);
  const std::vector<int16_t> alone = mix(2000);
  EXPECT_GT(loudest(alone), SoundPeak / 2);

  // Far more at once than the voices: the newest replace the oldest, and the
  // sum of the loudest tables at full gain and their highest pitch stays
  // inside 16 bits.
  for (int i = 0; i < 3 * MaxVoices; ++i) queueSound(static_cast<SoundKind>(i % 7), 1.0, 1.0 + 0.2 * (i % 3));
  const std::vector<int16_t> crowd = mix(Rate);
  EXPECT_LE(loudest(crowd), MaxVoices * SoundPeak);
  EXPECT_LT(MaxVoices * SoundPeak, 32767);
  EXPECT_GT(loudest(crowd), SoundPeak);
  // A second and a half later everything has run out.
  mix(Rate / 2);
  EXPECT_FALSE(mixerSounding());
  EXPECT_EQ(loudest(mix(100)), 0);
}

TEST_F(Mixer, SilenceDropsWhatPlaysAndWhatIsAsked) {
  queueSound(SoundKind::Win);
  mix(100);
  setMixerSilent(true);
  queueSound(SoundKind::Bounce);
  EXPECT_EQ(loudest(mix(Rate)), 0);
  EXPECT_FALSE(mixerSounding());
  setMixerSilent(false);
  EXPECT_EQ(loudest(mix(100)), 0) << "a sound from before the silence came back";
  queueSound(SoundKind::MenuMove, 0.5);
  EXPECT_GT(loudest(mix(1000)), 0);
}

TEST_F(Mixer, AStalledDeviceLosesRequestsNotMemory) {
  // The device pulls nothing for a while: requests beyond the ring are
  // dropped, the ones kept play once it pulls again.
  for (int i = 0; i < 1000; ++i) queueSound(SoundKind::ListMove);
  EXPECT_TRUE(mixerSounding());
  EXPECT_GT(loudest(mix(200)), 0);
  mix(Rate);
  EXPECT_FALSE(mixerSounding());
}

}  // namespace
