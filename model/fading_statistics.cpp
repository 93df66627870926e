#include "model/fading_statistics.h"

#include <algorithm>
#include <cmath>

#include "model/fading_window.h"

namespace {

const double Ln2 = std::log(2.0);
const double Ln10Over10 = std::log(10.0) / 10;

// Upward crossings of the median and of FadeDepthDb under it, per second
// of signal.
struct Crossings {
    double Median, Fades;
};

Crossings CountCrossings(const double* levels, int count, double median, int samples)
{
    int medians = 0, fades = 0;
    for (int i = 1; i < count; ++i) {
        if (HasLevel(levels[i - 1]) && HasLevel(levels[i])) {
            const double before = levels[i - 1] - median, after = levels[i] - median;
            medians += before < 0 && after >= 0;
            fades += before < FadeDepthDb && after >= FadeDepthDb;
        }
    }
    const double seconds = samples * SecondsPerLevel;
    return Crossings{medians / seconds, fades / seconds};
}

// D = sup |F_n(x) - F(x)| over the sorted sample: at each value the
// empirical distribution jumps from i / n to (i + 1) / n.
double KolmogorovSmirnov(const double* sorted, int n)
{
    double distance = 0;
    for (int i = 0; i < n; ++i) {
        const double F = RayleighProbability(sorted[i]);
        distance = std::fmax(distance, std::fmax(F - static_cast<double>(i) / n, static_cast<double>(i + 1) / n - F));
    }
    return distance;
}

}  // namespace

// P(x) = 1 - exp(-ln 2 * 10^(x / 10)), which is 1/2 at x = 0; the power of
// ten as exp(x ln 10 / 10), which costs half of pow (the KS distance takes
// one for every level).
double RayleighProbability(double levelDb) { return -std::expm1(-Ln2 * std::exp(levelDb * Ln10Over10)); }

// x = 10 log10(-ln(1 - P) / ln 2).
double RayleighLevel(double probability) { return 10 * std::log10(-std::log1p(-probability) / Ln2); }

double SortedQuantile(const double* sorted, int n, double p)
{
    const double position = p * (n - 1);
    const int below = static_cast<int>(position);
    if (below >= n - 1) {
        return sorted[n - 1];
    }
    return sorted[below] + (position - below) * (sorted[below + 1] - sorted[below]);
}

FadingStatistics MeasureFading(const double* levels, int count, double* sorted)
{
    int heard = 0;
    for (int i = 0; i < count; ++i) {
        if (HasLevel(levels[i])) {
            sorted[heard++] = levels[i];
        }
    }
    std::sort(sorted, sorted + heard);
    return MeasureSortedFading(levels, count, sorted, heard);
}

FadingStatistics MeasureSortedFading(const double* levels, int count, double* sorted, int heard)
{
    FadingStatistics s{count, heard, NAN, NAN, NAN, NAN, NAN, NAN, NAN, NAN, NAN, NAN};
    const int n = heard;
    if (n < MinFadingSamples) {
        return s;
    }
    s.MedianDb = SortedQuantile(sorted, n, 0.5);
    for (int i = 0; i < n; ++i) {
        sorted[i] -= s.MedianDb;
    }
    s.P01Db = SortedQuantile(sorted, n, 0.01);
    s.P10Db = SortedQuantile(sorted, n, 0.10);
    s.P90Db = SortedQuantile(sorted, n, 0.90);
    s.P99Db = SortedQuantile(sorted, n, 0.99);
    const int below = static_cast<int>(std::lower_bound(sorted, sorted + n, FadeDepthDb) - sorted);
    s.Below10 = static_cast<double>(below) / n;
    const Crossings crossings = CountCrossings(levels, count, s.MedianDb, n);
    s.CrossingsPerSecond = crossings.Median;
    s.FadesPerSecond = crossings.Fades;
    s.FadeSeconds = s.FadesPerSecond > 0 ? s.Below10 / s.FadesPerSecond : NAN;
    s.Ks = KolmogorovSmirnov(sorted, n);
    return s;
}

// N(x) = N0 sqrt(rho2 / ln 2) exp(ln 2 - rho2), rho2 = ln 2 * 10^(x / 10),
// which is N0 at the median; the average fade length is P(x) / N(x).
RayleighFading RayleighFadingFor(double crossingsPerSecond)
{
    const double rho2 = Ln2 * std::exp(FadeDepthDb * Ln10Over10);
    const double fades = crossingsPerSecond * std::sqrt(rho2 / Ln2) * std::exp(Ln2 - rho2);
    const double below = RayleighProbability(FadeDepthDb);
    return RayleighFading{RayleighLevel(0.01),
                          RayleighLevel(0.10),
                          RayleighLevel(0.90),
                          RayleighLevel(0.99),
                          below,
                          fades,
                          fades > 0 ? below / fades : NAN};
}
