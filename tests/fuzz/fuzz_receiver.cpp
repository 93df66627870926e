// The receiver with any layer and settings, NaN, infinities and huge values
// included, over small fans: it ends quickly, never reports more paths than
// neighbouring pairs of rays or stores more than it has room for, and
// whenever it reports a path its levels are finite numbers, at least the floor.
#include <cmath>

#include "fuzz_input.h"
#include "model/receiver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in{data, size};
    // Braced lists take their values in order.
    const LayerDouble layer{in.Take<double>(), in.Take<double>(), in.Take<double>(), in.Take<double>()};
    const ReceiverSettings settings{in.Take<double>(), in.Take<double>(), 2 + in.Take<uint8_t>() % 63};

    ReceiverSignal signal;
    ComputeReceiverSignal(layer, settings, signal);
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
