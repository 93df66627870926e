#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "controls/scenes.h"
#include "tools/trace_options.h"

namespace {

struct Parsed {
    TraceParse Result;
    TraceOptions Options;
    std::string Error;
};

// The words of a command line, split at spaces (and only there); they live
// until the next call, as the options point into them.
Parsed Parse(const std::string& line)
{
    std::istringstream words(line);
    static std::vector<std::string> storage;
    storage.assign(1, "qsb-trace");
    for (std::string word; std::getline(words, word, ' ');) {
        storage.push_back(word);
    }
    std::vector<const char*> args;
    args.reserve(storage.size());
    for (const std::string& word : storage) {
        args.push_back(word.c_str());
    }
    Parsed p{TraceParse::Run, DefaultTraceOptions(), ""};
    char error[200] = "";
    p.Result = ParseTraceOptions(static_cast<int>(args.size()), args.data(), p.Options, error, sizeof error);
    p.Error = error;
    return p;
}

TEST(TraceOptions, EveryOptionInBothSpellings)
{
    const Parsed p = Parse("--frames 12 --altitude=150 --amplitude 22 --wave-number 0.0209 --phase-step=-5 "
                           "--phase-offset 1e8 --whiskers tangents --size=980x503 --svg out.svg");
    ASSERT_EQ(p.Result, TraceParse::Run) << p.Error;
    const TraceOptions& o = p.Options;
    EXPECT_TRUE(o.Frames == 12 && o.Altitude == 150.0f && o.Amplitude == 22.0f && o.WaveNumber == 0.0209f);
    EXPECT_TRUE(o.PhaseStep == -5.0f && o.PhaseOffset == 1e8f && o.ShowTangents == 1 && o.ShowNormals == 0);
    EXPECT_TRUE(o.Width == 980 && o.Height == 503 && std::string(o.SvgPath) == "out.svg");
    const Parsed r = Parse("--receiver 700 --wavelength=1e-40 --fan-rays=501 --signal s.csv --amplitude 1e-40");
    ASSERT_EQ(r.Result, TraceParse::Run) << r.Error;
    const ReceiverSettings& receiver = r.Options.Receiver;
    EXPECT_TRUE(r.Options.ReceiverShown && receiver.X == 700.0 && receiver.Wavelength == 1e-40);
    EXPECT_TRUE(receiver.FanRays == 501 && std::string(r.Options.SignalPath) == "s.csv");
    EXPECT_TRUE(r.Options.Amplitude == 1e-40f && !Parse("--signal=s.csv").Options.ReceiverShown);
    // The dialog's slider at 0.51 sets (120 - 69) x 0.00017453293; the later
    // of --frequency and --wave-number counts.
    EXPECT_EQ(Parse("--wave-number 1 --frequency=0.51").Options.WaveNumber, static_cast<float>(51 * 0.00017453293));
    EXPECT_EQ(Parse("--frequency 0.51 --wave-number 1").Options.WaveNumber, 1.0f);
    EXPECT_EQ(Parse("--whiskers none").Options.ShowNormals, 0);
    EXPECT_EQ(Parse("--help").Result, TraceParse::Help);
    EXPECT_EQ(Parse("--frames 2 --version").Result, TraceParse::Version);
    EXPECT_TRUE(Parse("--tone=2000").Options.ToneHz == 2000 && !Parse("--map=m.csv").Options.ReceiverShown);
    const Parsed f = Parse("--ionosphere disturbed --seed=18446744073709551615 --stats st.csv");
    EXPECT_TRUE(f.Options.Kind == Ionosphere::Disturbed && f.Options.Seed == 18446744073709551615u);
    EXPECT_TRUE(std::string(f.Options.StatsPath) == "st.csv" && !f.Options.ReceiverShown);
    // A scene sets the layer, the ionosphere and the receiver as its key
    // does; the options after it change them.
    const Parsed s = Parse("--ionosphere quiet --scene 3 --amplitude 5");
    const SceneState skip = SceneLayer(2);
    EXPECT_TRUE(s.Options.Altitude == skip.Altitude && s.Options.WaveNumber == skip.WaveNumber &&
                s.Options.PhaseStep == skip.PhaseStep && s.Options.Amplitude == 5.0f);
    EXPECT_TRUE(s.Options.Kind == Ionosphere::Smooth && s.Options.ReceiverShown &&
                s.Options.Receiver.X == SceneSettings[2].ReceiverX);
    EXPECT_EQ(Parse("--scene 5 --ionosphere quiet").Options.Kind, Ionosphere::Quiet);
}

TEST(TraceOptions, BadInputIsNamedInOneLine)
{
    using Lines = std::initializer_list<const char*>;
    // By what they name: the layer and the frame; the receiver and the files; the sound, the ionosphere, the scene.
    for (const Lines& group :
         {Lines{"--bogus", "--frames", "--frames 0", "--frames 100001", "--frames 2.5", "--altitude abc",
                "--altitude=", "--amplitude nan", "--phase-step inf", "--phase-offset 1e39", "--whiskers both",
                "--size 100", "--size 0x10", "--size 10x", "--size 1234567890123456x1", "--svg=", "frames",
                "--frames 99999999999999999999", "--a-very-long-name-beyond-its-buffer"},
          Lines{"--receiver 0", "--receiver 1501", "--receiver nan", "--wavelength 0", "--wavelength -1",
                "--wavelength 1e309", "--fan-rays 1", "--fan-rays 100001", "--frequency 1.21", "--frequency -0.01",
                "--signal=", "--map=", "--band=", "--audio=", "--stats="},
          Lines{"--tone 199.9", "--tone 2000.1", "--tone nan", "--ionosphere rough", "--ionosphere", "--seed -1",
                "--seed +1", "--seed 18446744073709551616", "--seed 1e3", "--seed=", "--scene 0", "--scene 6"}}) {
        for (const char* line : group) {
            const Parsed p = Parse(line);
            EXPECT_EQ(p.Result, TraceParse::Error) << line;
            EXPECT_TRUE(!p.Error.empty() && p.Error.find('\n') == std::string::npos) << p.Error;
        }
    }
    // Regression: user text with a line break was echoed into the message,
    // which then spanned two lines.
    EXPECT_EQ(Parse("--fra\nmes").Error, "unknown option '--fra\\nmes' (see --help)");
}

// Each refusal names the limit that was broken, not a vague "expected".
TEST(TraceOptions, NumbersAreRefusedWithTheirReason)
{
    const struct {
        const char* Line;
        const char* Error;
    } cases[] = {
        {"--altitude 1e300", "--altitude 1e300: larger than the largest float, 3.4e+38"},
        {"--phase-step -4e38", "--phase-step -4e38: below the lowest float, -3.4e+38"},
        {"--amplitude nan", "--amplitude nan: not a number (NaN)"},
        {"--phase-offset -inf", "--phase-offset -inf: infinite: expected a finite number"},
        {"--altitude -0", "--altitude -0: the layer must be above the ground, above 0"},
        {"--amplitude -1e-3", "--amplitude -1e-3: negative: it must be 0 or more"},
        {"--wave-number -1", "--wave-number -1: negative: it must be 0 or more"},
        {"--frequency -0.5", "--frequency -0.5: negative: the dialog's frequencies are 0 to 1.20"},
        {"--wavelength 2.2250738585072e-308", "--wavelength 2.2250738585072e-308: underflows: below the smallest "
                                              "normal double, 2.2e-308"},
        {"--wavelength 1e-400", "--wavelength 1e-400: underflows: below the smallest normal double, 2.2e-308"},
        {"--wavelength -0", "--wavelength -0: the wavelength must be above 0"},
        {"--wave-number 1e30 --amplitude 1e9", "--wave-number 1e+30: the layer's phase or slope would pass the largest "
                                               "float with this amplitude, phase offset and steps"},
        {"--svg a --signal b --size 303x9", "--size 303x9: the chart under the picture, 303x200, needs a width of at "
                                            "least 304"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Parse(c.Line).Error, c.Error);
    }
    // The limits themselves are taken.
    for (const char* line : {"--wavelength 2.2250738585072014e-308", "--altitude 1e-45 --amplitude 0",
                             "--wave-number 1e30 --amplitude 1", "--svg a --signal b --size 304x1", "--size 1x1"}) {
        EXPECT_EQ(Parse(line).Result, TraceParse::Run) << line << ": " << Parse(line).Error;
    }
    // A layer too high to draw comes down to the bound, the altitude first.
    const TraceOptions high = Parse("--altitude 7e8 --amplitude 1e30").Options;
    EXPECT_TRUE(high.Altitude == 7e8f && high.Amplitude == MaxDrawnAltitude - 7e8f);
}

}  // namespace
