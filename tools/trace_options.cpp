#include "tools/trace_options.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "model/scene_state.h"

const char TraceUsage[] =
    "usage: qsb-trace [options]\n"
    "Prints the drawing operations of consecutive frames, one per line:\n"
    "  frame N / fill L T R B / pen NAME / move X Y / line X Y / text X Y PEN TEXT\n"
    "Options:\n"
    "  --frames N             frames to draw, 1 to 100000 (default 1)\n"
    "  --altitude H           layer altitude (default 395.7)\n"
    "  --amplitude A          ripple amplitude (default 11.3)\n"
    "  --wave-number K        ripple wave number in radians per unit (default 0.0090757124)\n"
    "  --frequency F          ripple frequency as the dialog shows it, 0 to 1.20 (default 0.52);\n"
    "                         it sets the wave number, and of the two the later one counts\n"
    "  --phase-step S         drift added at the start of every frame (default 7.5)\n"
    "  --phase-offset T       drift before the first frame (default 45)\n"
    "  --whiskers KIND        normals, tangents or none (default normals)\n"
    "  --size WxH             client rectangle for the fill and the SVG (default 1000x500)\n"
    "  --receiver X           show the receiver at world x = X, 1 to 1500, with its paths\n"
    "  --wavelength W         the receiver's wavelength, above 0 (default 30)\n"
    "  --fan-rays N           rays of the receiver's fan, 2 to 100000 (default 2001)\n"
    "  --signal FILE          write the receiver's signal per frame as CSV:\n"
    "                         frame,paths,focus_db,signal_db (the receiver at 900 unless\n"
    "                         --receiver; no levels when no path reaches it)\n"
    "  --map FILE             write the ground map per frame as CSV: frame, then the\n"
    "                         signal in dB at every world x from 1 to 1500 (empty where\n"
    "                         no path arrives); the first row names the x's\n"
    "  --band FILE            write the band at the receiver per frame as CSV: frame,\n"
    "                         then the signal in dB at 65 wavelengths evenly spaced in\n"
    "                         frequency over +-10 % of the receiver's; the first row\n"
    "                         names the wavelengths\n"
    "  --audio FILE           write the receiver's signal as sound: a WAV file (16-bit\n"
    "                         PCM, mono, 22050 Hz), 0.1 s per frame, a beat note whose\n"
    "                         level follows the signal over a faint hiss\n"
    "  --tone HZ              the beat note, 200 to 2000 (default 700)\n"
    "  --svg FILE             also write the last frame as an SVG picture, with under\n"
    "                         it the ground map if --map, the signal chart of the last\n"
    "                         300 frames if --signal and the waterfall if --band\n"
    "  --help                 show this text\n"
    "Exit status: 0 done, 1 an output could not be written, 2 bad options or an\n"
    "output file that cannot be created.\n";

TraceOptions DefaultTraceOptions()
{
    const SceneState start = StartSceneState();
    return TraceOptions{1,
                        start.Altitude,
                        start.Amplitude,
                        start.WaveNumber,
                        start.PhaseStep,
                        start.PhaseOffset,
                        start.ShowTangents,
                        start.ShowNormals,
                        1000,
                        500,
                        nullptr,
                        0,
                        DefaultReceiverSettings(),
                        nullptr,
                        nullptr,
                        nullptr,
                        nullptr,
                        DefaultToneHz};
}

namespace {

// strtof and strtod report ERANGE for a tiny value as well, which is still
// a finite number: only an overflow (to infinity) is rejected.
bool ParseFloat(const char* text, float& out)
{
    char* end = nullptr;
    const float v = std::strtof(text, &end);
    if (end == text || *end != '\0' || !std::isfinite(v)) {
        return false;
    }
    out = v;
    return true;
}

bool ParseDouble(const char* text, double low, double high, double& out)
{
    char* end = nullptr;
    const double v = std::strtod(text, &end);
    if (end == text || *end != '\0' || !std::isfinite(v) || v < low || v > high) {
        return false;
    }
    out = v;
    return true;
}

bool ParseInt(const char* text, long low, long high, int& out)
{
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno == ERANGE || v < low || v > high) {
        return false;
    }
    out = static_cast<int>(v);
    return true;
}

bool ParseSize(const char* text, int& width, int& height)
{
    const char* x = std::strchr(text, 'x');
    if (x == nullptr || x - text > 15) {
        return false;
    }
    char first[16];
    std::memcpy(first, text, x - text);
    first[x - text] = '\0';
    return ParseInt(first, 1, 100000, width) && ParseInt(x + 1, 1, 100000, height);
}

bool ParseWhiskers(const char* text, TraceOptions& o)
{
    if (std::strcmp(text, "normals") == 0) {
        o.ShowTangents = 0, o.ShowNormals = 1;
    } else if (std::strcmp(text, "tangents") == 0) {
        o.ShowTangents = 1, o.ShowNormals = 0;
    } else if (std::strcmp(text, "none") == 0) {
        o.ShowTangents = 0, o.ShowNormals = 0;
    } else {
        return false;
    }
    return true;
}

// The dialog's slider sets k = (120 - p) x 0.00017453293, worked out in
// double. The typed frequency times DegToRad in double rounds to the same
// float at every slider position; rounding the frequency to float first
// (as WaveNumberFromFrequency does) is one float step off at 39 of the 121.
bool ParseFrequency(const char* text, float& waveNumber)
{
    double frequency = 0.0;
    if (!ParseDouble(text, 0.0, MaxTraceFrequency, frequency)) {
        return false;
    }
    waveNumber = static_cast<float>(frequency * DegToRad);
    return true;
}

bool ParseFileName(const char* text, const char*& path)
{
    path = text;
    return *text != '\0';
}

