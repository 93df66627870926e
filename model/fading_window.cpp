#include "model/fading_window.h"

#include <algorithm>
#include <cstring>

namespace {

// A level that is in Sorted: any one of equal values will do.
void RemoveSorted(FadingWindow& w, double level)
{
    double* at = std::lower_bound(w.Sorted, w.Sorted + w.Heard, level);
    std::memmove(at, at + 1, (w.Sorted + w.Heard - at - 1) * sizeof(double));
    --w.Heard;
}

void InsertSorted(FadingWindow& w, double level)
{
    double* at = std::upper_bound(w.Sorted, w.Sorted + w.Heard, level);
    std::memmove(at + 1, at, (w.Sorted + w.Heard - at) * sizeof(double));
    *at = level;
    ++w.Heard;
}

}  // namespace

void ClearFadingWindow(FadingWindow& window)
{
    window.Newest = 0;
    window.Count = 0;
    window.Heard = 0;
}

void AddFadingLevel(FadingWindow& window, double level)
{
    window.Newest = (window.Newest + 1) % FadingWindowLength;
    if (window.Count == FadingWindowLength) {
        if (HasLevel(window.Level[window.Newest])) {
            RemoveSorted(window, window.Level[window.Newest]);
        }
    } else {
        ++window.Count;
    }
    window.Level[window.Newest] = level;
    if (HasLevel(level)) {
        InsertSorted(window, level);
    }
}

// The oldest sits Count - 1 places before the newest, counted round the ring.
int FadingSeries(const FadingWindow& window, double* series)
{
    const int oldest = (window.Newest - window.Count + 1 + FadingWindowLength) % FadingWindowLength;
    for (int i = 0; i < window.Count; ++i) {
        series[i] = window.Level[(oldest + i) % FadingWindowLength];
    }
    return window.Count;
}

int FadingSorted(const FadingWindow& window, double* sorted)
{
    std::memcpy(sorted, window.Sorted, window.Heard * sizeof(double));
    return window.Heard;
}
