#include "gl/gl_renderer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "gl/gl_functions.h"
#include "gl/picture_plan.h"
#include "gl/plasma_shader.h"
#include "plasma/frame_composition.h"
#include "plasma/geometry_tables.h"
#include "plasma/model_space.h"
#include "plasma/scaled_composition.h"
#include "platform/gl_display.h"
#include "software/layer_drawing.h"
#include "software/memory_frame.h"
#include "state/app_state.h"
#include "ui/console_panel.h"

namespace {

constexpr GLsizei kRingColumns = 256;  // the ring as a texture: entry v at (v mod 256, v div 256)
constexpr GLsizei kRingRows = (ringSize + kRingColumns - 1) / kRingColumns;  // 80
constexpr std::int32_t kClassicSlot = kMostPictures;  // field slots: the scaled ones, the classic
// GL_FRAMEBUFFER_SRGB, which OpenGL ES and WebGL do not have (their headers lack the name).
constexpr GLenum kFramebufferSrgb = 0x8DB9;

// One field's textures: the indices and the terms of its size.
struct FieldTextures {
  GLuint index = 0;
  GLuint angleWave = 0;
  GLuint tenths = 0;
  GLuint cosine = 0;
  PictureSize size;         // the indices' size
  PictureSize termsSize;    // the size the terms were uploaded for
  std::int32_t reachX = 0;  // the terms' margins around the picture
  std::int32_t reachY = 0;
  std::uint32_t evaluation = 0;  // which evaluation the indices hold; 0: none
};

// One picture's plans.
struct PicturePlans {
  GLuint rows = 0;
  GLuint columns = 0;
  std::vector<RowPlan> rowsShown;  // what `rows` holds
  PictureSize columnsSize;         // the size and layout `columns` was planned for
  LayerLayout columnsLayout;
};

struct GlRendering {
  GLuint program = 0;
  GLuint vertexArray = 0;  // none is read, but a core context draws only with one bound
  GLuint ring = 0;
  GLuint layer = 0;
  LayerLayout layerLayout;  // the layout `layer` has texels for
  PlasmaUniforms uniforms{};
  FieldTextures fields[kMostPictures + 1];
  PicturePlans plans[kMostPictures];
  bool layerChanged = true;  // the layer must be drawn and uploaded again
  bool logosMade = false;    // the logos were made, on the first running frame
  std::string problem;
};

GlRendering rendering;

GLuint MakeTexture() {
  GLuint texture = 0;
  gl.GenTextures(1, &texture);
  gl.BindTexture(GL_TEXTURE_2D, texture);
  // Integer textures are complete only unfiltered; nothing that carries an index is ever blended.
  gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  return texture;
}

// Gives `texture` (made where 0) width x height texels of `data`.
void Upload(GLuint& texture, GLint internalFormat, GLenum format, GLenum type, GLsizei width,
            GLsizei height, const void* data) {
  if (texture == 0) {
    texture = MakeTexture();
  }
  gl.BindTexture(GL_TEXTURE_2D, texture);
  gl.TexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, type, data);
}

void DeleteTexture(GLuint& texture) {
  gl.DeleteTextures(1, &texture);
  texture = 0;
}

// The ring indices of a field, 16 bits each (all lie below ringSize).
void UploadIndices(FieldTextures& textures, const std::int32_t* index, PictureSize size) {
  std::vector<std::uint16_t> narrow(static_cast<std::size_t>(size.width) * size.height);
  for (std::size_t i = 0; i < narrow.size(); ++i) {
    narrow[i] = static_cast<std::uint16_t>(index[i]);
  }
  Upload(textures.index, GL_R16UI, GL_RED_INTEGER, GL_UNSIGNED_SHORT, size.width, size.height,
         narrow.data());
  textures.size = size;
}

void UploadTerms(FieldTextures& textures, PictureSize size, std::int32_t reachX,
                 std::int32_t reachY, const std::uint16_t* angleWave, const std::uint8_t* tenths,
                 const std::int32_t* cosine) {
  const GLsizei wideWidth = size.width + 2 * reachX;
  const GLsizei wideHeight = size.height + 2 * reachY;
  Upload(textures.angleWave, GL_R16UI, GL_RED_INTEGER, GL_UNSIGNED_SHORT, wideWidth, wideHeight,
         angleWave);
  Upload(textures.tenths, GL_R8UI, GL_RED_INTEGER, GL_UNSIGNED_BYTE, wideWidth, wideHeight, tenths);
  Upload(textures.cosine, GL_R32I, GL_RED_INTEGER, GL_INT, wideWidth, 1, cosine);
  textures.termsSize = size;
  textures.reachX = reachX;
  textures.reachY = reachY;
}

