#include "plasma/model_selection.h"

#include <array>
#include <bitset>
#include <cassert>
#include <cmath>

#include "plasma/model_evaluation.h"
#include "state/app_state.h"
#include "state/rng.h"

namespace {

// Per model: radians of the cosine wave per CosineTable index times screenWidth, and its
// amplitude. Single-precision values; 25.6f and 7.88f are not exact and are used as they are.
constexpr std::array<double, kModelCount> ModelFrequency = {0.0,
                                                            65.0,
                                                            20.0,
                                                            0.0,
                                                            0.0,
                                                            0.0,
                                                            50.0,
                                                            0.0,
                                                            49.25,
                                                            static_cast<double>(25.6f),
                                                            0.0,
                                                            static_cast<double>(25.6f),
                                                            static_cast<double>(7.88f),
                                                            static_cast<double>(7.88f)};
constexpr std::array<double, kModelCount> ModelAmplitude = {
    0.0, 150.0, 150.0, 0.0, 0.0, 0.0, 150.0, 0.0, 150.0, 150.0, 0.0, 70.0, 70.0, 70.0};

constexpr double kCosineWidth = screenWidth;  // the frequency is per screen width

constexpr std::int32_t kSmallOffsetSpan = 100;  // small add-ons: -50 ... 49
constexpr std::int32_t kWideOffsetSpan = 600;   // wide add-ons: -300 ... 299
constexpr std::int32_t kFixedOffsetX = 500;     // rings centred 100 pixels left of the screen
constexpr std::int32_t kFixedOffsetY = -150;

}  // namespace

std::int32_t CosineWave(std::int32_t model, double u) {
  assert(model >= 0 && model < kModelCount);
  const double radians = u * ModelFrequency[model] / kCosineWidth;
  return static_cast<std::int32_t>((std::cos(radians) + 1.0) * ModelAmplitude[model]);
}

void BuildCosineTable() {
  for (std::int32_t i = 0; i < ringSize; ++i) {
    app.CosineTable[i] = CosineWave(app.currentModel, static_cast<double>(i));
  }
}

void DrawAddOns() {
  assert(app.centreX > 0 && app.centreY > 0);
  app.smallOffsetX = Rng() % kSmallOffsetSpan - kSmallOffsetSpan / 2;
  app.smallOffsetY = Rng() % kSmallOffsetSpan - kSmallOffsetSpan / 2;
  app.wideOffsetX = Rng() % kWideOffsetSpan - kWideOffsetSpan / 2;
  app.wideOffsetY = Rng() % kWideOffsetSpan - kWideOffsetSpan / 2;
  app.halfScreenOffsetX = Rng() % app.centreX - app.centreX;
  app.halfScreenOffsetY = Rng() % app.centreY - app.centreY;
  app.fixedOffsetX = kFixedOffsetX;
  app.fixedOffsetY = kFixedOffsetY;
}

std::int32_t DrawModel(ModelSet models) {
  assert(IsModelSet(models));
  std::int32_t pick = Rng() % std::bitset<kModelCount>(models).count();
  for (std::int32_t model = 0;; ++model) {
    if ((models >> model & 1u) != 0 && pick-- == 0) {
      return model;
    }
  }
}

void SelectModel(std::int32_t requested) {
  assert(requested >= -1 && requested < kModelCount);
  app.centreX = screenWidth / 2;
  app.centreY = screenHeight / 2;
  app.currentModel = requested == -1 ? DrawModel(app.settings.models) : requested;
  BuildCosineTable();
  DrawAddOns();
  app.classicReady = false;
  if (app.settings.classic && app.classicTables) {
    EvaluateModel();
    app.classicReady = true;
    app.classicEvaluation = ++app.evaluations;
  }
  for (ScaledPicture& field : app.fields) {
    field.indexReady = false;  // each field evaluates the model at its size when next shown
  }
}
