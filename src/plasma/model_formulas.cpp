#include "plasma/model_formulas.h"

#include <cstdint>
#include <vector>

#include "plasma/model_evaluation_simd.h"
#include "plasma/unsigned_value.h"
#include "state/app_state.h"

namespace {

void GatherPortable(const std::int32_t* angle, const std::int32_t* cosine, std::int32_t count,
                    std::int32_t* out) {
  for (std::int32_t i = 0; i < count; ++i) {
    out[i] = cosine[angle[i]];
  }
}

}  // namespace

CosineGather ChosenCosineGather() {
  const CosineGather vector = VectorCosineGather(app.simdLevel);
  return vector != nullptr ? vector : GatherPortable;
}

std::vector<double> CosineValues() {
  std::vector<double> values(ringSize);
  for (std::int32_t i = 0; i < ringSize; ++i) {
    values[i] = FromUnsigned(app.CosineTable[i]);
  }
  return values;
}

void WrapRowToRing(std::int32_t* out, std::int32_t count) {
  std::int32_t beyond = 0;  // a count rather than a flag, so that the scan vectorises
  for (std::int32_t i = 0; i < count; ++i) {
    beyond += out[i] >= ringSize ? 1 : 0;
  }
  if (beyond == 0) {
    return;
  }
  for (std::int32_t i = 0; i < count; ++i) {
    out[i] = static_cast<std::int32_t>(static_cast<std::uint32_t>(out[i]) %
                                       static_cast<std::uint32_t>(ringSize));
  }
}
