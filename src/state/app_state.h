// The one record of Chromaflux's state, and the constants every subsystem shares.
//
// All mutable state of the program lives in the single global `app`, grouped by the subsystem
// that owns (writes) each field. Other subsystems only read what they need. The big buffers are
// allocated once by PrepareScene (or by their first user) and given back only by EndRun.
//
// A platform's own objects (windows, devices, surfaces, fonts) are not here: each platform layer
// keeps them in records of its own (the Windows program's in windows/win_platform.h), which
// EndRun's reset of `app` does not touch.
#pragma once

#include <cstddef>
#include <cstdint>

#include "state/frame_description.h"
#include "state/run_settings.h"

struct Renderer;

// The display mode the whole program is written for; every buffer and bound derives from it.
constexpr std::int32_t screenWidth = 800;
constexpr std::int32_t screenHeight = 600;
constexpr std::int32_t screenBpp = 32;

// The console and intro layer holds the classic screen's pixels at most, whatever its layout.
constexpr std::size_t kLayerPixels = static_cast<std::size_t>(screenWidth) * screenHeight;

// 2000 times the single-precision 10.2 (10.19999980926513671875) is 20399.9996..., truncated.
// The ring thus holds 39 whole palette periods of 510 entries and a 40th that stops one short.
constexpr std::int32_t ringSize = static_cast<std::int32_t>(2000 * static_cast<double>(10.2f));
static_assert(ringSize == 20399, "the colour ring has 20399 entries");

// RANDOM play mode with the default settings: a new model every 20 s.
constexpr std::int32_t kDefaultRandomPeriodMs = kDefaultPeriodSeconds * kMillisecondsPerSecond;
constexpr std::int32_t kManualPeriodMs = 0x7FFFFFFF;  // MANUAL: a period that never runs out

// Which window of a model's time the colour-ring animation is in.
enum class RingState : std::int32_t { FadeToTarget = 0, Rotate = 1, FadeToBlack = 2 };

// Horizontal anchor of a text at its x; y is always the top (see platform/text_output.h).
enum class TextAnchor : std::int32_t { Left = 0, Centre = 1, Right = 2 };

// The widest vector instructions the pixel loops may use, in increasing order. Start-up sets it
// once to what the build and the processor offer; tests set it to compare every path.
enum class SimdLevel : std::int32_t { Portable = 0, Sse2 = 1, Avx2 = 2 };

// Where the console is going.
enum class SlideState : std::int32_t { Idle = 0, Opening = 1, Closing = 2 };

// One pointer (a finger or a pen) of the gesture under way (app/pointer_gestures.h).
struct PointerTrack {
  std::int32_t id = 0;    // the platform's, while it is down
  bool down = false;      // on the screen now
  double startX = 0;      // where it went down, in picture 0's pixels
  double startY = 0;      //
  double x = 0;           // where it was last
  double y = 0;           //
  double farthestPt = 0;  // the farthest it has been from the start, in points
};

// The most pointers a gesture follows: a gesture of more is spoilt.
constexpr std::int32_t kGesturePointers = 2;

// The pointer gesture under way and the tap before it.
struct GestureState {
  PointerTrack pointers[kGesturePointers];  // its pointers, in the order they went down
  std::int32_t mostDown = 0;    // pointers down at once at most; 0: no gesture under way
  bool spoilt = false;          // a cancel or a third pointer: the gesture gives nothing
  std::uint32_t startTick = 0;  // when its first pointer went down
  bool tapWaits = false;        // the last gesture was a tap that a second one may double
  std::uint32_t tapTick = 0;    // when that tap ended
  double tapX = 0;              // where, in picture 0's pixels
  double tapY = 0;              //
};

