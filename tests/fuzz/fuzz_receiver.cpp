// The receiver with any layer and settings, NaN, infinities and huge values
// included, over small fans: it ends quickly, never reports more paths than
// neighbouring pairs of rays or stores more than it has room for, and
// whenever it reports a path its levels are finite numbers, at least the floor.
// Likewise every column of the ground map heard from the same fan, and the
// band's middle is the receiver.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "fuzz_check.h"
#include "model/ground_map.h"
#include "model/signal_band.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Six doubles and a byte; missing bytes read as zero.
    unsigned char bytes[6 * sizeof(double) + 1] = {};
    std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
    double v[6];
    std::memcpy(v, bytes, sizeof v);
    const LayerDouble layer{v[0], v[1], v[2], v[3]};
    const ReceiverSettings settings{v[4], v[5], 2 + bytes[sizeof v] % 63};

    static ReceiverSignal signal;
    static GroundMap map;
    static SignalBand band;
    ListenToFan(layer, settings, signal, &band, &map);
    FUZZ_CHECK(band.Paths == signal.Paths && (signal.Paths == 0 || band.SignalDb[BandCentre] == signal.SignalDb));
    for (int c = 0; c < GroundMapColumns; ++c) {
        FUZZ_CHECK(map.Paths[c] >= 0 &&
                   (map.Paths[c] == 0 || (std::isfinite(map.SignalDb[c]) && map.SignalDb[c] >= SignalFloorDb)));
    }
    FUZZ_CHECK(signal.Paths >= 0 && signal.Paths < settings.FanRays);
    FUZZ_CHECK(signal.DrawnPaths == (signal.Paths < MaxDrawnPaths ? signal.Paths : MaxDrawnPaths));
    for (int path = 0; path < signal.DrawnPaths; ++path) {
        FUZZ_CHECK(std::isfinite(signal.Path[path].Length) && signal.Path[path].Intensity >= 0);
    }
    if (signal.Paths > 0) {
        FUZZ_CHECK(std::isfinite(signal.FocusDb) && signal.FocusDb >= SignalFloorDb);
        FUZZ_CHECK(std::isfinite(signal.SignalDb) && signal.SignalDb >= SignalFloorDb);
    }
    return 0;
}
