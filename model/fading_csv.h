// The fading statistics as CSV, one row a statistic with Rayleigh's value
// beside it: qsb-trace --stats, and any edition that saves them.
#pragma once

#include "model/fading_statistics.h"

// statistic,measured,rayleigh: p01_db, p10_db, p90_db, p99_db (dB relative
// to the median), below_10db (a fraction), crossings_per_s (of the median),
// fades_per_s_10db, fade_s_10db, ks. A value Rayleigh does not have, or one
// that is undefined (every one with fewer than MinFadingSamples samples),
// is empty. Returns what snprintf returns.
int FormatFadingCsv(const FadingStatistics& measured, char* buffer, int size);
