// A recorded frame as an SVG picture: background, and each pen's colour and
// width with round ends, as GDI draws pens wider than one pixel; texts in
// their pen's colour.
#pragma once

#include "render/recording_surface.h"
#include "tools/checked_output.h"

// The scene, width x height, and, if chart is not null, the chart recorded
// at width x chartHeight under it. Returns false if writing failed.
bool WriteSvgFrame(CheckedOutput& out, const Recording& scene, int width, int height, const Recording* chart,
                   int chartHeight);

// Pictures recorded at width x Height each, stacked from the top.
struct SvgPicture {
    const Recording* Picture;
    int Height;
};
bool WriteSvgPictures(CheckedOutput& out, int width, const SvgPicture* pictures, int count);