// The classic frame reads its terms in the window the drift can reach (frame_composition.h):
// ANGLE + WAVE from the sums there are, WAVE div 10 taken from WAVE here, and the model's cosine
// from the CosineTable run the drifted columns read.
void UploadClassicField(FieldTextures& textures) {
  const PictureSize size{screenWidth, screenHeight};
  UploadIndices(textures, app.IndexBuffer, size);
  const std::int32_t* cosine = app.CosineTable + (kCosineTermShift - kDriftReachX);
  if (textures.termsSize.width == size.width && textures.termsSize.height == size.height) {
    gl.BindTexture(GL_TEXTURE_2D, textures.cosine);
    gl.TexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, kDriftWindowWidth, 1, GL_RED_INTEGER, GL_INT, cosine);
    return;
  }
  std::vector<std::uint8_t> tenths(kDriftWindowEntries);
  const std::int32_t left = -kDriftReachX - screenWidth / 2;
  const std::int32_t top = -kDriftReachY - screenHeight / 2;
  std::uint8_t* tenth = tenths.data();
  for (std::int32_t wy = 0; wy < kDriftWindowHeight; ++wy) {
    const std::int32_t* wave = app.WAVE + GridIndex(left, top + wy);
    for (std::int32_t wx = 0; wx < kDriftWindowWidth; ++wx) {
      *tenth++ = static_cast<std::uint8_t>(TenthOfWave(wave[wx]));
    }
  }
  UploadTerms(textures, size, kDriftReachX, kDriftReachY, app.AngleWaveSums, tenths.data(), cosine);
}

// A scaled field's terms are the same for every model: they are uploaded at a new size only.
void UploadScaledField(FieldTextures& textures, const ScaledPicture& field) {
  const PictureSize size{field.width, field.height};
  UploadIndices(textures, field.Index, size);
  if (textures.termsSize.width != size.width || textures.termsSize.height != size.height) {
    UploadTerms(textures, size, field.reachX, field.reachY, field.AngleWave, field.Tenths,
                field.Cosine);
  }
}

void LoadField(std::int32_t, const PictureDescription& description) {
  const bool classic = description.field == FieldKind::Classic;
  const std::int32_t slot = classic ? kClassicSlot : description.fieldIndex;
  const std::uint32_t evaluation =
      classic ? app.classicEvaluation : app.fields[description.fieldIndex].evaluation;
  FieldTextures& textures = rendering.fields[slot];
  if (textures.evaluation == evaluation) {
    return;  // another picture of the same size had it uploaded
  }
  if (classic) {
    UploadClassicField(textures);
  } else {
    UploadScaledField(textures, app.fields[description.fieldIndex]);
  }
  textures.evaluation = evaluation;
}

// Entry v of the ring at texel (v mod 256, v div 256): the whole rows, then the last one's start.
void LoadRing(const std::uint32_t* ring) {
  constexpr GLsizei kWholeRows = ringSize / kRingColumns;
  gl.BindTexture(GL_TEXTURE_2D, rendering.ring);
  gl.TexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, kRingColumns, kWholeRows, GL_RGBA_INTEGER,
                   GL_UNSIGNED_BYTE, ring);
  gl.TexSubImage2D(GL_TEXTURE_2D, 0, 0, kWholeRows, ringSize - kWholeRows * kRingColumns, 1,
                   GL_RGBA_INTEGER, GL_UNSIGNED_BYTE, ring + kWholeRows * kRingColumns);
}

void LoadLayer(FrameContent) {
  rendering.layerChanged = true;
}

void UploadLayerRows(std::int32_t first, std::int32_t end) {
  if (first >= end) {
    return;
  }
  const FrameView layer = LayerView();
  gl.BindTexture(GL_TEXTURE_2D, rendering.layer);
  gl.TexSubImage2D(GL_TEXTURE_2D, 0, 0, first, layer.width, end - first, GL_RGBA_INTEGER,
                   GL_UNSIGNED_BYTE,
                   layer.pixels + static_cast<std::ptrdiff_t>(first) * layer.pitch);
}

// The layer's texture and memory take the frame's layout; the layer is drawn again at another.
void ShapeGlLayer(const LayerLayout& layout) {
  ShapeLayer(layout);
  if (layout.width != rendering.layerLayout.width ||
      layout.height != rendering.layerLayout.height) {
    Upload(rendering.layer, GL_RGBA8UI, GL_RGBA_INTEGER, GL_UNSIGNED_BYTE, layout.width,
           layout.height, nullptr);
    rendering.layerChanged = true;
  }
  rendering.layerLayout = layout;
}

