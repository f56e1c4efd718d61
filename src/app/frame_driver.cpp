#include "app/frame_driver.h"

#include "app/frame_pacing.h"
#include "app/layer_layout.h"
#include "app/scene.h"
#include "plasma/model_evaluation.h"
#include "plasma/model_selection.h"
#include "plasma/scaled_evaluation.h"
#include "plasma/scaled_picture.h"
#include "platform/clock.h"
#include "platform/renderer.h"
#include "platform/row_bands.h"
#include "ring/ring_animation.h"
#include "ring/ring_generators.h"
#include "state/app_state.h"
#include "ui/console_panel.h"
#include "ui/console_slide.h"
#include "ui/console_text.h"
#include "ui/intro_page.h"

namespace {

bool IsClassicSize(const PictureSize& size) {
  return size.width == screenWidth && size.height == screenHeight;
}

// The field made for `size`, or -1.
std::int32_t FieldOfSize(const PictureSize& size) {
  for (std::int32_t i = 0; i < kMostPictures; ++i) {
    if (app.fields[i].width > 0 && app.fields[i].width == size.width &&
        app.fields[i].height == size.height) {
      return i;
    }
  }
  return -1;
}

// The console's band lies on picture 0, its rows as many as the classic rows on screen, scaled.
std::int32_t BandTopOf(const PictureDescription& picture, bool carriesConsole) {
  const PictureSize size = picture.size;
  if (!carriesConsole) {
    return size.height;
  }
  if (picture.field == FieldKind::Classic) {
    return app.consoleTop;
  }
  return size.height - ConsoleRowsAt(app.frame.layer.scale);
}

// What each picture shows: the classic field at the classic size, else the one field of its size,
// which pictures of the same size share. Fields already made keep their place; a size without
// one takes a field that no picture of the frame uses, and fields that none uses are given back.
void DescribePictures() {
  FrameDescription& frame = app.frame;
  frame.pictureCount = app.renderer->pictureCount();
  bool used[kMostPictures] = {};
  for (std::int32_t i = 0; i < frame.pictureCount; ++i) {
    PictureDescription& picture = frame.pictures[i];
    picture = PictureDescription{};
    picture.size = app.renderer->pictureSize(i);
    if (IsClassicSize(picture.size)) {
      picture.field = PrepareClassicField() ? FieldKind::Classic : FieldKind::None;
    } else if ((picture.fieldIndex = FieldOfSize(picture.size)) >= 0) {
      used[picture.fieldIndex] = true;
    }
  }
  for (std::int32_t i = 0; i < frame.pictureCount; ++i) {
    PictureDescription& picture = frame.pictures[i];
    if (picture.field == FieldKind::None && !IsClassicSize(picture.size)) {
      picture.fieldIndex = FieldOfSize(picture.size);
      for (std::int32_t f = 0; picture.fieldIndex < 0 && f < kMostPictures; ++f) {
        if (!used[f] &&
            PrepareScaledPicture(app.fields[f], picture.size.width, picture.size.height)) {
          picture.fieldIndex = f;
        }
      }
      if (picture.fieldIndex >= 0) {
        used[picture.fieldIndex] = true;
        picture.field = FieldKind::Scaled;
      }
    }
    picture.bandTop = BandTopOf(picture, i == 0);
  }
  for (std::int32_t f = 0; f < kMostPictures; ++f) {
    if (!used[f] && app.fields[f].width > 0) {
      GiveBackScaledPicture(app.fields[f]);
    }
  }
}

// Evaluates the current model into every field a picture shows and does not hold it yet, in one
// job on the processor's cores. As SwitchModel does after its evaluation, the model's time (and
// with it the colour ring's fade-in) starts after the work of making the fields.
void EvaluateFields() {
  bool classicShown = false;
  for (std::int32_t i = 0; i < app.frame.pictureCount; ++i) {
    classicShown |= app.frame.pictures[i].field == FieldKind::Classic;
  }
  bool evaluated = false;
  if (classicShown && !app.classicReady) {
    EvaluateModel();
    app.classicReady = true;
    app.classicEvaluation = ++app.evaluations;
    evaluated = true;
  }
  RowPart parts[kMostPictures];
  std::int32_t partCount = 0;
  for (ScaledPicture& field : app.fields) {
    if (field.width > 0 && !field.indexReady) {
      parts[partCount++] = {field.height, [&field](std::int32_t first, std::int32_t end) {
                              EvaluateModelInto(field.Index, field.width, field.height, first, end);
                            }};
      field.indexReady = true;
      field.evaluation = ++app.evaluations;
    }
  }
  ForRowBands(parts, partCount);
  if (evaluated || partCount > 0) {
    app.frameTick = GetTicks();
  }
}

// The evaluation that picture `picture` of the frame shows; 0 for none.
std::uint32_t EvaluationShown(const PictureDescription& picture) {
  switch (picture.field) {
    case FieldKind::Classic:
      return app.classicEvaluation;
    case FieldKind::Scaled:
      return app.fields[picture.fieldIndex].evaluation;
    case FieldKind::None:
      break;
  }
  return 0;
}

// The running frame's update: the ring's animation, the console's place, the pictures and their
// fields, the frame-rate count.
void UpdateVisuals() {
  app.frame.content = FrameContent::Visuals;
  AnimateColorRing();
  app.consoleTop = screenHeight - static_cast<std::int32_t>(app.consoleOffset);
  app.frame.consoleTop = app.consoleTop;
  app.frame.layer =
      ChooseLayerLayout(app.renderer->pictureSize(0), FrameContent::Visuals, app.pixelsPerPoint);
  LayOutConsole();
  DescribePictures();
  EvaluateFields();
  CountFrame();
}

void UpdateIntro() {
  app.frame.content = FrameContent::IntroPage;
  app.modelClockMs = 0;  // the model's time starts with the visuals
  app.frame.layer =
      ChooseLayerLayout(app.renderer->pictureSize(0), FrameContent::IntroPage, app.pixelsPerPoint);
  AdvanceBlink();
}

// Hands the renderer what changed since the frame before: each picture's field when it shows
// another evaluation, the ring on every running frame, the layer when its content changed.
void HandOver() {
  const FrameDescription& frame = app.frame;
  if (frame.content == FrameContent::Visuals) {
    for (std::int32_t i = 0; i < frame.pictureCount; ++i) {
      const std::uint32_t evaluation = EvaluationShown(frame.pictures[i]);
      if (evaluation != 0 && evaluation != app.handedEvaluation[i]) {
        app.renderer->loadField(i, frame.pictures[i]);
        app.handedEvaluation[i] = evaluation;
      }
    }
    app.renderer->loadRing(app.currentRing);
  }
  const LayerFacts facts{frame.content, app.blinkOn, app.consoleOffset, app.tabPressed};
  const bool ringOnLayer = frame.content == FrameContent::Visuals && app.consoleOffset > 0;
  if (!app.layerHanded || !(facts == app.handedLayer) || ringOnLayer) {
    app.renderer->loadLayer(frame.content);
    app.handedLayer = facts;
    app.layerHanded = true;
  }
}

}  // namespace

