#include "software/software_renderer.h"

#include "plasma/frame_composition.h"
#include "plasma/model_space.h"
#include "plasma/scaled_composition.h"
#include "platform/display.h"
#include "platform/logo_surfaces.h"
#include "platform/row_bands.h"
#include "state/app_state.h"
#include "ui/console_panel.h"
#include "ui/console_text.h"
#include "ui/intro_page.h"

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

void DrawIntroFrame() {
  ClearFrame();
  OpenFrameText();
  DrawIntroPage();
  CloseFrameText();
}

// A picture at a size of the platform's choosing other than the classic one: its field composed
// on every core down to the console's band, with the glow above the band and the band's margins
// where the picture carries the console.
void DrawScaledPicture(const FrameView& view, const PictureDescription& picture,
                       bool carriesConsole) {
  const ScaledPicture& field = app.fields[picture.fieldIndex];
  ForRowBands(view.height, [&](std::int32_t first, std::int32_t end) {
    ComposeFrameInto(view, field, field.Index, picture.bandTop, first, end);
  });
  if (carriesConsole) {
    const double scale = ModelScale(view.width, view.height);
    DrawConsoleGlowAt(view, picture.bandTop, scale);
    const ClassicColumns box = ClassicColumnsOf(view.width, scale);
    DrawConsoleBandMargins(view, picture.bandTop, scale, box.first, box.end);
  }
}

// Picture `index` as described. A picture without a field keeps what it showed, and so does one
// whose pixels cannot be had (a failed lock leaves no pixel pointer). The console's band is drawn
// on picture 0: on the classic frame into the picture itself, else on the console layer, which
// the display shows over the picture's bottom rows.
void DrawPicture(const FrameDescription& frame, std::int32_t index) {
  const PictureDescription& picture = frame.pictures[index];
  const bool carriesConsole = index == 0;
  if (picture.field != FieldKind::None) {
    const FrameView view = LockFrame(FrameLayer::Picture, index);
    if (view.pixels == nullptr) {
      return;
    }
    if (picture.field == FieldKind::Classic) {
      ComposeFrame(view, picture.bandTop);
      if (carriesConsole) {
        DrawConsolePanel(view);
      }
      UnlockFrame();
      return;
    }
    DrawScaledPicture(view, picture, carriesConsole);
    UnlockFrame();
  }
  if (carriesConsole) {
    const FrameView layer = LockFrame(FrameLayer::Console);
    if (layer.pixels != nullptr) {
      DrawConsoleBand(layer);
      UnlockFrame();
    }
  }
}

void DrawRunningFrame(const FrameDescription& frame) {
  for (std::int32_t i = 0; i < frame.pictureCount; ++i) {
    DrawPicture(frame, i);
  }
  if (rendering.logosCreated) {
    BlitLogos();
  }
  OpenFrameText();
  // The logos are made on the first running frame, as its text is drawn, and shown from the next.
  if (!rendering.logosCreated) {
    rendering.logosCreated = true;
    CreateLogoSurfaces();
  }
  DrawConsoleText();
  CloseFrameText();
}

void RenderSoftwareFrame(const FrameDescription& frame) {
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