// Picture 0 at the classic size is the console layer itself, and the software renderer draws the
// glow and the TAB hint over its plasma: those rows are drawn here as it draws them.
void DrawClassicLayerRows(const FrameDescription& frame, std::int32_t layerTop) {
  const PictureDescription& picture = frame.pictures[0];
  const std::int32_t bandTop = picture.bandTop < screenHeight ? picture.bandTop : screenHeight;
  const FrameView view = LockFrame(FrameLayer::Picture, 0);
  if (picture.field == FieldKind::Classic) {
    ComposeFrameRows(view, layerTop, bandTop);
    DrawConsolePanel(view);
  } else {
    const ScaledPicture& field = app.fields[picture.fieldIndex];
    ComposeFrameInto(view, field, field.Index, bandTop, layerTop, screenHeight);
    DrawConsoleGlowAt(view, bandTop, 1.0);
    DrawConsoleBand(view);
  }
  UnlockFrame();
  DrawLogosAndTexts(rendering.logosMade);
  UploadLayerRows(layerTop, screenHeight);
}

// Elsewhere the layer holds the console's band, logos and texts, drawn when they change.
void DrawConsoleLayer() {
  const FrameView layer = LockFrame(FrameLayer::Console);
  DrawConsoleBand(layer);
  UnlockFrame();
  DrawLogosAndTexts(rendering.logosMade);
  UploadLayerRows(app.consoleTop, screenHeight);
}

void DrawLayer(const FrameDescription& frame) {
  ShapeGlLayer(frame.layer);
  const PictureSize first = GlPictureSize(0);
  const bool classicSize = first.width == screenWidth && first.height == screenHeight;
  if (frame.content == FrameContent::IntroPage) {
    if (rendering.layerChanged) {
      DrawIntroFrame();
      UploadLayerRows(0, frame.layer.height);
    }
  } else if (classicSize && frame.pictures[0].field != FieldKind::None) {
    const std::int32_t layerTop = ProcessorLayerTop(frame);
    if (layerTop < screenHeight || !rendering.logosMade) {
      DrawClassicLayerRows(frame, layerTop);
    }
  } else if (rendering.layerChanged || !rendering.logosMade) {
    DrawConsoleLayer();
  }
  rendering.layerChanged = false;
}

// Uploads picture `picture`'s plans where they changed.
void PlanPicture(const FrameDescription& frame, std::int32_t picture, PictureSize size) {
  PicturePlans& plans = rendering.plans[picture];
  std::vector<RowPlan> rows = PlanRows(frame, picture, size);
  if (plans.rows == 0 || rows.size() != plans.rowsShown.size()) {
    Upload(plans.rows, GL_RGBA32I, GL_RGBA_INTEGER, GL_INT, 1, size.height, rows.data());
  } else if (!(rows == plans.rowsShown)) {
    gl.BindTexture(GL_TEXTURE_2D, plans.rows);
    gl.TexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 1, size.height, GL_RGBA_INTEGER, GL_INT, rows.data());
  }
  plans.rowsShown = std::move(rows);
  if (plans.columns == 0 || plans.columnsSize.width != size.width ||
      plans.columnsSize.height != size.height || !(plans.columnsLayout == frame.layer)) {
    const std::vector<ColumnPlan> columns = PlanColumns(size, frame.layer);
    Upload(plans.columns, GL_RGBA32I, GL_RGBA_INTEGER, GL_INT, size.width, 1, columns.data());
    plans.columnsSize = size;
    plans.columnsLayout = frame.layer;
  }
}

void BindUnit(GLint unit, GLuint texture) {
  gl.ActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
  gl.BindTexture(GL_TEXTURE_2D, texture);
}

// The field's textures and where the drift reads the terms this frame.
void BindField(const FrameDescription& frame, std::int32_t picture, PictureSize size) {
  const PictureDescription& description = frame.pictures[picture];
  std::int32_t term = static_cast<std::int32_t>(ExtraTerm::None);
  FrameDrift drift{0, 0};
  const FieldTextures* textures = nullptr;
  if (frame.content == FrameContent::Visuals && description.field != FieldKind::None) {
    textures = &rendering.fields[description.field == FieldKind::Classic ? kClassicSlot
                                                                         : description.fieldIndex];
    term = static_cast<std::int32_t>(ExtraTermOf(app.currentModel));
    drift = ComputeScaledDrift(app.modelClockMs, app.smallOffsetX, app.smallOffsetY,
                               ModelScale(size.width, size.height));
  }
  const FieldTextures none;
  const FieldTextures& bound = textures != nullptr ? *textures : none;
  BindUnit(kFieldUnit, bound.index);
  BindUnit(kAngleWaveUnit, bound.angleWave);
  BindUnit(kTenthsUnit, bound.tenths);
  BindUnit(kCosineUnit, bound.cosine);
  gl.Uniform1i(rendering.uniforms.term, term);
  gl.Uniform2i(rendering.uniforms.termOrigin, drift.x + bound.reachX, drift.y + bound.reachY);
}

