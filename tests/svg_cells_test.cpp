// The SVG picture of a row of cells: one rectangle for each run of a
// colour, where the cells lie, in the scale's colours.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "render/level_colours.h"
#include "tools/svg_frame.h"

namespace {

Recording Picture;

TEST(SvgPicture, CellsAsRunsOfOneColour)
{
    ClearRecording(Picture);
    const DrawingSurface s = RecordingSurface(Picture);
    const unsigned char colours[] = {5, 5, 5, 60, NoSignalColour, 5};
    s.Cells(s.Context, 10, 20, 3, 2, colours, 6);
    const std::string path = testing::TempDir() + "cells.svg";
    CheckedOutput out{};
    ASSERT_TRUE(OpenOutput(out, path.c_str()));
    const SvgPicture pictures[] = {{&Picture, 30}, {&Picture, 25}};
    ASSERT_TRUE(WriteSvgPictures(out, 40, pictures, 2) && CloseOutput(out));
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    std::remove(path.c_str());
    auto rect = [](int x, int width, unsigned char colour) {
        const Rgb c = CellColour(colour);
        char line[128];
        std::snprintf(line, sizeof line, "<rect x=\"%d\" y=\"20\" width=\"%d\" height=\"2\" fill=\"rgb(%d,%d,%d)\"/>\n",
                      x, width, c.R, c.G, c.B);
        return std::string(line);
    };
    const std::string row = rect(10, 9, 5) + rect(19, 3, 60) + rect(22, 3, NoSignalColour) + rect(25, 3, 5);
    EXPECT_EQ(text.str(),
              "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"55\" viewBox=\"0 0 40 55\">\n" + row +
                  "<g transform=\"translate(0,30)\">\n" + row + "</g>\n</svg>\n");
}

}  // namespace
