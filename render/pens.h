// The pens and the brush every frame is drawn with, named without any
// platform type so that the painter can be built and checked anywhere.
#pragma once

enum class PenId : unsigned char {
    Ray,         // up-going ray segments
    Marker,      // both segments of every fifth ray that meets the layer
    Reflection,  // reflected segments
    Layer,       // the layer curve
    Whisker,     // tangent and normal whiskers
    Black,       // the system's stock pen, put back at the end of a frame
    // The receiver and its chart.
    Receiver,  // the receiver's mark and the paths that reach it
    Signal,    // the chart's signal curve
    Focus,     // the chart's focusing curve
    Grid,      // the chart's grid
    Label,     // the chart's texts
    // The fading statistics.
    Rayleigh,  // Rayleigh fading's line and values
};

struct Rgb {
    unsigned char R, G, B;
};

struct PenStyle {
    int Width;
    Rgb Colour;
};

// Indexed by PenId, in the order the pens are created; Black is the stock pen.
constexpr int PenCount = 12;
constexpr PenStyle PenStyles[PenCount] = {
    {5, {203, 75, 22}},  {4, {133, 153, 0}},  {3, {220, 50, 47}},   {2, {38, 139, 210}},
    {1, {181, 137, 0}},  {1, {0, 0, 0}},      {2, {238, 232, 213}}, {2, {42, 161, 152}},
    {2, {211, 54, 130}}, {1, {88, 110, 117}}, {1, {147, 161, 161}}, {2, {108, 113, 196}},
};

constexpr Rgb BackgroundColour = {0, 43, 54};

constexpr const PenStyle& StyleOf(PenId pen) { return PenStyles[static_cast<int>(pen)]; }

// Lower-case name as the trace tool prints it: "ray", "marker", ...
const char* PenName(PenId pen);