void StartFrameClocks() {
  const std::uint32_t startTick = GetTicks();
  app.lastFrameTick = startTick;
  app.fpsTick = startTick;
  app.started = 0;
}

std::int32_t RunFrame() {
  switch (app.renderer->beginFrame()) {
    case DisplayCheck::NotExclusive:
      return 0;  // clocks untouched: the next drawn frame counts the whole absence
    case DisplayCheck::Failed:
      return 1;
    case DisplayCheck::Ready:
      break;
  }

  app.frameTick = GetTicks();
  app.frameMs = app.frameTick - app.lastFrameTick;
  // Added modulo 2^32: after weeks in MANUAL the sum must wrap, not overflow.
  app.modelClockMs =
      static_cast<std::int32_t>(static_cast<std::uint32_t>(app.modelClockMs) + app.frameMs);
  if (app.modelClockMs > app.playPeriodMs) {
    SwitchModel(-1);
  }

  if (app.started == 0) {
    UpdateIntro();
  } else {
    UpdateVisuals();
  }
  app.lastFrameTick = app.frameTick;

  HandOver();
  app.renderer->renderFrame(app.frame);
  return 0;
}

void SwitchModel(std::int32_t requested) {
  NewColorRing(1);
  SelectModel(requested);
  app.frameTick = GetTicks();
  app.frameMs = app.frameTick - app.lastFrameTick;
  app.modelClockMs = 0;
}

std::int32_t RunIdlePass() {
  const std::int32_t result = RunFrame();
  AdvanceConsoleSlide();
  return result;
}

LoopPass RunLoopPass() {
  const std::uint64_t startUs = GetMicroseconds();
  const bool goOn = RunIdlePass() == 0;
  return {goOn, NextFrameDueUs(startUs, GetMicroseconds(), app.renderer->pacesFrames())};
}
