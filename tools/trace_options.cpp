#include "tools/trace_options.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "controls/scenes.h"
#include "model/scene_state.h"
#include "render/signal_chart.h"
#include "tools/message_text.h"

const char TraceUsage[] =
    "usage: qsb-trace [options]\n"
    "Prints the drawing operations of consecutive frames, one per line:\n"
    "  frame N / fill L T R B / pen NAME / move X Y / line X Y / text X Y PEN TEXT\n"
    "Options:\n"
    "  --frames N             frames to draw, 1 to 100000 (default 1)\n"
    "  --altitude H           layer altitude, above 0 (default 395.7)\n"
    "  --amplitude A          ripple amplitude, 0 or more (default 11.3); the layer's\n"
    "                         highest point, H + A, is brought down to 8e8 if above,\n"
    "                         the altitude first: higher, it could not be drawn\n"
    "  --wave-number K        ripple wave number in radians per unit, 0 or more\n"
    "                         (default 0.0090757124)\n"
    "  --frequency F          ripple frequency as the dialog shows it, 0 to 1.20 (default 0.52);\n"
    "                         it sets the wave number, and of the two the later one counts\n"
    "  --phase-step S         drift added at the start of every frame (default 7.5)\n"
    "  --phase-offset T       drift before the first frame (default 45)\n"
    "  --whiskers KIND        normals, tangents or none (default normals)\n"
    "  --size WxH             client rectangle for the fill and the SVG (default 1000x500);\n"
    "                         with the chart (--svg and --signal) at least 304 wide\n"
    "  --receiver X           show the receiver at world x = X, 1 to 1500, with its paths\n"
    "  --wavelength W         the receiver's wavelength, from 2.2e-308 (default 30)\n"
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
    "  --ionosphere KIND      smooth, quiet, moderate or disturbed (default smooth):\n"
    "                         a rough one scatters each path's wave (Doppler spread\n"
    "                         0.1, 0.5 or 1.0 Hz); the frames' drawing stays the same\n"
    "  --seed N               the rough ionosphere's seed, 0 to 18446744073709551615\n"
    "                         (default 1): the same seed gives the same run\n"
    "  --scene N              the scene of key N, 1 to 5 (Calm, Deep multipath, Skip\n"
    "                         zone, Focusing, Disturbed): its layer, its ionosphere and\n"
    "                         the receiver shown at its place; later options change them\n"
    "  --stats FILE           write the fading statistics of all frames' signal as CSV:\n"
    "                         statistic,measured,rayleigh (the receiver at 900 unless\n"
    "                         --receiver; values empty below 100 frames with a signal)\n"
    "  --svg FILE             also write the last frame as an SVG picture, with under\n"
    "                         it the ground map if --map, the signal chart of the last\n"
    "                         300 frames if --signal, the waterfall if --band and the\n"
    "                         statistics view of the last 3000 frames if --stats\n"
    "  --help                 show this text\n"
    "  --version              show the program's version\n"
    "Exit status: 0 done, 1 an output could not be written, 2 bad options, two\n"
    "outputs into one file, or an output file that cannot be created.\n";

static_assert(ChartMinWidth == 304 && MaxDrawnAltitude == 8e8f, "the usage names both");

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
                        DefaultToneHz,
                        Ionosphere::Smooth,
                        DefaultRoughSeed,
                        nullptr};
}

namespace {

// Why a number is refused, or null. Each states the limit it broke.
using Problem = const char*;

// strtof gives the value (as before, rounded once from the text); strtod
// tells a typed infinity or NaN from a number too large for a float.
Problem ParseFloat(const char* text, float& out)
{
    char* end = nullptr;
    errno = 0;
    const double wide = std::strtod(text, &end);
    if (end == text || *end != '\0') {
        return "expected a decimal number";
    }
    if (std::isnan(wide)) {
        return "not a number (NaN)";
    }
    if (std::isinf(wide) && errno != ERANGE) {
        return "infinite: expected a finite number";
    }
    const float v = std::strtof(text, nullptr);
    if (std::isinf(v)) {
        return wide > 0 ? "larger than the largest float, 3.4e+38" : "below the lowest float, -3.4e+38";
    }
    out = v;
    return nullptr;
}

Problem ParseNonNegativeFloat(const char* text, float& out)
{
    float v = 0;
    if (Problem p = ParseFloat(text, v)) {
        return p;
    }
    if (v < 0) {
        return "negative: it must be 0 or more";
    }
    out = v;
    return nullptr;
}

Problem ParseAltitude(const char* text, float& out)
{
    float v = 0;
    if (Problem p = ParseFloat(text, v)) {
        return p;
    }
    if (!(v > 0)) {
        return "the layer must be above the ground, above 0";
    }
    out = v;
    return nullptr;
}

Problem ParseDouble(const char* text, double& out)
{
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text, &end);
    if (end == text || *end != '\0') {
        return "expected a decimal number";
    }
    if (std::isnan(v)) {
        return "not a number (NaN)";
    }
    if (std::isinf(v)) {
        return errno != ERANGE ? "infinite: expected a finite number"
               : v > 0         ? "larger than the largest double, 1.8e+308"
                               : "below the lowest double, -1.8e+308";
    }
    out = v;
    return nullptr;
}

