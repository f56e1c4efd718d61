// The colour ring's rotation in one pass, for x86 processors: SSE2, which every x86-64 processor
// has, and AVX2, which start-up chooses where the processor has it. Builds for other processors
// (WebAssembly) compile none of this and run the portable two-pass step.
//
// Every entry is 0x00RRGGBB, so a rotated entry is made of its neighbours' channels alone:
//   new[i] = (old[i + 1] & down) | (old[i - 1] & up), indices modulo ringSize.
// The pass runs upwards, one vector of entries at a time, and stores each vector's result only
// after the next vector's neighbours have been loaded: the store overwrites the old entry i - 1
// that the next vector still needs, so it waits one step. Entry 0's old value is kept for the
// last entry, whose upper neighbour it is.
#include "ring/ring_rotation_simd.h"

#if defined(__SSE2__) && (defined(__x86_64__) || defined(__i386__))

#include <immintrin.h>

namespace {

constexpr std::uint32_t kChannels = 0x00FFFFFFu;

static_assert(ringSize > 16, "the pass needs a head vector and a tail of whole vectors");

// The new entry from its old lower neighbour `before` and its old upper neighbour `after`.
inline std::uint32_t Rotated(std::uint32_t before, std::uint32_t after, std::uint32_t down) {
  return (after & down) | (before & (kChannels & ~down));
}

// Entries 0 ... kLanes - 1, from old entries only, into `head`.
template <std::int32_t kLanes>
void RotateHead(const std::uint32_t* ring, std::uint32_t down, std::uint32_t* head) {
  for (std::int32_t i = 0; i < kLanes; ++i) {
    head[i] = Rotated(ring[i == 0 ? ringSize - 1 : i - 1], ring[i + 1], down);
  }
}

// Entries `from` ... ringSize - 1, one by one: `before` is old entry from - 1, `first` old entry 0.
void RotateTail(std::uint32_t* ring, std::int32_t from, std::uint32_t before, std::uint32_t first,
                std::uint32_t down) {
  for (std::int32_t i = from; i < ringSize; ++i) {
    const std::uint32_t old = ring[i];
    ring[i] = Rotated(before, i + 1 < ringSize ? ring[i + 1] : first, down);
    before = old;
  }
}

void RotateSse2(std::uint32_t* ring, std::uint32_t down) {
  constexpr std::int32_t kLanes = 4;
  const std::uint32_t first = ring[0];
  std::uint32_t head[kLanes];
  RotateHead<kLanes>(ring, down, head);
  __m128i pending = _mm_loadu_si128(reinterpret_cast<const __m128i*>(head));
  const __m128i downs = _mm_set1_epi32(static_cast<int>(down));
  const __m128i ups = _mm_set1_epi32(static_cast<int>(kChannels & ~down));
  std::int32_t i = kLanes;
  for (; i + kLanes < ringSize; i += kLanes) {
    const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(ring + i + 1));
    const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(ring + i - 1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(ring + i - kLanes), pending);
    pending = _mm_or_si128(_mm_and_si128(after, downs), _mm_and_si128(before, ups));
  }
  const std::uint32_t before = ring[i - 1];
  _mm_storeu_si128(reinterpret_cast<__m128i*>(ring + i - kLanes), pending);
  RotateTail(ring, i, before, first, down);
}

__attribute__((target("avx2"))) void RotateAvx2(std::uint32_t* ring, std::uint32_t down) {
  constexpr std::int32_t kLanes = 8;
  const std::uint32_t first = ring[0];
  std::uint32_t head[kLanes];
  RotateHead<kLanes>(ring, down, head);
  __m256i pending = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(head));
  const __m256i downs = _mm256_set1_epi32(static_cast<int>(down));
  const __m256i ups = _mm256_set1_epi32(static_cast<int>(kChannels & ~down));
  std::int32_t i = kLanes;
  for (; i + kLanes < ringSize; i += kLanes) {
    const __m256i after = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(ring + i + 1));
    const __m256i before = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(ring + i - 1));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(ring + i - kLanes), pending);
    pending = _mm256_or_si256(_mm256_and_si256(after, downs), _mm256_and_si256(before, ups));
  }
  const std::uint32_t before = ring[i - 1];
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(ring + i - kLanes), pending);
  RotateTail(ring, i, before, first, down);
}

}  // namespace

RingRotator VectorRingRotator(SimdLevel level) {
  switch (level) {
    case SimdLevel::Avx2:
      return RotateAvx2;
    case SimdLevel::Sse2:
      return RotateSse2;
    case SimdLevel::Portable:
      break;
  }
  return nullptr;
}

#else

RingRotator VectorRingRotator(SimdLevel) {
  return nullptr;
}

#endif
