// Vector versions of the row functions of plasma/scaled_terms.h (scaled_terms_simd.cpp), which
// must equal its portable loops value for value.
#pragma once

#include "plasma/scaled_terms.h"
#include "state/app_state.h"

// The vector RADIUS row of `level`; null where this build has none (Portable, other processors).
RadiusRow VectorRadiusRow(SimdLevel level);
// The vector ANGLE row of `level`; null where this build has none (Portable, SSE2, other
// processors), where the portable loop of the same steps runs.
AngleRow VectorAngleRow(SimdLevel level);
