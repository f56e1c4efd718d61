// Choosing a math model: its number, the screen centre, its cosine table and its add-ons.
#pragma once

#include <cstdint>

#include "state/run_settings.h"

// Draws one Rng value r and answers the model at place r mod n of the n models in `models` (never
// empty), counted in increasing order from place 0. With all 14 that is r mod 14, the classic draw.
std::int32_t DrawModel(ModelSet models);

// Sets app.currentModel (DrawModel(app.settings.models) for -1, else `requested`, 0 ... 13), the
// centre, the model's CosineTable and the eight add-ons (six drawn from Rng), then evaluates the
// model into app.IndexBuffer where the run's settings choose the classic frame and its tables are
// built; the fields of other pictures (and the classic one elsewhere) are evaluated when next
// shown. A random choice draws seven Rng values, a
// requested model six.
void SelectModel(std::int32_t requested);

// Fills app.CosineTable for app.currentModel: entry i is CosineWave(app.currentModel, i). Draws no
// random numbers.
void BuildCosineTable();

// The cosine wave of `model` (0 ... 13) at u model-space units: (cos(u f / 800) + 1) a truncated,
// with f and a the model's frequency and amplitude; 0 ... 2a. At a whole u it is CosineTable[u].
std::int32_t CosineWave(std::int32_t model, double u);

// Draws the six random add-ons from Rng, one value each in their fixed order (small X, small Y,
// wide X, wide Y, half-screen X, half-screen Y), and sets the fixed pair. Needs the centre set.
void DrawAddOns();
