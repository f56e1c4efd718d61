// The one place that asks the processor for its vector instructions. The x86 vector paths exist
// only where the compiler targets x86 with SSE2 (x86-64 always; i686 with -msse2); WebAssembly
// builds have none and run the portable loops.
#include "state/simd_level.h"

SimdLevel WidestSimdLevel() {
#if defined(__SSE2__) && (defined(__x86_64__) || defined(__i386__))
  __builtin_cpu_init();  // the processor check also covers the operating system's AVX support
  return __builtin_cpu_supports("avx2") ? SimdLevel::Avx2 : SimdLevel::Sse2;
#else
  return SimdLevel::Portable;
#endif
}
