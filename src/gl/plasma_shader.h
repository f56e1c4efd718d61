// The GL renderer's one program: a triangle over the whole viewport, and a fragment shader that
// draws each pixel as the software renderer does, from integer textures read with texelFetch.
#pragma once

#include <string>

#include "gl/gl_functions.h"

// The texture units the program reads.
enum PlasmaUnit : GLint {
  kFieldUnit = 0,      // R16UI: the field's ring indices, a picture's size
  kAngleWaveUnit = 1,  // R16UI: ANGLE + WAVE over the drift's reach
  kTenthsUnit = 2,     // R8UI: WAVE div 10 likewise
  kCosineUnit = 3,     // R32I, one row: model 12's cosine for each column the drift reaches
  kRingUnit = 4,       // RGBA8UI 256 x 80: the visible ring, entry v at (v mod 256, v div 256)
  kLayerUnit = 5,      // RGBA8UI: the classic console and intro layer
  kRowsUnit = 6,       // RGBA32I, one column: each output row's RowPlan
  kColumnsUnit = 7,    // RGBA32I, one row: each output column's ColumnPlan
};

// Compiles and links the program for the current context (its shading language's version line
// chosen by GlContextIsEs) with its samplers on their units; 0, with the compiler's words in
// `problem`, where that fails.
GLuint MakePlasmaProgram(std::string& problem);

// The program's per-picture uniforms.
struct PlasmaUniforms {
  GLint term;        // ExtraTerm of the model
  GLint termOrigin;  // ivec2: the drift plus the reach, where output pixel (0, 0) reads its term
  GLint height;      // the picture's rows: output rows count down from its top
  GLint glowColour;  // 0x00RRGGBB of the console's glow
};
PlasmaUniforms PlasmaUniformsOf(GLuint program);
