// A recorded frame as an SVG picture: background, and each pen's colour and
// width with round ends, as GDI draws pens wider than one pixel; texts in
// their pen's colour.
#pragma once

#include "render/recording_surface.h"
#include "tools/checked_output.h"

// The frame at width x height; returns false if writing failed.
bool WriteSvgFrame(CheckedOutput& out, const Recording& frame, int width, int height);
