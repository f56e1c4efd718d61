// Vector loops of the frame composition for x86 processors: SSE2, which every x86-64 processor
// has, and AVX2, which start-up chooses where the processor has it. Eight pixels at a time: their
// indices and extra terms are added in vector registers, each index is then moved out to look its
// colour up in the ring (vector_lookup.h), and the colours are stored together. Builds for other
// processors (WebAssembly) compile none of this and run the portable loops of
// frame_composition.cpp.
#include "plasma/frame_composition_simd.h"

#if defined(__SSE2__) && (defined(__x86_64__) || defined(__i386__))

#include <immintrin.h>

#include "plasma/vector_lookup.h"

namespace {

static_assert(screenWidth % 8 == 0, "rows are composed eight pixels at a time");

// (w x 6554) >> 16 equals w div 10 for every WAVE value 0 ... 99, so the vectors divide by ten
// with one 16-bit high multiply: a WAVE entry's upper 16 bits are 0, and so is their product.
constexpr std::uint32_t kTenthFactor = 6554;
constexpr std::uint32_t kWaveValues = 100;
constexpr bool TenthFactorDividesEveryWave() {
  for (std::uint32_t w = 0; w < kWaveValues; ++w) {
    if (((w * kTenthFactor) >> 16) != w / 10) {
      return false;
    }
  }
  return true;
}
static_assert(TenthFactorDividesEveryWave(), "the high multiply must give WAVE div 10");

inline __m128i Load4(const std::int32_t* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// The eight indices at `index` plus their extra terms, entries `at` ... `at` + 7 of the term's
// source, as two vectors of four. Only the term's own source is touched (the others are null).
template <ExtraTerm kTerm>
inline void AddTermSse2(const std::int32_t* index, const FrameJob& job, std::ptrdiff_t at,
                        __m128i& low, __m128i& high) {
  low = Load4(index);
  high = Load4(index + 4);
  if constexpr (kTerm == ExtraTerm::AngleAndWave) {
    const __m128i sums = _mm_loadu_si128(reinterpret_cast<const __m128i*>(job.angleWave + at));
    const __m128i zero = _mm_setzero_si128();
    low = _mm_add_epi32(low, _mm_unpacklo_epi16(sums, zero));
    high = _mm_add_epi32(high, _mm_unpackhi_epi16(sums, zero));
  } else if constexpr (kTerm == ExtraTerm::TenthOfWave) {
    const __m128i factor = _mm_set1_epi32(static_cast<int>(kTenthFactor));
    low = _mm_add_epi32(low, _mm_mulhi_epu16(Load4(job.wave + at), factor));
    high = _mm_add_epi32(high, _mm_mulhi_epu16(Load4(job.wave + at + 4), factor));
  } else if constexpr (kTerm == ExtraTerm::Cosine) {
    low = _mm_add_epi32(low, Load4(job.cosine + at));
    high = _mm_add_epi32(high, Load4(job.cosine + at + 4));
  }
}

// The same with AVX2: the eight terms in one 256-bit vector, split in two for the look-ups.
template <ExtraTerm kTerm>
__attribute__((target("avx2"))) inline void AddTermAvx2(const std::int32_t* index,
                                                        const FrameJob& job, std::ptrdiff_t at,
                                                        __m128i& low, __m128i& high) {
  if constexpr (kTerm == ExtraTerm::None) {
    low = Load4(index);
    high = Load4(index + 4);
  } else {
    __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(index));
    if constexpr (kTerm == ExtraTerm::AngleAndWave) {
      const __m128i sums = _mm_loadu_si128(reinterpret_cast<const __m128i*>(job.angleWave + at));
      v = _mm256_add_epi32(v, _mm256_cvtepu16_epi32(sums));
    } else if constexpr (kTerm == ExtraTerm::TenthOfWave) {
      const __m256i wave = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(job.wave + at));
      const __m256i factor = _mm256_set1_epi32(static_cast<int>(kTenthFactor));
      v = _mm256_add_epi32(v, _mm256_mulhi_epu16(wave, factor));
    } else {
      v = _mm256_add_epi32(v,
                           _mm256_loadu_si256(reinterpret_cast<const __m256i*>(job.cosine + at)));
    }
    low = _mm256_castsi256_si128(v);
    high = _mm256_extracti128_si256(v, 1);
  }
}

// The rows of one frame, eight pixels at a time. `shared` is copied into a local first: the pixel
// stores could alias it, and the loops would otherwise reload its pointers after every store.
template <ExtraTerm kTerm>
void ComposeRowsSse2(const FrameJob& shared) {
  const FrameJob job = shared;
  for (std::uint32_t row = 0; row < job.rows; ++row) {
    const std::int32_t* index = job.index + static_cast<std::size_t>(row) * screenWidth;
    const std::ptrdiff_t termRow = static_cast<std::ptrdiff_t>(row) * job.termPitch;
    std::uint32_t* pixels = job.pixels + row * job.pitch;
    for (std::int32_t col = 0; col < screenWidth; col += 8) {
      __m128i low;
      __m128i high;
      AddTermSse2<kTerm>(index + col, job, termRow + col, low, high);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + col), LookUp4(job.ring, low));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + col + 4), LookUp4(job.ring, high));
    }
  }
}

template <ExtraTerm kTerm>
__attribute__((target("avx2"))) void ComposeRowsAvx2(const FrameJob& shared) {
  const FrameJob job = shared;
  for (std::uint32_t row = 0; row < job.rows; ++row) {
    const std::int32_t* index = job.index + static_cast<std::size_t>(row) * screenWidth;
    const std::ptrdiff_t termRow = static_cast<std::ptrdiff_t>(row) * job.termPitch;
    std::uint32_t* pixels = job.pixels + row * job.pitch;
    for (std::int32_t col = 0; col < screenWidth; col += 8) {
      __m128i low;
      __m128i high;
      AddTermAvx2<kTerm>(index + col, job, termRow + col, low, high);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + col), LookUp4(job.ring, low));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + col + 4), LookUp4(job.ring, high));
    }
  }
}

void ComposeSse2(const FrameJob& job) {
  WithTerm(job.term, [&job](auto term) { ComposeRowsSse2<term>(job); });
}

void ComposeAvx2(const FrameJob& job) {
  WithTerm(job.term, [&job](auto term) { ComposeRowsAvx2<term>(job); });
}

}  // namespace

FrameComposer VectorFrameComposer(SimdLevel level) {
  switch (level) {
    case SimdLevel::Avx2:
      return ComposeAvx2;
    case SimdLevel::Sse2:
      return ComposeSse2;
    case SimdLevel::Portable:
      break;
  }
  return nullptr;
}

#else

FrameComposer VectorFrameComposer(SimdLevel) {
  return nullptr;
}

#endif
