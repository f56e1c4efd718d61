// Preparing the scene at start-up: the big buffers, the geometry tables, the first model and the
// colour rings.
#pragma once

// Allocates the tables (about 50 MB with the rings), builds the geometry tables, selects a random
// first model and creates the colour rings; then key commands may act. Returns false when the
// memory cannot be had: no buffer that was not obtained is written, and the program must end.
bool PrepareScene();
