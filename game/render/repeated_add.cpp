#include <cmath>
#include <cstring>

#include "game/render/render_math.h"

namespace {

// Each binade [2^e, 2^(e+1)) has one spacing u between neighbours. Inside
// it, rounding a + c to nearest (ties to even) adds the same multiple of u
// every time, except that a tie can round the first sum differently; after
// that the results are even multiples of u and the increment is fixed. The
// subnormals and the lowest normal binade share one spacing and count as one
// range. The limits keep two spacings of margin so that no exact sum in a
// jump can round onto a neighbouring binade.
struct Range {
  double low, high;  // inclusive limits for magnitudes inside the margin
};

constexpr double SmallestNormalPair = 0x1p-1021;
constexpr uint64_t FractionBits = (uint64_t{1} << 52) - 1;

// The biased exponent field of a double, read from its bits rather than
// through the maths library: jumps over rows above the screen ask for it
// several times per edge.
uint64_t exponentField(double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return (bits >> 52) & 0x7ff;
}

double fromBits(uint64_t bits) {
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

// The two values of a binade whose fraction fields are 2 and all ones less
// one: 2^e (1 + 2^-51) and 2^e (2 - 2^-51).
Range binadeWithMargin(uint64_t exponentBits) {
  return {fromBits((exponentBits << 52) | 2), fromBits((exponentBits << 52) | (FractionBits - 1))};
}

bool rangeOf(double magnitude, Range &range) {
  if (magnitude < SmallestNormalPair) {
    // The subnormals and the lowest binade: 2 x 2^-1074 up to (2^53 - 2) x 2^-1074.
    range = {fromBits(2), binadeWithMargin(1).high};
    return true;
  }
  range = binadeWithMargin(exponentField(magnitude));
  return true;
}

bool sameRange(double a, double b) {
  if ((a < 0) != (b < 0) || a == 0 || b == 0) return false;
  double ma = std::fabs(a), mb = std::fabs(b);
  if (ma < SmallestNormalPair || mb < SmallestNormalPair)
    return ma < SmallestNormalPair && mb < SmallestNormalPair;
  return exponentField(ma) == exponentField(mb);
}

// Whole numbers whose every partial sum stays below 2^53 add without
// rounding, so the last sum is a + count * c. The ball's depth walks by
// steps of 1.0 from whole depths and meets this case on every row.
bool sumsAreExactIntegers(double a, double c, uint64_t count) {
  constexpr double Exact = 0x1p53;
  if (!(std::fabs(a) < Exact && std::fabs(c) < Exact && count < (uint64_t{1} << 53))) return false;
  if (std::trunc(a) != a || std::trunc(c) != c) return false;
  // Rounding never carries a sum of 2^53 or more below 2^53, so a bound
  // that holds for the rounded sum holds for the exact one.
  return std::fabs(a) + static_cast<double>(count) * std::fabs(c) < Exact;
}

}  // namespace

double addRepeatedly(double a, double c, uint64_t count) {
  constexpr uint64_t ShortRun = 8;
  if (count > 0 && sumsAreExactIntegers(a, c, count)) return a + static_cast<double>(count) * c;
  while (count > 0) {
    if (count <= ShortRun || !std::isfinite(a) || !std::isfinite(c)) {
      // Non-finite values reach their fixed point after one addition.
      uint64_t steps = std::isfinite(a) && std::isfinite(c) ? count : 1;
      for (uint64_t i = 0; i < steps; ++i) a += c;
      return a;
    }
    double x1 = a + c;
    if (x1 == a) return x1;  // c is lost against a: nothing changes any more
    double x2 = x1 + c;
    double x3 = x2 + c;
    count -= 3;
    a = x3;
    Range range;
    if (!sameRange(x1, x2) || !sameRange(x2, x3) || !rangeOf(std::fabs(x2), range)) continue;
    double m2 = std::fabs(x2), m3 = std::fabs(x3);
    if (m2 < range.low || m2 > range.high || m3 < range.low || m3 > range.high) continue;
    double d = x3 - x2;  // exact: both are multiples of the spacing
    double stepSize = std::fabs(d);
    bool growing = (d > 0) == (x3 > 0);
    double room = growing ? range.high - m3 : m3 - range.low;  // exact
    double quotient = std::floor(room / stepSize);
    if (quotient < 2) continue;
    // The division may round up by one; one step less is always safe.
    uint64_t jump = static_cast<uint64_t>(quotient) - 1;
    if (jump > count) jump = count;
    a = x3 + static_cast<double>(jump) * d;  // exact inside the binade
    count -= jump;
  }
  return a;
}
