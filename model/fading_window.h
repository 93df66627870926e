// The receiver's levels over the last five minutes, one a drift step, for
// the fading statistics: in time order, and those with a signal also in
// ascending order, kept so as levels come and go, so that no frame has to
// sort them (a sort of 3,000 levels cost more than the view's budget).
#pragma once

#include <limits>

constexpr int FadingWindowLength = 3000;

// The level of a frame in which no path reached the receiver.
constexpr double NoSignalDb = -std::numeric_limits<double>::infinity();

// A frame with a signal (NoSignalDb, and a NaN should one ever come, are not).
inline bool HasLevel(double level) { return level > NoSignalDb; }

// All zero is an empty window.
struct FadingWindow {
    double Level[FadingWindowLength];  // a ring, Newest the last written; dB, or NoSignalDb
    int Newest;
    int Count;                          // 0 ... FadingWindowLength
    double Sorted[FadingWindowLength];  // the ring's levels with a signal, ascending
    int Heard;                          // how many
};

void ClearFadingWindow(FadingWindow& window);

// The newest level in, the oldest out once the window is full.
void AddFadingLevel(FadingWindow& window, double level);

// Copies the window into series (room for FadingWindowLength), oldest
// first; returns how many.
int FadingSeries(const FadingWindow& window, double* series);

// Copies the levels with a signal, ascending; returns how many.
int FadingSorted(const FadingWindow& window, double* sorted);
