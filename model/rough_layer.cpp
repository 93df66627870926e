#include "model/rough_layer.h"

#include <cmath>

#include "model/random.h"

namespace {

constexpr double TwoPi = 6.283185307179586476925;

// The scattered part's weight sqrt(1 / (K + 1)) N^(-1/2), and the mirror's.
double ScatteredWeight()
{
    const double K = SpecularToScattered;
    return std::sqrt(1 / (K + 1)) / std::sqrt(static_cast<double>(RoughComponents));
}

double SpecularWeight()
{
    const double K = SpecularToScattered;
    return std::sqrt(K / (K + 1));
}

}  // namespace

double DopplerSpread(Ionosphere kind)
{
    switch (kind) {
    case Ionosphere::Smooth: return 0.0;
    case Ionosphere::Quiet: return 0.1;
    case Ionosphere::Moderate: return 0.5;
    case Ionosphere::Disturbed: return 1.0;
    }
    return 0.0;
}

const char* IonosphereName(Ionosphere kind)
{
    switch (kind) {
    case Ionosphere::Smooth: return "smooth";
    case Ionosphere::Quiet: return "quiet";
    case Ionosphere::Moderate: return "moderate";
    case Ionosphere::Disturbed: return "disturbed";
    }
    return "?";
}

Ionosphere NextIonosphere(Ionosphere kind)
{
    return static_cast<Ionosphere>((static_cast<int>(kind) + 1) % IonosphereCount);
}

// f_n normal with standard deviation half the Doppler spread, kappa_n normal
// with standard deviation IrregularityWaveNumber, theta_n uniform in
// [0, 2 pi), drawn in that order component by component. The frequencies are
// standard normals scaled by the spread, so that the settings of one seed
// differ only in pace. A smooth layer has none (its gain is never asked
// for), which keeps a reset of Viewer cheap.
RoughLayer MakeRoughLayer(Ionosphere kind, std::uint64_t seed)
{
    RoughLayer rough{};
    rough.Kind = kind;
    rough.Seed = seed;
    if (kind == Ionosphere::Smooth) {
        return rough;
    }
    Random random = SeededRandom(seed);
    const double frequencyDeviation = DopplerSpread(kind) / 2;
    for (RoughComponent& c : rough.Component) {
        c.Frequency = frequencyDeviation * RandomNormal(random);
        c.WaveNumber = IrregularityWaveNumber * RandomNormal(random);
        c.Phase = TwoPi * RandomUniform(random);
    }
    return rough;
}

// g(u, tau) = sqrt(K / (K + 1)) + sqrt(1 / (K + 1)) N^(-1/2) sum_n exp(i (kappa_n u + 2 pi f_n tau + theta_n))
// The specular part keeps the mirror's phasor; the N scattered ones, of
// random phases, add a mean power 1 / (K + 1), so E |g|^2 = 1.
PathGain RoughGain(const RoughLayer& rough, double u, double seconds)
{
    double re = 0, im = 0;
    for (const RoughComponent& c : rough.Component) {
        const double phase = c.WaveNumber * u + TwoPi * c.Frequency * seconds + c.Phase;
        re += std::cos(phase);
        im += std::sin(phase);
    }
    const double scattered = ScatteredWeight();
    return PathGain{SpecularWeight() + scattered * re, scattered * im};
}

namespace {

// Between nodes x_j and x_j + h the cubic Hermite interpolant through both
// nodes' values g and slopes h dg/du, in s = (x - x_j) / h,
//     (2s^3 - 3s^2 + 1) g_j + (s^3 - 2s^2 + s) h g'_j + (3s^2 - 2s^3) g_j+1 + (s^3 - s^2) h g'_j+1,
// has the coefficients below, and misses each part of g by at most
// max |g''''| h^4 / 384.
double HermiteCoefficient(int power, double value0, double slope0, double value1, double slope1)
{
    switch (power) {
    case 0: return value0;
    case 1: return slope0;
    case 2: return 3 * (value1 - value0) - 2 * slope0 - slope1;
    default: return 2 * (value0 - value1) + slope0 + slope1;
    }
}

}  // namespace

