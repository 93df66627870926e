// qsb-trace's option parser with any argument vector: no crash, and either a
// valid set of options or one line naming the problem.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "fuzz_check.h"
#include "tools/trace_options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The input is the arguments, separated by zero bytes.
    static char buffer[4096];
    if (size >= sizeof buffer) {
        return 0;
    }
    std::memcpy(buffer, data, size);
    buffer[size] = '\0';
    const char* argv[256] = {"qsb-trace"};
    int argc = 1;
    for (size_t start = 0; start <= size && argc < 256; start += std::strlen(buffer + start) + 1) {
        argv[argc++] = buffer + start;
    }

    TraceOptions options = DefaultTraceOptions();
    char error[200] = "";
    switch (ParseTraceOptions(argc, argv, options, error, sizeof error)) {
    case TraceParse::Error: FUZZ_CHECK(error[0] != '\0' && std::strchr(error, '\n') == nullptr); break;
    case TraceParse::Run:
        FUZZ_CHECK(options.Frames >= 1 && options.Frames <= MaxTraceFrames);
        FUZZ_CHECK(options.Width >= 1 && options.Height >= 1);
        FUZZ_CHECK(std::isfinite(options.Altitude) && std::isfinite(options.Amplitude) &&
                   std::isfinite(options.WaveNumber) && std::isfinite(options.PhaseStep) &&
                   std::isfinite(options.PhaseOffset));
        FUZZ_CHECK(!(options.ShowNormals && options.ShowTangents));
        FUZZ_CHECK(options.SvgPath == nullptr || options.SvgPath[0] != '\0');
        FUZZ_CHECK(options.SignalPath == nullptr || options.SignalPath[0] != '\0');
        FUZZ_CHECK(options.Receiver.X >= ReceiverMinX && options.Receiver.X <= ReceiverMaxX);
        FUZZ_CHECK(options.Altitude > 0 && options.Amplitude >= 0 && options.WaveNumber >= 0);
        // Up to the bound, give or take the rounding of the amplitude's share.
        FUZZ_CHECK(static_cast<double>(options.Altitude) + options.Amplitude <= MaxDrawnAltitude * (1 + 0x1p-23));
        FUZZ_CHECK(std::isnormal(options.Receiver.Wavelength) && options.Receiver.Wavelength > 0.0);
        FUZZ_CHECK(options.Receiver.FanRays >= MinFanRays && options.Receiver.FanRays <= MaxFanRays);
        break;
    case TraceParse::Help:
    case TraceParse::Version: break;
    }
    return 0;
}