enum class Opt {
    Frames,
    Altitude,
    Amplitude,
    WaveNumber,
    Frequency,
    PhaseStep,
    PhaseOffset,
    Whiskers,
    Size,
    Svg,
    Receiver,
    Wavelength,
    FanRays,
    Signal,
    Map,
    Band,
    Audio,
    Tone
};

// Every option that takes a value, and what the value must be.
struct KnownOption {
    const char* Name;
    Opt Id;
    const char* Expected;
};
constexpr KnownOption KnownOptions[] = {
    {"--frames", Opt::Frames, "a whole number from 1 to 100000"},
    {"--altitude", Opt::Altitude, "a finite decimal number"},
    {"--amplitude", Opt::Amplitude, "a finite decimal number"},
    {"--wave-number", Opt::WaveNumber, "a finite decimal number"},
    {"--frequency", Opt::Frequency, "a decimal number from 0 to 1.20"},
    {"--phase-step", Opt::PhaseStep, "a finite decimal number"},
    {"--phase-offset", Opt::PhaseOffset, "a finite decimal number"},
    {"--whiskers", Opt::Whiskers, "normals, tangents or none"},
    {"--size", Opt::Size, "WIDTHxHEIGHT, each 1 to 100000"},
    {"--svg", Opt::Svg, "a file name"},
    {"--receiver", Opt::Receiver, "a decimal number from 1 to 1500"},
    {"--wavelength", Opt::Wavelength, "a finite decimal number above 0"},
    {"--fan-rays", Opt::FanRays, "a whole number from 2 to 100000"},
    {"--signal", Opt::Signal, "a file name"},
    {"--map", Opt::Map, "a file name"},
    {"--band", Opt::Band, "a file name"},
    {"--audio", Opt::Audio, "a file name"},
    {"--tone", Opt::Tone, "a decimal number from 200 to 2000"},
};

// Stores a good value; false for a bad one.
bool StoreValue(Opt id, const char* v, TraceOptions& o)
{
    switch (id) {
    case Opt::Frames: return ParseInt(v, 1, MaxTraceFrames, o.Frames);
    case Opt::Altitude: return ParseFloat(v, o.Altitude);
    case Opt::Amplitude: return ParseFloat(v, o.Amplitude);
    case Opt::WaveNumber: return ParseFloat(v, o.WaveNumber);
    case Opt::Frequency: return ParseFrequency(v, o.WaveNumber);
    case Opt::PhaseStep: return ParseFloat(v, o.PhaseStep);
    case Opt::PhaseOffset: return ParseFloat(v, o.PhaseOffset);
    case Opt::Whiskers: return ParseWhiskers(v, o);
    case Opt::Size: return ParseSize(v, o.Width, o.Height);
    case Opt::Svg: return ParseFileName(v, o.SvgPath);
    case Opt::Receiver: o.ReceiverShown = 1; return ParseDouble(v, ReceiverMinX, ReceiverMaxX, o.Receiver.X);
    case Opt::Wavelength:
        return ParseDouble(v, std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max(),
                           o.Receiver.Wavelength);
    case Opt::FanRays: return ParseInt(v, MinFanRays, MaxFanRays, o.Receiver.FanRays);
    case Opt::Signal: return ParseFileName(v, o.SignalPath);
    case Opt::Map: return ParseFileName(v, o.MapPath);
    case Opt::Band: return ParseFileName(v, o.BandPath);
    case Opt::Audio: return ParseFileName(v, o.AudioPath);
    case Opt::Tone: return ParseDouble(v, MinToneHz, MaxToneHz, o.ToneHz);
    }
    return false;
}

// A copy of user text that is safe to echo in a one-line message: at most
// 40 characters, control and non-ASCII bytes shown as '?'.
struct Printable {
    char Text[44];
    explicit Printable(const char* text)
    {
        int n = 0;
        for (; text[n] != '\0' && n < 40; ++n) {
            const unsigned char c = static_cast<unsigned char>(text[n]);
            Text[n] = (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
        }
        std::strcpy(Text + n, text[n] != '\0' ? "..." : "");
    }
};

}  // namespace

TraceParse ParseTraceOptions(int argc, const char* const* argv, TraceOptions& o, char* error, int errorSize)
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            return TraceParse::Help;
        }
        // Every other option takes a value, as "--name value" or "--name=value".
        char name[32];
        const char* value = nullptr;
        const char* equals = std::strchr(arg, '=');
        if (equals != nullptr && equals - arg < static_cast<long>(sizeof name)) {
            std::memcpy(name, arg, equals - arg);
            name[equals - arg] = '\0';
            value = equals + 1;
        } else if (std::strlen(arg) < sizeof name) {
            std::strcpy(name, arg);
            value = i + 1 < argc ? argv[++i] : nullptr;
        } else {
            std::snprintf(error, errorSize, "unknown option '%s'", Printable(arg).Text);
            return TraceParse::Error;
        }

        const KnownOption* known = nullptr;
        for (const KnownOption& s : KnownOptions) {
            if (std::strcmp(name, s.Name) == 0) {
                known = &s;
            }
        }
        if (known == nullptr) {
            std::snprintf(error, errorSize, "unknown option '%s' (see --help)", Printable(name).Text);
            return TraceParse::Error;
        }
        if (value == nullptr) {
            std::snprintf(error, errorSize, "option %s needs a value", name);
            return TraceParse::Error;
        }
        if (!StoreValue(known->Id, value, o)) {
            std::snprintf(error, errorSize, "bad value '%s' for %s: expected %s", Printable(value).Text, name,
                          known->Expected);
            return TraceParse::Error;
        }
    }
    return TraceParse::Run;
}