Problem ParseReceiverX(const char* text, double& out)
{
    double v = 0;
    if (Problem p = ParseDouble(text, v)) {
        return p;
    }
    if (v < ReceiverMinX || v > ReceiverMaxX) {
        return "outside the receiver's range, 1 to 1500";
    }
    out = v;
    return nullptr;
}

// The phase takes the path's length modulo the wavelength and divides by
// it, which is exact for any wavelength the text gives at full precision:
// only one that underflows (to 0, or to a subnormal with fewer bits than
// typed) is refused.
Problem ParseWavelength(const char* text, double& out)
{
    double v = 0;
    if (Problem p = ParseDouble(text, v)) {
        return p;
    }
    const bool underflowed = errno == ERANGE || (v > 0 && v < std::numeric_limits<double>::min());
    if (std::signbit(v) || (v == 0 && !underflowed)) {
        return "the wavelength must be above 0";
    }
    if (underflowed) {
        return "underflows: below the smallest normal double, 2.2e-308";
    }
    out = v;
    return nullptr;
}

Problem ParseTone(const char* text, double& out)
{
    double v = 0;
    if (Problem p = ParseDouble(text, v)) {
        return p;
    }
    if (v < MinToneHz || v > MaxToneHz) {
        return "outside the beat note's range, 200 to 2000 Hz";
    }
    out = v;
    return nullptr;
}

