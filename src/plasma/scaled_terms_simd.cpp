// RADIUS and ANGLE rows for x86 processors. The square root of SSE2 and AVX2 is IEEE's correctly
// rounded one, as std::sqrt is, and the sums, products and truncations are the same operations
// in the same order, so the vector RADIUS equals the portable loop's bit for bit. The vector
// ANGLE takes the cheap arctangent of fast_angle.h four lanes at a time; lanes too close to a
// level boundary, or on an axis, are computed again one by one by the scalar path, which falls
// back to std::atan2 for them. Builds for other processors compile none of this.
#include "plasma/scaled_terms_simd.h"

#if defined(__SSE2__) && (defined(__x86_64__) || defined(__i386__))

#include <immintrin.h>

#include <cmath>

namespace {

constexpr double kRadiusScale = 100.0;  // RADIUS units per model unit

void RadiusRowSse2(const double* xSquared, double ySquared, std::int32_t count, std::int32_t* out) {
  const __m128d y2 = _mm_set1_pd(ySquared);
  const __m128d scale = _mm_set1_pd(kRadiusScale);
  std::int32_t i = 0;
  for (; i + 2 <= count; i += 2) {
    const __m128d root = _mm_sqrt_pd(_mm_add_pd(_mm_loadu_pd(xSquared + i), y2));
    const __m128i r = _mm_cvttpd_epi32(_mm_mul_pd(root, scale));
    // A RADIUS of 0 is stored as 1: the comparison's all-ones lane is -1.
    const __m128i stored = _mm_sub_epi32(r, _mm_cmpeq_epi32(r, _mm_setzero_si128()));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), stored);
  }
  for (; i < count; ++i) {
    const auto r = static_cast<std::int32_t>(std::sqrt(xSquared[i] + ySquared) * kRadiusScale);
    out[i] = r == 0 ? 1 : r;
  }
}

__attribute__((target("avx2"))) void RadiusRowAvx2(const double* xSquared, double ySquared,
                                                   std::int32_t count, std::int32_t* out) {
  const __m256d y2 = _mm256_set1_pd(ySquared);
  const __m256d scale = _mm256_set1_pd(kRadiusScale);
  std::int32_t i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m256d root = _mm256_sqrt_pd(_mm256_add_pd(_mm256_loadu_pd(xSquared + i), y2));
    const __m128i r = _mm256_cvttpd_epi32(_mm256_mul_pd(root, scale));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_max_epi32(r, _mm_set1_epi32(1)));
  }
  RadiusRowSse2(xSquared + i, ySquared, count - i, out + i);
}

// steps.at[j] for the four j. The masked form with a zero source: the plain one starts from an
// undefined vector, which GCC reports as used uninitialised.
__attribute__((target("avx2"))) inline __m256d Gather(const AtanSteps& steps, __m128i j) {
  const __m256d all = _mm256_castsi256_pd(_mm256_set1_epi64x(-1));
  return _mm256_mask_i32gather_pd(_mm256_setzero_pd(), steps.at, j, all, 8);
}

