// Choosing a math model: its number, the screen centre, its cosine table and its add-ons.
#pragma once

#include <cstdint>

// Sets app.currentModel (drawn from Rng for -1, else `requested`, 0 ... 13), the centre, the
// model's CosineTable and the eight add-ons (six drawn from Rng), then evaluates the model into
// app.IndexBuffer.
void SelectModel(std::int32_t requested);

// Fills app.CosineTable for app.currentModel. Draws no random numbers.
void BuildCosineTable();