// Each component's phasor p_n = exp(i (kappa_n u + 2 pi f_n tau + theta_n))
// is worked out directly at the first node (u = t) and from there turned by
// exp(i kappa_n h) from node to node: a complex product instead of a sine
// and a cosine, whose rounding (a few units in the last place a step)
// stays near 1e-13 over the table, far under the cubic's error. The slope
// is dg/du = sqrt(1 / (K + 1)) N^(-1/2) sum_n i kappa_n p_n.
void TabulateRoughGain(const RoughLayer& rough, double offset, double seconds, GainTable& table)
{
    table.Layer = &rough;
    table.Offset = offset;
    table.Seconds = seconds;
    double re[RoughComponents], im[RoughComponents], turnRe[RoughComponents], turnIm[RoughComponents];
    for (int n = 0; n < RoughComponents; ++n) {
        const RoughComponent& c = rough.Component[n];
        const double phase = c.WaveNumber * offset + TwoPi * c.Frequency * seconds + c.Phase;
        re[n] = std::cos(phase);
        im[n] = std::sin(phase);
        turnRe[n] = std::cos(c.WaveNumber * GainTableSpacing);
        turnIm[n] = std::sin(c.WaveNumber * GainTableSpacing);
    }
    const double scattered = ScatteredWeight();
    PathGain value{}, slope{};  // at the node before, slope times h
    for (int j = 0; j <= GainTableSegments; ++j) {
        double sumRe = 0, sumIm = 0, slopeRe = 0, slopeIm = 0;
        for (int n = 0; n < RoughComponents; ++n) {
            const double kappa = rough.Component[n].WaveNumber;
            sumRe += re[n];
            sumIm += im[n];
            slopeRe -= kappa * im[n];
            slopeIm += kappa * re[n];
            const double turnedRe = re[n] * turnRe[n] - im[n] * turnIm[n];
            im[n] = re[n] * turnIm[n] + im[n] * turnRe[n];
            re[n] = turnedRe;
        }
        const PathGain nextValue{SpecularWeight() + scattered * sumRe, scattered * sumIm};
        const PathGain nextSlope{scattered * slopeRe * GainTableSpacing, scattered * slopeIm * GainTableSpacing};
        if (j > 0) {
            for (int power = 0; power < 4; ++power) {
                table.Segment[j - 1].C[power] =
                    PathGain{HermiteCoefficient(power, value.Re, slope.Re, nextValue.Re, nextSlope.Re),
                             HermiteCoefficient(power, value.Im, slope.Im, nextValue.Im, nextSlope.Im)};
            }
        }
        value = nextValue;
        slope = nextSlope;
    }
}

PathGain TabulatedGain(const GainTable& table, double hitX)
{
    const double position = hitX / GainTableSpacing;
    if (!(position >= 0 && position < GainTableSegments)) {
        return RoughGain(*table.Layer, hitX + table.Offset, table.Seconds);
    }
    const int j = static_cast<int>(position);
    const double s = position - j;
    const PathGain* c = table.Segment[j].C;
    return PathGain{c[0].Re + s * (c[1].Re + s * (c[2].Re + s * c[3].Re)),
                    c[0].Im + s * (c[1].Im + s * (c[2].Im + s * c[3].Im))};
}

// Each part of g'''' is sqrt(1 / (K + 1)) N^(-1/2) sum_n kappa_n^4 times
// cosines or sines, so at most that sum.
double GainErrorBound(const RoughLayer& rough)
{
    double fourth = 0;
    for (const RoughComponent& c : rough.Component) {
        fourth += std::pow(c.WaveNumber, 4);
    }
    return ScatteredWeight() * fourth * std::pow(GainTableSpacing, 4) / 384;
}
