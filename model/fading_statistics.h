// How a receiver's signal fades, measured over a series of levels (one a
// drift step) and set beside Rayleigh fading of the same median and
// median-crossing rate: the numbers of the statistics view and of
// qsb-trace --stats.
//
// Levels are the signal's dB over the frames that have a signal, relative to
// their median. A crossing of level L is a frame with the level below L
// followed by one at or above it (two frames in a row, both with a signal).
// Rates are per second of frames with a signal; the average fade length is
// the time below -10 dB over the crossings of -10 dB.
#pragma once

constexpr double SecondsPerLevel = 0.1;  // one level a drift step
constexpr int MinFadingSamples = 100;    // fewer: no statistics
constexpr double FadeDepthDb = -10.0;

// NaN where a value is undefined: everything but Frames and Samples with
// fewer than MinFadingSamples samples, the fade length without a fade.
struct FadingStatistics {
    int Frames;                         // the series' length
    int Samples;                        // frames with a signal
    double MedianDb;                    // their median, dB over a flat layer
    double P01Db, P10Db, P90Db, P99Db;  // the 1, 10, 90 and 99 % levels
    double Below10;                     // the share of samples under -10 dB
    double CrossingsPerSecond;          // of the median
    double FadesPerSecond;              // crossings of -10 dB
    double FadeSeconds;                 // average fade length at -10 dB
    double Ks;                          // Kolmogorov-Smirnov distance to Rayleigh
};

// levels: in time order, NoSignalDb (model/fading_window.h) where no signal.
// sorted: room for count values; returns holding the samples' levels
// relative to their median in ascending order (Samples of them).
FadingStatistics MeasureFading(const double* levels, int count, double* sorted);

// The same with sorted already holding the levels that have a signal in
// ascending order (heard of them, as FadingSorted gives them).
FadingStatistics MeasureSortedFading(const double* levels, int count, double* sorted, int heard);

// Rayleigh fading with the same median, and the crossing rate at the median
// given: the values beside the measured ones (NaN where Rayleigh has none,
// such as a fade length without crossings).
struct RayleighFading {
    double P01Db, P10Db, P90Db, P99Db, Below10, FadesPerSecond, FadeSeconds;
};
RayleighFading RayleighFadingFor(double crossingsPerSecond);

// P(level < x dB) for Rayleigh fading of median 0 dB, and its inverse.
double RayleighProbability(double levelDb);
double RayleighLevel(double probability);

// The p-quantile of n ascending values, linear between neighbouring ones
// at p (n - 1); n > 0.
double SortedQuantile(const double* sorted, int n, double p);
