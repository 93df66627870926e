// The ground map: the receiver's signal at every whole world x from 1 to
// 1500 (at least one per pixel column of the scene, and every place the
// receiver can stand at a whole unit), all from the one fan the receiver
// is traced from.
#pragma once

#include "model/receiver.h"

constexpr int GroundMapColumns = 1500;

// Column c is world x = c + 1.
constexpr double GroundMapX(int column) { return column + 1.0; }

struct GroundMap {
    int Paths[GroundMapColumns];        // paths reaching the column's x; 0: no signal there
    double SignalDb[GroundMapColumns];  // the coherent level over a flat layer, where Paths > 0
    SignalSum Sum[GroundMapColumns];    // the paths added up while the fan is traced
};
