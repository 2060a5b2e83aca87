#include "game/sound/sound_synth.h"

#include <cmath>

namespace {

constexpr double TwoPi = 6.283185307179586;

// A sound under construction: a buffer of doubles in [-1, 1] that tones are
// added to, turned into 16-bit samples at the end.
class Sketch {
 public:
  Sketch(int rate, double seconds) : rate_(rate), buffer_(static_cast<size_t>(rate * seconds) + 1, 0.0) {}

  // A tone from `start` for `length` seconds sliding from f0 to f1 Hz
  // (exponentially), with an attack of a few milliseconds and a decay
  // of `decay` seconds to 1/e. `shape`: 0 sine, 1 triangle, 2 soft pulse.
  void tone(double start, double length, double f0, double f1, double level, double decay, int shape) {
    const int first = static_cast<int>(start * rate_);
    const int count = static_cast<int>(length * rate_);
    double phase = 0.0;
    for (int i = 0; i < count; ++i) {
      const size_t at = static_cast<size_t>(first + i);
      if (at >= buffer_.size()) break;
      const double t = static_cast<double>(i) / rate_;
      const double f = f0 * std::pow(f1 / f0, t / length);
      phase += f / rate_;
      phase -= std::floor(phase);
      const double attack = std::fmin(1.0, t / 0.003);
      const double release = std::fmin(1.0, (length - t) / 0.008);
      const double envelope = level * attack * release * std::exp(-t / decay);
      buffer_[at] += envelope * wave(phase, shape);
    }
  }

  // A short burst of softened noise, the thud of a contact.
  void thud(double length, double level) {
    uint32_t seed = 12345u;
    double smooth = 0.0;
    const int count = static_cast<int>(length * rate_);
    for (int i = 0; i < count && static_cast<size_t>(i) < buffer_.size(); ++i) {
      seed = seed * 1664525u + 1013904223u;
      const double white = static_cast<double>(seed >> 8) / 8388608.0 - 1.0;
      smooth += (white - smooth) * 0.25;
      const double t = static_cast<double>(i) / rate_;
      const double attack = std::fmin(1.0, t / 0.002);
      buffer_[static_cast<size_t>(i)] += level * attack * smooth * std::exp(-t / (length * 0.25));
    }
  }

  std::vector<int16_t> samples() const {
    double loudest = 1e-9;
    for (double v : buffer_) loudest = std::fmax(loudest, std::fabs(v));
    std::vector<int16_t> out(buffer_.size());
    for (size_t i = 0; i < buffer_.size(); ++i)
      out[i] = static_cast<int16_t>(std::lround(buffer_[i] / loudest * SoundPeak));
    return out;
  }

 private:
  static double wave(double phase, int shape) {
    switch (shape) {
      case 1:
        return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
      case 2:
        // A pulse with its edges rounded off: the bright tone of the era
        // without a harsh buzz.
        return std::tanh(4.0 * std::sin(TwoPi * phase)) * 0.8;
      default:
        return std::sin(TwoPi * phase);
    }
  }

  int rate_;
  std::vector<double> buffer_;
};

// Notes of the tunes, in Hz.
constexpr double C5 = 523.25, E5 = 659.26, G5 = 783.99, C6 = 1046.5, G4 = 392.0, C4 = 261.63,
                 Eb4 = 311.13;

}  // namespace

std::vector<int16_t> synthesiseSound(SoundKind kind, int rate) {
  switch (kind) {
    case SoundKind::Bounce: {
      Sketch s(rate, 0.12);
      s.tone(0.0, 0.12, 260.0, 120.0, 1.0, 0.04, 0);
      s.thud(0.03, 0.3);
      return s.samples();
    }
    case SoundKind::ChargedBounce: {
      Sketch s(rate, 0.30);
      s.tone(0.0, 0.30, 180.0, 720.0, 1.0, 0.12, 1);
      s.tone(0.0, 0.30, 360.0, 1440.0, 0.25, 0.08, 0);
      s.thud(0.03, 0.3);
      return s.samples();
    }
    case SoundKind::ChargeTick: {
      Sketch s(rate, 0.04);
      s.tone(0.0, 0.04, 440.0, 440.0, 1.0, 0.02, 1);
      return s.samples();
    }
    case SoundKind::Wall: {
      Sketch s(rate, 0.09);
      s.thud(0.09, 1.0);
      s.tone(0.0, 0.09, 150.0, 90.0, 0.8, 0.03, 2);
      return s.samples();
    }
    case SoundKind::LifeLost: {
      Sketch s(rate, 0.55);
      s.tone(0.0, 0.55, 640.0, 110.0, 1.0, 0.35, 1);
      return s.samples();
    }
    case SoundKind::GameOver: {
      Sketch s(rate, 1.2);
      s.tone(0.0, 0.3, G4, G4, 1.0, 0.25, 2);
      s.tone(0.3, 0.3, Eb4, Eb4, 1.0, 0.25, 2);
      s.tone(0.6, 0.6, C4, C4 * 0.97, 1.0, 0.35, 2);
      return s.samples();
    }
    case SoundKind::Win: {
      Sketch s(rate, 1.0);
      s.tone(0.00, 0.12, C5, C5, 1.0, 0.2, 2);
      s.tone(0.11, 0.12, E5, E5, 1.0, 0.2, 2);
      s.tone(0.22, 0.12, G5, G5, 1.0, 0.2, 2);
      s.tone(0.33, 0.67, C6, C6, 1.0, 0.3, 2);
      s.tone(0.33, 0.67, C5, C5, 0.4, 0.3, 1);
      return s.samples();
    }
    case SoundKind::MenuMove: {
      Sketch s(rate, 0.05);
      s.tone(0.0, 0.05, 880.0, 880.0, 1.0, 0.03, 1);
      return s.samples();
    }
    case SoundKind::MenuTake: {
      Sketch s(rate, 0.16);
      s.tone(0.0, 0.07, 660.0, 660.0, 1.0, 0.1, 2);
      s.tone(0.07, 0.09, 990.0, 990.0, 1.0, 0.1, 2);
      return s.samples();
    }
    case SoundKind::ListMove: {
      Sketch s(rate, 0.03);
      s.tone(0.0, 0.03, 1320.0, 1320.0, 1.0, 0.015, 0);
      return s.samples();
    }
    case SoundKind::ListTake: {
      Sketch s(rate, 0.2);
      s.tone(0.0, 0.06, E5, E5, 1.0, 0.1, 1);
      s.tone(0.06, 0.06, G5, G5, 1.0, 0.1, 1);
      s.tone(0.12, 0.08, C6, C6, 1.0, 0.1, 1);
      return s.samples();
    }
    case SoundKind::Count:
      break;
  }
  return {};
}
