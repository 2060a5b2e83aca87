// SDL's audio device through SDL's own file-writing driver: what the game
// starts arrives in the file as the mixer made it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/portable.h"
#include "framework/host.h"
#include "game/sound/sound_control.h"
#include "game/sound/sound_mixer.h"
#include "game/sound/sound_synth.h"
#include "platform/sdl/sdl_audio.h"

namespace {

std::vector<int16_t> readSamples(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  const std::string raw{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::vector<int16_t> out(raw.size() / 2);
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<int16_t>(static_cast<uint8_t>(raw[2 * i]) | static_cast<uint8_t>(raw[2 * i + 1]) << 8);
  return out;
}

size_t firstSound(const std::vector<int16_t> &s) {
  size_t i = 0;
  while (i < s.size() && s[i] == 0) ++i;
  return i;
}

TEST(SdlAudio, TheDiskDriverWritesWhatTheGameStarts) {
  const std::string folder = portable::makeTempFolder("kelvaro-sdl-audio-").string();
  const std::string file = folder + "/out.raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "0", 1);

  static const Host machine = {"sdl", nullptr, nullptr, nullptr, true, sdlHostAudio()};
  setHost(&machine);
  setSoundMuted(false);
  ASSERT_TRUE(openSound());
  playSound(SoundKind::Bounce);
  for (int waited = 0; waited < 2000 && mixerSounding(); waited += 5) SDL_Delay(5);
  SDL_Delay(50);
  closeSound();
  setHost(nullptr);

  const std::vector<int16_t> written = readSamples(file);
  const std::vector<int16_t> table = synthesiseSound(SoundKind::Bounce, PreferredSoundRate);
  const size_t start = firstSound(written), tableStart = firstSound(table);
  ASSERT_LT(start, written.size()) << "the file holds silence only";
  ASSERT_GE(written.size() - start, table.size() - tableStart);
  size_t differing = 0;
  for (size_t i = tableStart; i < table.size(); ++i) differing += written[start + i - tableStart] != table[i];
  EXPECT_EQ(differing, 0u);
  // One bounce and nothing after it.
  for (size_t i = start + table.size() - tableStart; i < written.size(); ++i) ASSERT_EQ(written[i], 0) << i;

  std::remove(file.c_str());
  std::filesystem::remove_all(folder);
  unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
