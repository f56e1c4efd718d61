#include "software/software_renderer.h"

#include "plasma/frame_composition.h"
#include "plasma/scaled_composition.h"
#include "platform/display.h"
#include "platform/row_bands.h"
#include "software/layer_drawing.h"
#include "software/layer_taps.h"
#include "software/memory_frame.h"
#include "state/app_state.h"
#include "ui/console_panel.h"

namespace {

// The renderer's own state across the frames of a run.
struct SoftwareRendering {
  bool logosCreated = false;  // the logo surfaces were made, on the first running frame
};

SoftwareRendering rendering;

bool StartSoftware() {
  rendering = SoftwareRendering{};
  return TakeFrameMemory();
}

void StopSoftware() {
  GiveBackFrameMemory();
  rendering = SoftwareRendering{};
}

// The fields and the ring are the core's and are read where they lie.
void KeepField(std::int32_t, const PictureDescription&) {}
void KeepRing(const std::uint32_t*) {}
// The layer is drawn with every frame: on the classic frame it is the picture itself.
void KeepLayer(FrameContent) {}

// The console's parts on a picture of another size than the classic one: the glow above the band
// and the band's margins, at the picture's resolution.
void DrawConsoleAround(const FrameView& view, const PictureDescription& picture,
                       const LayerLayout& layout) {
  DrawConsoleGlowAt(view, picture.bandTop, layout.scale);
  const LayerColumns band = LayerColumnsOf({view.width, view.height}, layout);
  DrawConsoleBandMargins(view, picture.bandTop, layout.scale, band.first, band.end);
}

// Every picture with a field, its pixels opened together: the pictures of other sizes than the
// classic one composed in one job on the crew, band by band, the classic ones on this thread,
// then the console's parts of picture 0. A picture without a field keeps what it showed, and so
// does one whose pixels cannot be had (a failed lock leaves no pixel pointer). The console's band
// goes into the classic frame itself, else onto the console layer, which the display shows over
// the picture's bottom rows.
void DrawPictures(const FrameDescription& frame) {
  FrameView views[kMostPictures] = {};
  RowPart parts[kMostPictures];
  std::int32_t partCount = 0;
  bool locked = false;
  for (std::int32_t i = 0; i < frame.pictureCount; ++i) {
    const PictureDescription& picture = frame.pictures[i];
    if (picture.field == FieldKind::None) {
      continue;
    }
    views[i] = LockFrame(FrameLayer::Picture, i);
    locked |= views[i].pixels != nullptr;
    if (views[i].pixels != nullptr && picture.field == FieldKind::Scaled) {
      const ScaledPicture& field = app.fields[picture.fieldIndex];
      const FrameView& view = views[i];
      parts[partCount++] = {
          view.height, [&view, &field, &picture](std::int32_t first, std::int32_t end) {
            ComposeFrameInto(view, field, field.Index, picture.bandTop, first, end);
          }};
    }
  }
  for (std::int32_t i = 0; i < frame.pictureCount; ++i) {
    if (views[i].pixels != nullptr && frame.pictures[i].field == FieldKind::Classic) {
      ComposeFrame(views[i], frame.pictures[i].bandTop);
    }
  }
  ForRowBands(parts, partCount);
  const PictureDescription& first = frame.pictures[0];
  if (views[0].pixels != nullptr) {
    if (first.field == FieldKind::Classic) {
      DrawConsolePanel(views[0]);
    } else {
      DrawConsoleAround(views[0], first, frame.layer);
    }
  }
  if (locked) {
    UnlockFrame();
  }
  if (first.field != FieldKind::Classic) {
    const FrameView layer = LockFrame(FrameLayer::Console);
    if (layer.pixels != nullptr) {
      DrawConsoleBand(layer);
      UnlockFrame();
    }
  }
}

void DrawRunningFrame(const FrameDescription& frame) {
  DrawPictures(frame);
  DrawLogosAndTexts(rendering.logosCreated);
}

void RenderSoftwareFrame(const FrameDescription& frame) {
  ShapeLayer(frame.layer);
  if (frame.content == FrameContent::IntroPage) {
    DrawIntroFrame();
  } else {
    DrawRunningFrame(frame);
  }
  FinishFrame(frame);
}

}  // namespace

const Renderer& SoftwareRenderer() {
  static constexpr Renderer kSoftware{
      StartSoftware, StopSoftware, BeginFrame, FramePictureCount,   FramePictureSize,
      KeepField,     KeepRing,     KeepLayer,  RenderSoftwareFrame, DisplayPacesFrames};
  return kSoftware;
}