// The buffers of the model's field at one output size, made by PrepareScaledPicture and shared by
// every picture of that size.
struct ScaledPicture {
  std::int32_t width = 0;              // output columns the buffers below were made for
  std::int32_t height = 0;             // output rows likewise
  std::int32_t* Index = nullptr;       // width x height ring indices of the model
  std::int32_t reachX = 0;             // output columns the drift can shift a term, at most
  std::int32_t reachY = 0;             // output rows likewise
  std::uint16_t* AngleWave = nullptr;  // ANGLE + WAVE at each output point the drift reaches
  std::uint8_t* Tenths = nullptr;      // WAVE div 10 at the same points
  std::int32_t* Cosine = nullptr;      // model 12's C(x + 500) at each column it reaches
  bool indexReady = false;             // Index holds the current model at this size
  std::uint32_t evaluation = 0;        // which evaluation Index holds (AppState::evaluations)
};

// What the console and intro layer shows, as far as it changes between frames: the layer is
// handed to the renderer again when these differ, and on every frame the open console shows the
// moving colour ring.
struct LayerFacts {
  FrameContent content = FrameContent::IntroPage;
  std::int32_t blinkOn = 0;         // the intro page's prompt
  std::uint32_t consoleOffset = 0;  // console rows on screen
  std::int32_t tabPressed = 0;      // the TAB hint is gone
  bool operator==(const LayerFacts& other) const {
    return content == other.content && blinkOn == other.blinkOn &&
           consoleOffset == other.consoleOffset && tabPressed == other.tabPressed;
  }
};

struct AppState {
  // The run's settings, set by StartRun; the platform reads `classic`.
  RunSettings settings;

  // Random generator.
  std::uint32_t rngState = 1;  // LCG state; 1 until seeded with the start tick

  // Processor.
  SimdLevel simdLevel = SimdLevel::Portable;  // vector path of the pixel loops, set at start-up

  // Start-up.
  bool sceneReady = false;  // PrepareScene has finished: key commands may act

  // Frame driver and clocks.
  std::int32_t started = 0;         // 0 while the intro page shows, 1 from the first click on
  std::uint32_t frameTick = 0;      // tick of the current frame (or of the last SwitchModel)
  std::uint32_t lastFrameTick = 0;  // tick of the previous drawn frame
  std::uint32_t frameMs = 0;        // frameTick - lastFrameTick, modulo 2^32
  std::int32_t modelClockMs = 0;    // milliseconds since the current model started
  // The play mode: RANDOM's settings.periodSeconds in milliseconds, or kManualPeriodMs.
  std::int32_t playPeriodMs = kDefaultRandomPeriodMs;
  std::int32_t consoleTop = screenHeight;  // first screen row covered by the console

  // The frame and its renderer (app/frame_driver.h, platform/renderer.h).
  const Renderer* renderer = nullptr;  // draws every frame of the run; set by StartRun
  FrameDescription frame;              // what the frame being drawn shows, as the update left it
  std::uint32_t handedEvaluation[kMostPictures] = {};  // the field evaluation picture i was
                                                       // handed last; 0: none
  LayerFacts handedLayer;    // what the layer showed when the renderer was last handed it
  bool layerHanded = false;  // the renderer was handed the layer at least once

  // The classic frame's field and tables, made only where a picture shows it (app/scene.h).
  bool classicTables = false;           // the geometry tables and the drift's sums are built
  bool classicReady = false;            // IndexBuffer holds the current model
  std::uint32_t classicEvaluation = 0;  // which evaluation IndexBuffer holds

  // Geometry tables, 2000 x 2000 grid points each (see plasma/geometry_tables.h).
  std::int32_t* RADIUS = nullptr;  // 100 x distance from the origin
  std::int32_t* WAVE = nullptr;    // concentric ring wave of RADIUS, 0 ... 99
  std::int32_t* ANGLE = nullptr;   // 406 x atan2 + 2030, 754 ... 3305

  // Frame composition's table, built at start-up from the geometry tables.
  std::uint16_t* AngleWaveSums = nullptr;  // ANGLE + WAVE over the reach of model 0's drift

