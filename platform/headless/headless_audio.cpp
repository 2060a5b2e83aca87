#include "platform/headless/headless_audio.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "framework/host_audio.h"

namespace {

std::string target;
std::string partFile;
std::FILE *out = nullptr;
AudioFillFunc fill = nullptr;
uint32_t samplesWritten = 0;
int16_t block[HeadlessSamplesPerPass];

void putWord(uint8_t *at, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

// The 44-byte RIFF header of a PCM file holding `samples` samples.
void writeHeader(uint32_t samples) {
  uint8_t h[44] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
  putWord(h + 4, 36 + samples * 2, 4);
  putWord(h + 16, 16, 4);
  putWord(h + 20, 1, 2);  // PCM
  putWord(h + 22, 1, 2);  // mono
  putWord(h + 24, HeadlessAudioRate, 4);
  putWord(h + 28, HeadlessAudioRate * 2, 4);
  putWord(h + 32, 2, 2);
  putWord(h + 34, 16, 2);
  h[36] = 'd';
  h[37] = 'a';
  h[38] = 't';
  h[39] = 'a';
  putWord(h + 40, samples * 2, 4);
  std::fseek(out, 0, SEEK_SET);
  std::fwrite(h, 1, sizeof h, out);
}

void writeBlock() {
  fill(block, HeadlessSamplesPerPass);
  uint8_t bytes[HeadlessSamplesPerPass * 2];
  for (int i = 0; i < HeadlessSamplesPerPass; ++i) putWord(bytes + 2 * i, static_cast<uint16_t>(block[i]), 2);
  std::fwrite(bytes, 1, sizeof bytes, out);
  samplesWritten += HeadlessSamplesPerPass;
}

int openWav(int, AudioFillFunc f) {
  partFile = target + ".part";
  out = std::fopen(partFile.c_str(), "wb");
  if (!out) return 0;
  fill = f;
  samplesWritten = 0;
  writeHeader(0);
  return HeadlessAudioRate;
}

void afterPass() {
  if (out) writeBlock();
}

void closeWav(int milliseconds, bool (*stillSounding)()) {
  if (!out) return;
  for (int left = milliseconds * HeadlessAudioRate / 1000; left > 0 && stillSounding && stillSounding();
       left -= HeadlessSamplesPerPass)
    writeBlock();
  writeHeader(samplesWritten);
  const bool written = std::fflush(out) == 0;
  std::fclose(out);
  out = nullptr;
  // std::rename does not replace a file on Windows; this does, and takes the
  // names as UTF-8 there too.
  std::error_code renamed;
  if (written)
    std::filesystem::rename(std::u8string(partFile.begin(), partFile.end()),
                            std::u8string(target.begin(), target.end()), renamed);
  if (!written || renamed) {
    std::fprintf(stderr, "kelvaro-headless: cannot write %s\n", target.c_str());
    std::remove(partFile.c_str());
  }
}

const HostAudio wavAudio = {openWav, afterPass, closeWav};

}  // namespace

const HostAudio *headlessWavAudio(const std::string &file) {
  target = file;
  return &wavAudio;
}
