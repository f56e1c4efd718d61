// Preparing the scene at start-up: the big buffers, the first model and the colour rings; and the
// classic frame's field and tables, made where a picture first shows the classic frame.
#pragma once

#include "state/app_state.h"

// Allocates the tables, selects a random first model and creates the colour rings; with the
// classic frame in the settings, its field and tables too (about 50 MB with the rings). Then key
// commands may act. Returns false when the memory cannot be had: no buffer that was not obtained
// is written, and the program must end.
bool PrepareScene();

// Makes the classic frame's tables (the three geometry tables, 48 MB, and the drift's sums) and
// its field's buffer on the first call of a run (app.classicTables). False, with nothing made,
// when the memory cannot be had: a later call tries again.
bool PrepareClassicField();

// Calls visit(&AppState::buffer) for every buffer that a run allocates but the fields' own (the
// scene's, the classic frame's, the console raster, and the WAVE look-up of the fields): with
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
