// A recorded frame as an SVG picture: background, and each pen's colour and
// width with round ends, as GDI draws pens wider than one pixel; texts in
// their pen's colour.
#pragma once

#include "render/recording_surface.h"
#include "tools/checked_output.h"

// The scene, width x height, and, if chart is not null, the chart recorded
// at width x chartHeight under it, and likewise the statistics view under
// both. Returns false if writing failed.
bool WriteSvgFrame(CheckedOutput& out, const Recording& scene, int width, int height, const Recording* chart,
                   int chartHeight, const Recording* statistics = nullptr, int statisticsHeight = 0);
