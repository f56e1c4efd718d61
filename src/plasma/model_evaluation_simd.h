// The look-up CA = CosineTable[A0] along a row, which models 11, 12 and 13 take first and add
// their other terms to, and its vector versions (model_evaluation_simd.cpp), which must equal the
// portable loop of model_formulas.cpp.
#pragma once

#include <cstdint>

#include "state/app_state.h"

// out[i] = cosine[angle[i]] for i < count; every angle[i] lies inside `cosine`.
using CosineGather = void (*)(const std::int32_t* angle, const std::int32_t* cosine,
                              std::int32_t count, std::int32_t* out);

// The vector gather of `level`; null for Portable and for levels this build has no vector code for
// (builds for processors other than x86), where the portable loop runs instead.
CosineGather VectorCosineGather(SimdLevel level);
