// A run of Chromaflux, from start-up to its end: all that a platform's entry point asks of the
// core.
//
// The entry point opens its display, calls StartRun with the renderer that draws it, and then
// loops: RunRestingLoop (resting_loop.h) where the port rests between frames, else its own loop
// that hands over each waiting piece of input (PostClick, PostKey) and runs RunIdlePass
// (frame_driver.h) whenever none waits. When the run is over it calls EndRun, which gives back
// what StartRun took. Seeding, the scene, the renderer's start and stop, the clocks and the
// meaning of every click and key live here, once.
#pragma once

#include <cstdint>

#include "platform/renderer.h"
#include "state/run_settings.h"

// Where a run begins.
enum class RunOpening : std::int32_t {
  IntroPage = 0,  // the intro page until the first left click
  Visuals = 1,    // straight into the visuals: console closed, RANDOM play mode, no TAB hint
};

// What the core asks of the platform after a piece of input.
enum class RunRequest : std::int32_t { GoOn = 0, End = 1 };

// Keeps `settings` in app.settings, seeds Rng with `seed`, starts `renderer`, prepares the scene
// (its first model drawn from the settings' models) and starts the loop's clocks on the current
// tick, in RANDOM play mode at the settings' period, then the crew of threads for row work
// (platform/row_bands.h). Returns false when the memory cannot be had; EndRun then gives back what
// was obtained.
bool StartRun(std::uint32_t seed, RunOpening opening, const RunSettings& settings,
              const Renderer& renderer);

// Stops the run's renderer and starts `renderer` in its place (or the same one again, where the
// context it drew with was lost and restored and took what it kept), and hands it every field, the
// ring and the layer again on the next frame. False where it cannot start: the run must end.
bool SwitchRenderer(const Renderer& renderer);

// A left click: the intro page gives way to the visuals.
void PostClick();

// A key-down (a virtual-key code, auto-repeats included) runs its command. Esc answers End: the
// platform ends its loop after the input already waiting.
RunRequest PostKey(std::uint32_t virtualKey);

// H on the desktop and the page: the classic 800 x 600 frame, or the screen's own resolution
// (app.settings.classic, which the platforms read as they size the pictures).
void ToggleClassicFrame();

// How many of picture 0's pixels make a point (a CSS pixel, 1/96 inch) on the platform's screen;
// 1 until the platform says. The console and the intro page are laid out for it
// (app/layer_layout.h).
void SetPixelsPerPoint(double pixelsPerPoint);

// Stops the crew and the renderer, gives back every buffer of the scene and puts `app` back to its
// state at load, so that a later StartRun begins as the first did. Harmless without a run.
void EndRun();
