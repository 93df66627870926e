#include "tools/trace_options.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/scene_state.h"

const char TraceUsage[] = "usage: qsb-trace [options]\n"
                          "Prints the drawing operations of consecutive frames, one per line:\n"
                          "  frame N / fill L T R B / pen NAME / move X Y / line X Y\n"
                          "Options:\n"
                          "  --frames N             frames to draw, 1 to 100000 (default 1)\n"
                          "  --altitude H           layer altitude (default 395.7)\n"
                          "  --amplitude A          ripple amplitude (default 11.3)\n"
                          "  --wave-number K        ripple wave number in radians per unit (default 0.0090757124)\n"
                          "  --phase-step S         drift added at the start of every frame (default 7.5)\n"
                          "  --phase-offset T       drift before the first frame (default 45)\n"
                          "  --whiskers KIND        normals, tangents or none (default normals)\n"
                          "  --size WxH             client rectangle for the fill (default 1000x500)\n"
                          "  --svg FILE             also write the last frame as an SVG picture\n"
                          "  --help                 show this text\n";

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
                        nullptr};
}

namespace {

bool ParseFloat(const char* text, float& out)
{
    char* end = nullptr;
    errno = 0;
    const float v = std::strtof(text, &end);
    if (end == text || *end != '\0' || errno == ERANGE || !std::isfinite(v)) {
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
    struct FloatOption {
        const char* Name;
        float* Target;
    };
    const FloatOption floats[] = {{"--altitude", &o.Altitude},
                                  {"--amplitude", &o.Amplitude},
                                  {"--wave-number", &o.WaveNumber},
                                  {"--phase-step", &o.PhaseStep},
                                  {"--phase-offset", &o.PhaseOffset}};

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

        bool known = false, good = false;
        for (const FloatOption& f : floats) {
            if (std::strcmp(name, f.Name) == 0) {
                known = true;
                good = value != nullptr && ParseFloat(value, *f.Target);
            }
        }
        if (std::strcmp(name, "--frames") == 0) {
            known = true;
            good = value != nullptr && ParseInt(value, 1, MaxTraceFrames, o.Frames);
        } else if (std::strcmp(name, "--whiskers") == 0) {
            known = true;
            good = value != nullptr;
            if (good && std::strcmp(value, "normals") == 0) {
                o.ShowTangents = 0, o.ShowNormals = 1;
            } else if (good && std::strcmp(value, "tangents") == 0) {
                o.ShowTangents = 1, o.ShowNormals = 0;
            } else if (good && std::strcmp(value, "none") == 0) {
                o.ShowTangents = 0, o.ShowNormals = 0;
            } else {
                good = false;
            }
        } else if (std::strcmp(name, "--size") == 0) {
            known = true;
            good = value != nullptr && ParseSize(value, o.Width, o.Height);
        } else if (std::strcmp(name, "--svg") == 0) {
            known = true;
            good = value != nullptr && *value != '\0';
            o.SvgPath = value;
        }

        if (!known) {
            std::snprintf(error, errorSize, "unknown option '%s' (see --help)", Printable(name).Text);
            return TraceParse::Error;
        }
        if (value == nullptr) {
            std::snprintf(error, errorSize, "option %s needs a value", name);
            return TraceParse::Error;
        }
        if (!good) {
            const char* want = std::strcmp(name, "--frames") == 0     ? "a whole number from 1 to 100000"
                               : std::strcmp(name, "--whiskers") == 0 ? "normals, tangents or none"
                               : std::strcmp(name, "--size") == 0     ? "WIDTHxHEIGHT, each 1 to 100000"
                               : std::strcmp(name, "--svg") == 0      ? "a file name"
                                                                      : "a finite decimal number";
            std::snprintf(error, errorSize, "bad value '%s' for %s: expected %s", Printable(value).Text, name, want);
            return TraceParse::Error;
        }
    }
    return TraceParse::Run;
}
