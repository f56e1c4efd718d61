// The CA look-up of the model formulas for x86 processors with SSE2, eight entries at a time:
// the angles are loaded as vectors, moved out one by one for the look-ups (vector_lookup.h), and
// the cosines stored as vectors. AVX2 adds nothing to a loop of single look-ups, so both x86
// levels take this loop. Builds for other processors (WebAssembly) compile none of this and run
// the portable loop.
#include "plasma/model_evaluation_simd.h"

#if defined(__SSE2__) && (defined(__x86_64__) || defined(__i386__))

#include <emmintrin.h>

#include "plasma/vector_lookup.h"

namespace {

void GatherSse2(const std::int32_t* angle, const std::int32_t* cosine, std::int32_t count,
                std::int32_t* out) {
  std::int32_t i = 0;
  for (; i + 8 <= count; i += 8) {
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(angle + i));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(angle + i + 4));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), LookUp4(cosine, low));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 4), LookUp4(cosine, high));
  }
  for (; i < count; ++i) {
    out[i] = cosine[angle[i]];
  }
}

}  // namespace

CosineGather VectorCosineGather(SimdLevel level) {
  switch (level) {
    case SimdLevel::Avx2:
    case SimdLevel::Sse2:
      return GatherSse2;
    case SimdLevel::Portable:
      break;
  }
  return nullptr;
}

#else

CosineGather VectorCosineGather(SimdLevel) {
  return nullptr;
}

#endif
