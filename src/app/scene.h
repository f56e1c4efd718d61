// Preparing the scene at start-up: the big buffers, the geometry tables, the first model and the
// colour rings.
#pragma once

#include "state/app_state.h"

// Allocates the tables (about 50 MB with the rings), builds the geometry tables, selects a random
// first model and creates the colour rings; then key commands may act. Returns false when the
// memory cannot be had: no buffer that was not obtained is written, and the program must end.
bool PrepareScene();

// Calls visit(&AppState::buffer) for every buffer that a run allocates but the pictures' own (the
// scene's, the console raster of its first open frame, and the WAVE look-up of the pictures): with
// GiveBackScaledPicture the one list of what a run takes from the heap.
template <typename Visit>
void ForEachSceneBuffer(Visit visit) {
  visit(&AppState::RADIUS);
  visit(&AppState::WAVE);
  visit(&AppState::ANGLE);
  visit(&AppState::AngleWaveSums);
  visit(&AppState::IndexBuffer);
  visit(&AppState::CosineTable);
  visit(&AppState::currentRing);
  visit(&AppState::targetRing);
  visit(&AppState::ConsoleRaster);
  visit(&AppState::WaveOfRadius);
}
