#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tools/trace_options.h"

namespace {

struct Parsed {
    TraceParse Result;
    TraceOptions Options;
    std::string Error;
};

// The words of a command line, split at blanks; they live until the next
// call, as the options point into them.
Parsed Parse(const std::string& line)
{
    std::istringstream words(line);
    static std::vector<std::string> storage;
    storage.assign(1, "qsb-trace");
    for (std::string word; words >> word;) {
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
    EXPECT_EQ(Parse("--whiskers none").Options.ShowNormals, 0);
    EXPECT_EQ(Parse("--help").Result, TraceParse::Help);
}

TEST(TraceOptions, BadInputIsNamedInOneLine)
{
    for (const char* line :
         {"--bogus", "--frames", "--frames 0", "--frames 100001", "--frames 2.5", "--altitude abc",
          "--altitude=", "--amplitude nan", "--phase-step inf", "--phase-offset 1e39", "--whiskers both", "--size 100",
          "--size 0x10", "--size 10x", "--size 1234567890123456x1", "--svg=", "frames", "--frames 99999999999999999999",
          "--a-very-long-name-beyond-its-buffer"}) {
        const Parsed p = Parse(line);
        EXPECT_EQ(p.Result, TraceParse::Error) << line;
        EXPECT_TRUE(!p.Error.empty() && p.Error.find('\n') == std::string::npos) << p.Error;
    }
    EXPECT_NE(Parse("--frames 0").Error.find("--frames"), std::string::npos);
    // Regression: user text with a line break was echoed into the message,
    // which then spanned two lines.
    const char* broken[] = {"qsb-trace", "--fra\nmes"};
    TraceOptions options = DefaultTraceOptions();
    char error[200];
    ParseTraceOptions(2, broken, options, error, sizeof error);
    EXPECT_STREQ(error, "unknown option '--fra?mes' (see --help)");
}

}  // namespace
