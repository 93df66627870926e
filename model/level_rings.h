// The map's and the waterfall's recent past: a row of levels a drift step,
// the last 30 seconds, like the chart's history. A level is kept in a byte
// (the map's 300 rows of 1500 columns take 450 KB so, a third of what
// doubles would take), finer than any colour scale shows it.
#pragma once

#include "model/ground_map.h"
#include "model/signal_band.h"
#include "model/signal_history.h"

constexpr int LevelRingRows = SignalHistoryLength;

// 0: no path; 1 ... 255: the level in half-dB steps from -100 dB, held
// within -100 ... +27 dB.
constexpr unsigned char NoLevel = 0;
constexpr double LowestCodedDb = -100.0, CodedDbStep = 0.5;
unsigned char LevelCode(int paths, double db);
// The level a code other than NoLevel stands for.
double CodedLevelDb(unsigned char code);

// Which slot holds the newest row, and how many rows there are.
struct RingRows {
    int Newest;
    int Count;  // 0 ... LevelRingRows
};
void ClearRingRows(RingRows& ring);
// Moves on by one row and returns its slot, the oldest one's once full.
int NextRingRow(RingRows& ring);
// The slot of the row the given number of steps before the newest; stepsAgo < Count.
int RingRowAgo(const RingRows& ring, int stepsAgo);

struct MapRing {
    RingRows Rows;
    unsigned char Levels[LevelRingRows][GroundMapColumns];
};

struct BandRing {
    RingRows Rows;
    unsigned char Levels[LevelRingRows][BandWavelengths];
};

void AddMapRow(MapRing& ring, const GroundMap& map);
void AddBandRow(BandRing& ring, const SignalBand& band);
