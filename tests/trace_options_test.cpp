#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/scene_state.h"
#include "tools/trace_options.h"

namespace {

struct Parsed {
    TraceParse result;
    TraceOptions options;
    std::string error;
};

Parsed Parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "qsb-trace");
    Parsed p{TraceParse::Run, DefaultTraceOptions(), ""};
    char error[200] = "";
    p.result = ParseTraceOptions(static_cast<int>(args.size()), args.data(), p.options, error, sizeof error);
    p.error = error;
    return p;
}

TEST(TraceOptions, DefaultsAreTheProgramsStartValues)
{
    const Parsed p = Parse({});
    ASSERT_EQ(p.result, TraceParse::Run);
    const SceneState start = StartSceneState();
    EXPECT_EQ(p.options.Frames, 1);
    EXPECT_EQ(p.options.Altitude, start.Altitude);
    EXPECT_EQ(p.options.WaveNumber, start.WaveNumber);
    EXPECT_EQ(p.options.PhaseOffset, 45.0f);
    EXPECT_EQ(p.options.ShowNormals, 1);
    EXPECT_EQ(p.options.ShowTangents, 0);
    EXPECT_EQ(p.options.Width, 1000);
    EXPECT_EQ(p.options.SvgPath, nullptr);
}

TEST(TraceOptions, EveryOptionInBothSpellings)
{
    const Parsed p =
        Parse({"--frames", "12", "--altitude=150", "--amplitude", "22", "--wave-number", "0.0209", "--phase-step=-5",
               "--phase-offset", "1e8", "--whiskers", "tangents", "--size=980x503", "--svg", "out.svg"});
    ASSERT_EQ(p.result, TraceParse::Run) << p.error;
    EXPECT_EQ(p.options.Frames, 12);
    EXPECT_EQ(p.options.Altitude, 150.0f);
    EXPECT_EQ(p.options.Amplitude, 22.0f);
    EXPECT_EQ(p.options.WaveNumber, 0.0209f);  // read as a float, like the program's fields
    EXPECT_EQ(p.options.PhaseStep, -5.0f);
    EXPECT_EQ(p.options.PhaseOffset, 1e8f);
    EXPECT_EQ(p.options.ShowTangents, 1);
    EXPECT_EQ(p.options.ShowNormals, 0);
    EXPECT_EQ(p.options.Width, 980);
    EXPECT_EQ(p.options.Height, 503);
    EXPECT_STREQ(p.options.SvgPath, "out.svg");
    EXPECT_EQ(Parse({"--whiskers", "none"}).options.ShowNormals, 0);
    EXPECT_EQ(Parse({"--help"}).result, TraceParse::Help);
}

TEST(TraceOptions, BadInputIsNamedInOneLine)
{
    const std::vector<std::vector<const char*>> bad = {
        {"--bogus"},
        {"--frames"},
        {"--frames", "0"},
        {"--frames", "100001"},
        {"--frames", "2.5"},
        {"--frames", "-1"},
        {"--altitude", "abc"},
        {"--altitude", ""},
        {"--amplitude", "nan"},
        {"--phase-step", "inf"},
        {"--phase-offset", "1e39"},
        {"--whiskers", "both"},
        {"--size", "100"},
        {"--size", "0x10"},
        {"--size", "10x"},
        {"--svg"},
        {"--svg="},
        {"frames"},
        {"--frames", "99999999999999999999"},
    };
    for (const auto& args : bad) {
        const Parsed p = Parse(args);
        EXPECT_EQ(p.result, TraceParse::Error) << args[0];
        EXPECT_FALSE(p.error.empty());
        EXPECT_EQ(p.error.find('\n'), std::string::npos);
    }
    EXPECT_NE(Parse({"--frames", "0"}).error.find("--frames"), std::string::npos);
    EXPECT_NE(Parse({"--bogus"}).error.find("--bogus"), std::string::npos);
    // Regression: user text with a line break was echoed into the message,
    // which then spanned two lines.
    EXPECT_EQ(Parse({"--fra\nmes"}).error, "unknown option '--fra?mes' (see --help)");
    EXPECT_EQ(Parse({"--altitude", "1\n2"}).error.find('\n'), std::string::npos);
}

}  // namespace
