// The remainder of a path's length over a wavelength, the phase's costly
// part where the map hears thousands of paths a frame.
#pragma once

// std::fmod(x, y), bit for bit (the remainder of two doubles is always a
// double, so there is one right answer), several times faster where x and y
// are positive and x / y < 2^11, as for every path the fan finds.
double ExactRemainder(double x, double y);
