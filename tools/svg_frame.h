// A recorded frame as an SVG picture: background, and each pen's colour and
// width with round ends, as GDI draws pens wider than one pixel.
#pragma once

#include <cstdio>

#include "render/recording_surface.h"

// Writes the 1000 x 500 mapped area; returns false if writing failed.
bool WriteSvgFrame(std::FILE* file, const Recording& frame);
