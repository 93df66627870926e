#include "model/level_rings.h"

#include <cmath>

unsigned char LevelCode(int paths, double db)
{
    if (paths == 0) {
        return NoLevel;
    }
    const double steps = (db - LowestCodedDb) / CodedDbStep;
    if (!(steps > 0)) {  // NaN too
        return 1;
    }
    return static_cast<unsigned char>(steps >= 254 ? 255 : 1 + std::lround(steps));
}

double CodedLevelDb(unsigned char code) { return LowestCodedDb + (code - 1) * CodedDbStep; }

void ClearRingRows(RingRows& ring)
{
    ring.Newest = LevelRingRows - 1;
    ring.Count = 0;
}

int NextRingRow(RingRows& ring)
{
    ring.Newest = (ring.Newest + 1) % LevelRingRows;
    if (ring.Count < LevelRingRows) {
        ++ring.Count;
    }
    return ring.Newest;
}

int RingRowAgo(const RingRows& ring, int stepsAgo) { return (ring.Newest - stepsAgo + LevelRingRows) % LevelRingRows; }

void AddMapRow(MapRing& ring, const GroundMap& map)
{
    unsigned char* row = ring.Levels[NextRingRow(ring.Rows)];
    for (int c = 0; c < GroundMapColumns; ++c) {
        row[c] = LevelCode(map.Paths[c], map.SignalDb[c]);
    }
}

void AddBandRow(BandRing& ring, const SignalBand& band)
{
    unsigned char* row = ring.Levels[NextRingRow(ring.Rows)];
    for (int j = 0; j < BandWavelengths; ++j) {
        row[j] = LevelCode(band.Paths, band.SignalDb[j]);
    }
}