// The dialog's slider sets k = (120 - p) x 0.00017453293, worked out in
// double. The typed frequency times DegToRad in double rounds to the same
// float at every slider position; rounding the frequency to float first
// (as WaveNumberFromFrequency does) is one float step off at 39 of the 121.
Problem ParseFrequency(const char* text, float& waveNumber)
{
    double frequency = 0.0;
    if (Problem p = ParseDouble(text, frequency)) {
        return p;
    }
    if (frequency < 0) {
        return "negative: the dialog's frequencies are 0 to 1.20";
    }
    if (frequency > MaxTraceFrequency) {
        return "above 1.20, the dialog's highest";
    }
    waveNumber = static_cast<float>(frequency * DegToRad);
    return nullptr;
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

bool ParseIonosphere(const char* text, Ionosphere& kind)
{
    for (int i = 0; i < IonosphereCount; ++i) {
        if (std::strcmp(text, IonosphereName(static_cast<Ionosphere>(i))) == 0) {
            kind = static_cast<Ionosphere>(i);
            return true;
        }
    }
    return false;
}

// Digits only: strtoull itself would take a sign, and wrap "-1" round.
bool ParseSeed(const char* text, std::uint64_t& seed)
{
    if (std::strspn(text, "0123456789") != std::strlen(text)) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long long v = std::strtoull(text, &end, 10);
    if (end == text || *end != '\0' || errno == ERANGE) {
        return false;
    }
    seed = v;
    return true;
}

// The scene's layer, ionosphere and receiver, as key N sets them.
bool ParseScene(const char* text, TraceOptions& o)
{
    int key = 0;
    if (!ParseInt(text, 1, SceneCount, key)) {
        return false;
    }
    const SceneState layer = SceneLayer(key - 1);
    o.Altitude = layer.Altitude, o.Amplitude = layer.Amplitude;
    o.WaveNumber = layer.WaveNumber, o.PhaseStep = layer.PhaseStep;
    o.Kind = SceneSettings[key - 1].Kind;
    o.ReceiverShown = 1;
    o.Receiver.X = SceneSettings[key - 1].ReceiverX;
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
    Tone,
    Ionosphere,
    Seed,
    Scene,
    Stats
};

// Every option that takes a value, and what the value must look like.
struct KnownOption {
    const char* Name;
    Opt Id;
    const char* Expected;
};
constexpr KnownOption KnownOptions[] = {
    {"--frames", Opt::Frames, "expected a whole number from 1 to 100000"},
    {"--altitude", Opt::Altitude, ""},
    {"--amplitude", Opt::Amplitude, ""},
    {"--wave-number", Opt::WaveNumber, ""},
    {"--frequency", Opt::Frequency, ""},
    {"--phase-step", Opt::PhaseStep, ""},
    {"--phase-offset", Opt::PhaseOffset, ""},
    {"--whiskers", Opt::Whiskers, "expected normals, tangents or none"},
    {"--size", Opt::Size, "expected WIDTHxHEIGHT, each 1 to 100000"},
    {"--svg", Opt::Svg, "expected a file name"},
    {"--receiver", Opt::Receiver, ""},
    {"--wavelength", Opt::Wavelength, ""},
    {"--fan-rays", Opt::FanRays, "expected a whole number from 2 to 100000"},
    {"--signal", Opt::Signal, "expected a file name"},
    {"--map", Opt::Map, "expected a file name"},
    {"--band", Opt::Band, "expected a file name"},
    {"--audio", Opt::Audio, "expected a file name"},
    {"--tone", Opt::Tone, ""},
    {"--ionosphere", Opt::Ionosphere, "expected smooth, quiet, moderate or disturbed"},
    {"--seed", Opt::Seed, "expected a whole number from 0 to 18446744073709551615"},
    {"--scene", Opt::Scene, "expected a whole number from 1 to 5"},
    {"--stats", Opt::Stats, "expected a file name"},
};

// Stores a good value; for a bad one, says why.
Problem StoreValue(const KnownOption& known, const char* v, TraceOptions& o)
{
    bool good = false;
    switch (known.Id) {
    case Opt::Frames: good = ParseInt(v, 1, MaxTraceFrames, o.Frames); break;
    case Opt::Altitude: return ParseAltitude(v, o.Altitude);
    case Opt::Amplitude: return ParseNonNegativeFloat(v, o.Amplitude);
    case Opt::WaveNumber: return ParseNonNegativeFloat(v, o.WaveNumber);
    case Opt::Frequency: return ParseFrequency(v, o.WaveNumber);
    case Opt::PhaseStep: return ParseFloat(v, o.PhaseStep);
    case Opt::PhaseOffset: return ParseFloat(v, o.PhaseOffset);
    case Opt::Whiskers: good = ParseWhiskers(v, o); break;
    case Opt::Size: good = ParseSize(v, o.Width, o.Height); break;
    case Opt::Svg: good = ParseFileName(v, o.SvgPath); break;
    case Opt::Receiver: o.ReceiverShown = 1; return ParseReceiverX(v, o.Receiver.X);
    case Opt::Wavelength: return ParseWavelength(v, o.Receiver.Wavelength);
    case Opt::FanRays: good = ParseInt(v, MinFanRays, MaxFanRays, o.Receiver.FanRays); break;
    case Opt::Signal: good = ParseFileName(v, o.SignalPath); break;
    case Opt::Map: good = ParseFileName(v, o.MapPath); break;
    case Opt::Band: good = ParseFileName(v, o.BandPath); break;
    case Opt::Audio: good = ParseFileName(v, o.AudioPath); break;
    case Opt::Tone: return ParseTone(v, o.ToneHz);
    case Opt::Ionosphere: good = ParseIonosphere(v, o.Kind); break;
    case Opt::Seed: good = ParseSeed(v, o.Seed); break;
    case Opt::Scene: good = ParseScene(v, o); break;
    case Opt::Stats: good = ParseFileName(v, o.StatsPath); break;
    }
    return good ? nullptr : known.Expected;
}

// User text for a one-line message: at most 40 bytes of it, escaped.
struct Printable {
    char Text[4 * 40 + 4];
    explicit Printable(const char* text) { EscapeForMessage(text, 40, Text, sizeof Text); }
};

// What the options give together. The layer's phase (x + t) k and its
// steepest slope k A are floats in the painter: both must stay finite over
// the run (x up to 1500, t growing by the step every frame; with room for
// the rounding of t's sum). A layer too high to draw is brought down to
// MaxDrawnAltitude, the altitude first.
bool CheckTogether(TraceOptions& o, char* error, int errorSize)
{
    const double reach = 1500.0 + std::fabs(o.PhaseOffset) + static_cast<double>(o.Frames) * std::fabs(o.PhaseStep);
    const double largest = std::numeric_limits<float>::max() / 2;
    if (static_cast<double>(o.WaveNumber) * reach > largest ||
        static_cast<double>(o.WaveNumber) * o.Amplitude > largest) {
        std::snprintf(error, errorSize,
                      "--wave-number %g: the layer's phase or slope would pass the largest float with "
                      "this amplitude, phase offset and steps",
                      static_cast<double>(o.WaveNumber));
        return false;
    }
    if (o.SvgPath != nullptr && o.SignalPath != nullptr && o.Width < ChartMinWidth) {
        std::snprintf(error, errorSize,
                      "--size %dx%d: the chart under the picture, %dx%d, needs a width of at least %d", o.Width,
                      o.Height, o.Width, TraceChartHeight, ChartMinWidth);
        return false;
    }
    o.Altitude = std::fmin(o.Altitude, MaxDrawnAltitude);
    o.Amplitude = std::fmin(o.Amplitude, MaxDrawnAltitude - o.Altitude);
    return true;
}

}  // namespace

TraceParse ParseTraceOptions(int argc, const char* const* argv, TraceOptions& o, char* error, int errorSize)
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            return TraceParse::Help;
        }
        if (std::strcmp(arg, "--version") == 0) {
            return TraceParse::Version;
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
        if (Problem problem = StoreValue(*known, value, o)) {
            std::snprintf(error, errorSize, "%s %s: %s", name, *value != '\0' ? Printable(value).Text : "''", problem);
            return TraceParse::Error;
        }
    }
    return CheckTogether(o, error, errorSize) ? TraceParse::Run : TraceParse::Error;
}
