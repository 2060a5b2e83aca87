#include "soak_keys.h"

namespace {

// A small generator of our own: the scripts must not change with the
// standard library's distributions.
class SplitMix {
 public:
  explicit SplitMix(uint64_t seed) : state_(seed) {}
  uint64_t next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // True with probability 1 / n.
  bool oneIn(uint64_t n) { return next() % n == 0; }

 private:
  uint64_t state_;
};

constexpr int KeyCount = 5;

struct Held {
  bool key[KeyCount] = {};
  bool &operator[](SoakKey k) { return key[static_cast<int>(k)]; }
};

// Chances per pass, as "one in n", to press a free key and to release a held
// one. Up comes in bursts: held for long, the speed would grow by 5.5 % every
// pass and throw the ball off the course at once.
struct Odds {
  uint64_t press, release;
};
constexpr Odds UpOdds{20, 12};
constexpr Odds DownOdds{60, 4};
constexpr Odds TurnOdds{18, 5};
constexpr Odds EnterOdds{25, 20};

// Up is held from the first pass for this many passes, long enough for the
// menu to see it before Right can come.
constexpr long OpeningUpPasses = 3;

}  // namespace

const char *soakKeyName(SoakKey key) {
  switch (key) {
    case SoakKey::Up:
      return "up";
    case SoakKey::Down:
      return "down";
    case SoakKey::Left:
      return "left";
    case SoakKey::Right:
      return "right";
    case SoakKey::Enter:
      return "enter";
  }
  return "?";
}

std::vector<SoakChange> generateSoakKeys(uint64_t seed, long passes) {
  std::vector<SoakChange> changes;
  if (passes <= 0) return changes;
  SplitMix random(seed);
  Held held;
  auto change = [&](long pass, SoakKey key, bool down) {
    held[key] = down;
    changes.push_back({pass, key, down});
  };
  auto step = [&](long pass, SoakKey key, Odds odds) {
    if (held[key] ? random.oneIn(odds.release) : random.oneIn(odds.press)) change(pass, key, !held[key]);
  };

  change(0, SoakKey::Up, true);
  const long last = passes - 1;
  for (long pass = 1; pass < last; ++pass) {
    if (pass >= OpeningUpPasses) {
      const bool releaseUp = held[SoakKey::Up] && random.oneIn(UpOdds.release);
      if (releaseUp && held[SoakKey::Down]) change(pass, SoakKey::Down, false);
      if (releaseUp) {
        change(pass, SoakKey::Up, false);
      } else if (!held[SoakKey::Up] && random.oneIn(UpOdds.press)) {
        change(pass, SoakKey::Up, true);
      }
    }
    if (held[SoakKey::Up]) step(pass, SoakKey::Down, DownOdds);
    step(pass, SoakKey::Left, TurnOdds);
    if (pass >= OpeningUpPasses) step(pass, SoakKey::Right, TurnOdds);
    step(pass, SoakKey::Enter, EnterOdds);
  }
  // Down before Up, so that Down is never held alone.
  for (SoakKey key : {SoakKey::Down, SoakKey::Up, SoakKey::Left, SoakKey::Right, SoakKey::Enter}) {
    if (held[key]) change(last, key, false);
  }
  return changes;
}

void writeSoakScript(std::ostream &out, const std::vector<SoakChange> &changes, uint64_t seed) {
  out << "# soak-keys seed " << seed << "\n";
  for (const SoakChange &c : changes) out << c.pass << (c.down ? " +" : " -") << soakKeyName(c.key) << "\n";
}