  // Current model and its add-ons.
  std::int32_t* IndexBuffer = nullptr;  // screenWidth x screenHeight ring indices of the model
  std::int32_t* CosineTable = nullptr;  // ringSize entries of the model's cosine wave
  std::int32_t currentModel = 0;        // 0 ... 13
  std::int32_t centreX = 0;             // screenWidth / 2
  std::int32_t centreY = 0;             // screenHeight / 2
  std::int32_t smallOffsetX = 0;        // -50 ... 49
  std::int32_t smallOffsetY = 0;        // -50 ... 49
  std::int32_t wideOffsetX = 0;         // -300 ... 299
  std::int32_t wideOffsetY = 0;         // -300 ... 299
  std::int32_t fixedOffsetX = 0;        // always 500
  std::int32_t fixedOffsetY = 0;        // always -150
  std::int32_t halfScreenOffsetX = 0;   // -centreX ... -1
  std::int32_t halfScreenOffsetY = 0;   // -centreY ... -1

  // Fields at any size (plasma/scaled_picture.h): the model space sampled at the pictures' sizes,
  // one field a size; a frame of N pictures uses N at most.
  ScaledPicture fields[kMostPictures];
  std::uint32_t evaluations = 0;         // fields evaluated in this run, classic and scaled
  std::uint8_t* WaveOfRadius = nullptr;  // WAVE of each RADIUS value below waveRadii
  std::int32_t waveRadii = 0;            // entries of WaveOfRadius: the most any picture needs

  // Colour rings.
  std::uint32_t* currentRing = nullptr;  // the visible ring, ringSize colours 0x00RRGGBB
  std::uint32_t* targetRing = nullptr;   // what the fade-in steps the visible ring toward
  std::int32_t rotateRed = 0;            // 1: red moves toward lower indices, 0: higher
  std::int32_t rotateGreen = 0;          // the same for green
  std::int32_t rotateBlue = 0;           // the same for blue

  // Colour-ring animation.
  RingState ringState = RingState::Rotate;  // the window the last animation call found
  std::uint32_t ringStepMs = 10;            // milliseconds per animation step
  std::uint32_t ringAccumMs = 0;            // milliseconds not yet turned into steps

  // Console panel raster and layout.
  std::uint32_t* ConsoleRaster = nullptr;  // consoleWidth x 80 pixels of the panel
  std::int32_t consoleWidth = 0;           // columns of the console as laid out
  std::int32_t consoleLeft = 0;            // left x of the controls column
  std::int32_t fpsRowY = 0;                // console-relative y of the FPS row
  std::int32_t playModeRowY = 0;           // console-relative y of the PLAY MODE row
  std::int32_t modelRowY = 0;              // console-relative y of the MATH MODEL row
  std::int32_t modelButtonColumns = 0;     // a model button's width
  std::int32_t modelButtonsPerRow = 0;     // the model buttons of each of their rows
  std::int32_t stripColumns = 0;           // columns of the colour-ring strip

  // Console text and logos.
  std::uint32_t fpsTick = 0;        // tick of the last frame-rate update
  std::uint32_t fpsFrameCount = 0;  // running frames since that update
  std::uint32_t fpsShown = 0;       // the frame rate on display

  // Console slide.
  SlideState slideState = SlideState::Idle;  // where the console is going
  std::uint32_t consoleOffset = 0;           // console rows on screen, 0 ... 80
  std::uint32_t slideAccumMs = 0;            // milliseconds not yet turned into slide steps
  std::int32_t tabPressed = 0;               // 1 from the first TAB on: hides the TAB hint

  // Pointer gestures and the screen they are made on.
  GestureState gesture;       // the gesture under way (app/pointer_gestures.h)
  double pixelsPerPoint = 1;  // picture 0's pixels per point, as the platform last said

  // Intro page blink.
  std::uint32_t blinkTick = 0;  // tick of the last toggle of the prompt
  std::int32_t blinkOn = 0;     // prompt shown while non-zero; toggles between 0 and ~0
};

extern AppState app;
