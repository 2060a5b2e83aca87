// A run's texture coordinates u and v side by side: one addition advances
// both and one conversion truncates both. Each lane is an ordinary IEEE
// double sum, so the values are the same bits as two separate additions.
#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#elif defined(__wasm_simd128__)
#include <wasm_simd128.h>
#endif

// Texel offsets (width + 1) * trunc(v) + trunc(u) for coordinates whose
// truncations and row step all lie in [0, PackedLimit]: small enough to be
// multiplied and added as 16-bit words.
inline constexpr int32_t PackedLimit = 32767;

#if defined(__SSE2__)

struct TexelCoords {
  __m128d uv;

  static TexelCoords of(double u, double v) { return {_mm_set_pd(v, u)}; }
  double u() const { return _mm_cvtsd_f64(uv); }
  double v() const { return _mm_cvtsd_f64(_mm_unpackhi_pd(uv, uv)); }
  void advance(const TexelCoords &step) { uv = _mm_add_pd(uv, step.uv); }
};

class PackedTexelOffset {
 public:
  explicit PackedTexelOffset(int32_t rowStep)
      : weights_(_mm_set_epi16(0, 0, 0, 0, 0, 0, static_cast<int16_t>(rowStep), 1)) {}
  // Unsigned, so that the offset widens to an address for free.
  uint32_t operator()(const TexelCoords &c) const {
    const __m128i whole = _mm_cvttpd_epi32(c.uv);  // truncated u, v as 32-bit lanes
    const __m128i words = _mm_packs_epi32(whole, whole);
    return static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_madd_epi16(words, weights_)));  // u + v * rowStep
  }

 private:
  __m128i weights_;
};

#elif defined(__wasm_simd128__)

// The browser build's SIMD: the same two-lane sums. Its truncation saturates
// where SSE2's gives the integer minimum, but packed offsets are only taken
// of coordinates inside the limits, where both truncate alike.
struct TexelCoords {
  v128_t uv;

  static TexelCoords of(double u, double v) { return {wasm_f64x2_make(u, v)}; }
  double u() const { return wasm_f64x2_extract_lane(uv, 0); }
  double v() const { return wasm_f64x2_extract_lane(uv, 1); }
  void advance(const TexelCoords &step) { uv = wasm_f64x2_add(uv, step.uv); }
};

class PackedTexelOffset {
 public:
  explicit PackedTexelOffset(int32_t rowStep)
      : weights_(wasm_i16x8_make(1, static_cast<int16_t>(rowStep), 0, 0, 0, 0, 0, 0)) {}
  uint32_t operator()(const TexelCoords &c) const {
    const v128_t whole = wasm_i32x4_trunc_sat_f64x2_zero(c.uv);  // truncated u, v as 32-bit lanes
    const v128_t words = wasm_i16x8_narrow_i32x4(whole, whole);
    return static_cast<uint32_t>(wasm_i32x4_extract_lane(wasm_i32x4_dot_i16x8(words, weights_), 0));
  }

 private:
  v128_t weights_;
};

#else

struct TexelCoords {
  double u_, v_;

  static TexelCoords of(double u, double v) { return {u, v}; }
  double u() const { return u_; }
  double v() const { return v_; }
  void advance(const TexelCoords &step) {
    u_ += step.u_;
    v_ += step.v_;
  }
};

class PackedTexelOffset {
 public:
  explicit PackedTexelOffset(int32_t rowStep) : rowStep_(rowStep) {}
  uint32_t operator()(const TexelCoords &c) const {
    return static_cast<uint32_t>(rowStep_ * static_cast<int32_t>(c.v_) + static_cast<int32_t>(c.u_));
  }

 private:
  int32_t rowStep_;
};

#endif
