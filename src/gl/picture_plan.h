// What the GL renderer's shader draws in each row and column of a picture, planned on the
// processor from the frame's description: the plasma (tinted by the console's glow), the console
// and intro layer through its sharp taps (software/layer_taps.h), or one colour. The plans carry
// every value the software renderer computes in double precision as integers, so that the shader
// only looks up and mixes.
#pragma once

#include <cstdint>
#include <vector>

#include "state/frame_description.h"

enum class RowKind : std::int32_t {
  Plasma = 0,  // the plasma, tinted by glow step `value` (kConsoleGlowSteps: as it is)
  Layer = 1,   // the layer: rows first and second (value & 0xFFFF, value >> 16) mixed by weight;
               // columns outside the layer show `colour`
  Fill = 2,    // `colour` across the row
};

// One output row's plan, as the shader reads it: one RGBA32I texel.
struct RowPlan {
  std::int32_t kind;
  std::int32_t value;
  std::int32_t weight;  // in 1/256, Layer rows
  std::int32_t colour;  // 0x00RRGGBB
  bool operator==(const RowPlan& other) const {
    return kind == other.kind && value == other.value && weight == other.weight &&
           colour == other.colour;
  }
};

// One output column's layer tap: inside (0 or 1), first and second layer column, weight in 1/256.
struct ColumnPlan {
  std::int32_t inside;
  std::int32_t first;
  std::int32_t second;
  std::int32_t weight;
};

// The first row of the classic-sized picture 0 that the processor draws into the console layer
// (the plasma under the glow and the TAB hint, the console's band, logos and text), which the
// shader then copies: screenHeight where nothing lies over the plasma.
std::int32_t ProcessorLayerTop(const FrameDescription& frame);

// The plan of each row of picture `picture`, `size` pixels, in `frame`.
std::vector<RowPlan> PlanRows(const FrameDescription& frame, std::int32_t picture,
                              PictureSize size);

// The plan of each column of a picture of `size` showing the layer laid out as `layout`.
std::vector<ColumnPlan> PlanColumns(PictureSize size, const LayerLayout& layout);