// Four levels of fast_angle.h's cheap arctangent, and a mask of the lanes it cannot vouch for.
__attribute__((target("avx2"))) inline __m128i CheapAngles(__m256d px, __m256d py,
                                                           const AtanSteps& steps,
                                                           __m256d& doubtful) {
  const __m256d zero = _mm256_setzero_pd();
  const __m256d sign = _mm256_set1_pd(-0.0);
  const __m256d ax = _mm256_andnot_pd(sign, px);
  const __m256d ay = _mm256_andnot_pd(sign, py);
  const __m256d upper = _mm256_cmp_pd(ay, ax, _CMP_GT_OQ);  // above the diagonal
  const __m256d n = _mm256_min_pd(ax, ay);
  const __m256d d = _mm256_max_pd(ax, ay);
  const __m256d t = _mm256_div_pd(n, d);
  // At the origin n / d is 0 / 0: the clamp keeps that doubtful lane's table read inside the table.
  const __m128i j = _mm_min_epi32(
      _mm_max_epi32(_mm256_cvttpd_epi32(_mm256_add_pd(_mm256_mul_pd(t, _mm256_set1_pd(kAtanSteps)),
                                                      _mm256_set1_pd(0.5))),
                    _mm_setzero_si128()),
      _mm_set1_epi32(kAtanSteps));
  const __m256d c = _mm256_mul_pd(_mm256_cvtepi32_pd(j), _mm256_set1_pd(kAtanStep));
  const __m256d u =
      _mm256_div_pd(_mm256_sub_pd(n, _mm256_mul_pd(c, d)), _mm256_add_pd(d, _mm256_mul_pd(c, n)));
  const __m256d cube =
      _mm256_mul_pd(_mm256_mul_pd(_mm256_mul_pd(u, u), u), _mm256_set1_pd(1.0 / 3.0));
  __m256d a = _mm256_add_pd(Gather(steps, j), _mm256_sub_pd(u, cube));
  a = _mm256_blendv_pd(a, _mm256_sub_pd(_mm256_set1_pd(kAngleHalfPi), a), upper);
  a = _mm256_blendv_pd(a, _mm256_sub_pd(_mm256_set1_pd(kAnglePi), a), px);  // px's sign bit
  a = _mm256_xor_pd(a, _mm256_and_pd(py, sign));                            // -a where py < 0
  const __m256d levels =
      _mm256_add_pd(_mm256_mul_pd(a, _mm256_set1_pd(kAngleScale)), _mm256_set1_pd(kAngleOffset));
  const __m128i whole = _mm256_cvttpd_epi32(levels);
  const __m256d fraction = _mm256_sub_pd(levels, _mm256_cvtepi32_pd(whole));
  const __m256d nearBoundary =
      _mm256_or_pd(_mm256_cmp_pd(fraction, _mm256_set1_pd(kAngleMargin), _CMP_LE_OQ),
                   _mm256_cmp_pd(fraction, _mm256_set1_pd(1.0 - kAngleMargin), _CMP_GE_OQ));
  const __m256d onAxis =
      _mm256_or_pd(_mm256_cmp_pd(px, zero, _CMP_EQ_OQ), _mm256_cmp_pd(py, zero, _CMP_EQ_OQ));
  doubtful = _mm256_or_pd(onAxis, nearBoundary);
  return whole;
}

__attribute__((target("avx2"))) void AngleRowAvx2(const double* x, double y, std::int32_t count,
                                                  const AtanSteps& steps, std::int32_t* out) {
  const __m256d py = _mm256_set1_pd(y);
  std::int32_t i = 0;
  for (; i + 4 <= count; i += 4) {
    __m256d doubtful;
    const __m128i whole = CheapAngles(_mm256_loadu_pd(x + i), py, steps, doubtful);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), whole);
    std::int32_t lanes = _mm256_movemask_pd(doubtful);
    while (lanes != 0) {  // about one lane in 10^8, and the axis
      const std::int32_t lane = __builtin_ctz(static_cast<unsigned>(lanes));
      out[i + lane] = PlainAngle(x[i + lane], y);
      lanes &= lanes - 1;
    }
  }
  for (; i < count; ++i) {
    out[i] = FastAngle(x[i], y, steps);
  }
}

}  // namespace

RadiusRow VectorRadiusRow(SimdLevel level) {
  switch (level) {
    case SimdLevel::Avx2:
      return RadiusRowAvx2;
    case SimdLevel::Sse2:
      return RadiusRowSse2;
    case SimdLevel::Portable:
      break;
  }
  return nullptr;
}

AngleRow VectorAngleRow(SimdLevel level) {
  return level == SimdLevel::Avx2 ? AngleRowAvx2 : nullptr;
}

#else

RadiusRow VectorRadiusRow(SimdLevel) {
  return nullptr;
}

AngleRow VectorAngleRow(SimdLevel) {
  return nullptr;
}

#endif