void RenderGlFrame(const FrameDescription& frame) {
  DrawLayer(frame);
  gl.UseProgram(rendering.program);
  gl.BindVertexArray(rendering.vertexArray);
  gl.Uniform1i(rendering.uniforms.glowColour, static_cast<GLint>(kConsoleGlowColour));
  const std::int32_t count = GlPictureCount();
  for (std::int32_t i = 0; i < count; ++i) {
    const PictureSize size = GlPictureSize(i);
    PlanPicture(frame, i, size);
    TargetGlPicture(i);
    gl.Viewport(0, 0, size.width, size.height);
    BindField(frame, i, size);
    BindUnit(kRingUnit, rendering.ring);
    BindUnit(kLayerUnit, rendering.layer);
    BindUnit(kRowsUnit, rendering.plans[i].rows);
    BindUnit(kColumnsUnit, rendering.plans[i].columns);
    gl.Uniform1i(rendering.uniforms.height, size.height);
    gl.DrawArrays(GL_TRIANGLES, 0, 3);
  }
  PresentGlFrame();
}

void StopGl() {
  if (gl.DeleteTextures != nullptr) {
    for (FieldTextures& textures : rendering.fields) {
      DeleteTexture(textures.index);
      DeleteTexture(textures.angleWave);
      DeleteTexture(textures.tenths);
      DeleteTexture(textures.cosine);
    }
    for (PicturePlans& plans : rendering.plans) {
      DeleteTexture(plans.rows);
      DeleteTexture(plans.columns);
    }
    DeleteTexture(rendering.ring);
    DeleteTexture(rendering.layer);
    gl.DeleteVertexArrays(1, &rendering.vertexArray);
    gl.DeleteProgram(rendering.program);
  }
  GiveBackFrameMemory();
  std::string problem = std::move(rendering.problem);
  rendering = GlRendering{};
  rendering.problem = std::move(problem);
}

bool StartGl() {
  rendering = GlRendering{};
  const char* missing = nullptr;
  if (!LoadGlFunctions(missing)) {
    rendering.problem = std::string("the OpenGL context has no ") + missing;
    return false;
  }
  // Errors an earlier user of the context left are not the renderer's: a restored WebGL context
  // answers INVALID_OPERATION for each texture of the lost one that its stop deleted.
  while (gl.GetError() != GL_NO_ERROR) {
  }
  if (!TakeFrameMemory()) {
    rendering.problem = "not enough memory";
    return false;
  }
  rendering.program = MakePlasmaProgram(rendering.problem);
  if (rendering.program == 0) {
    return false;
  }
  rendering.uniforms = PlasmaUniformsOf(rendering.program);
  gl.GenVertexArrays(1, &rendering.vertexArray);
  // Rows of 16- and 8-bit texels of any width are packed; dithering and an sRGB framebuffer would
  // change colours that must arrive as they are.
  gl.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
  gl.PixelStorei(GL_PACK_ALIGNMENT, 1);
  gl.Disable(GL_DITHER);
  if (!GlContextIsEs()) {
    gl.Disable(kFramebufferSrgb);
  }
  Upload(rendering.ring, GL_RGBA8UI, GL_RGBA_INTEGER, GL_UNSIGNED_BYTE, kRingColumns, kRingRows,
         nullptr);
  rendering.layerLayout = {screenWidth, screenHeight, 1};
  Upload(rendering.layer, GL_RGBA8UI, GL_RGBA_INTEGER, GL_UNSIGNED_BYTE, screenWidth, screenHeight,
         nullptr);
  if (gl.GetError() != GL_NO_ERROR) {
    rendering.problem = "the OpenGL context refuses the renderer's textures";
    return false;
  }
  return true;
}

}  // namespace

const Renderer& GlRenderer() {
  static constexpr Renderer kGl{StartGl,   StopGl,   BeginGlFrame, GlPictureCount, GlPictureSize,
                                LoadField, LoadRing, LoadLayer,    RenderGlFrame,  GlPacesFrames};
  return kGl;
}

const char* GlRendererProblem() {
  return rendering.problem.c_str();
}

bool IsSoftwareRasteriser(std::string_view renderer) {
  constexpr std::string_view kRasterisers[] = {"llvmpipe", "softpipe", "SwiftShader", "GDI Generic",
                                               "Basic Render Driver"};
  return std::any_of(
      std::begin(kRasterisers), std::end(kRasterisers),
      [renderer](std::string_view name) { return renderer.find(name) != std::string_view::npos; });
}
