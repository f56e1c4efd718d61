// Table look-ups for four indices held in an x86 SSE2 vector: the step that the vector loops of the
// plasma engine (frame_composition_simd.cpp, model_evaluation_simd.cpp) cannot do in the vector
// unit. Include it only where SSE2 is known to be available (inside those files' x86 sections).
#pragma once

#include <emmintrin.h>

#include <cstdint>

// table[index] for the four indices in `indices`, which must all lie inside `table`. T is a 32-bit
// entry type. A hardware gather (AVX2's vpgatherdd) took about twice as long as these separate
// loads on the AMD EPYC (Zen) where the benchmarks ran.
template <typename T>
inline __m128i LookUp4(const T* table, __m128i indices) {
  static_assert(sizeof(T) == 4, "32-bit table entries");
#if defined(__x86_64__)
  // Two indices per move out of the vector unit: half the transfers of one index at a time.
  const auto low = static_cast<std::uint64_t>(_mm_cvtsi128_si64(indices));
  const auto high =
      static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(indices, indices)));
  const T e0 = table[static_cast<std::uint32_t>(low)];
  const T e1 = table[low >> 32];
  const T e2 = table[static_cast<std::uint32_t>(high)];
  const T e3 = table[high >> 32];
#else
  const T e0 = table[_mm_cvtsi128_si32(indices)];
  const T e1 = table[_mm_cvtsi128_si32(_mm_shuffle_epi32(indices, 1))];
  const T e2 = table[_mm_cvtsi128_si32(_mm_shuffle_epi32(indices, 2))];
  const T e3 = table[_mm_cvtsi128_si32(_mm_shuffle_epi32(indices, 3))];
#endif
  const auto lane = [](T entry) { return _mm_cvtsi32_si128(static_cast<int>(entry)); };
  return _mm_unpacklo_epi64(_mm_unpacklo_epi32(lane(e0), lane(e1)),
                            _mm_unpacklo_epi32(lane(e2), lane(e3)));
}
