#include "model/rough_layer.h"

#include <cmath>

#include "model/random.h"

namespace {

constexpr double TwoPi = 6.283185307179586476925;

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
    const double K = SpecularToScattered;
    const double scattered = std::sqrt(1 / (K + 1)) / std::sqrt(static_cast<double>(RoughComponents));
    return PathGain{std::sqrt(K / (K + 1)) + scattered * re, scattered * im};
}
