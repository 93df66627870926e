// The band: the receiver's coherent signal at wavelengths evenly spaced in
// frequency over +-10 % of its own. The paths do not depend on the
// wavelength, only their phases do, so one set of paths gives them all.
#pragma once

#include "model/receiver.h"

// Odd, so that the middle one is the receiver's own wavelength.
constexpr int BandWavelengths = 65;
constexpr int BandCentre = BandWavelengths / 2;
constexpr double BandHalfWidth = 0.10;  // of the receiver's frequency, either side

struct SignalBand {
    int Paths;                           // the receiver's; 0: no signal anywhere in the band
    double Wavelength[BandWavelengths];  // longest first: frequency rises across the band
    double SignalDb[BandWavelengths];    // where Paths > 0
    SignalSum Sum[BandWavelengths];      // the paths added up while the fan is traced
};

// lambda_j = lambda / (1 + 0.1 (j - c) / c), c the centre: frequencies
// evenly spaced, and the centre's divisor exactly 1.
double BandWavelength(double wavelength, int column);

// No paths yet, around the receiver's wavelength.
void StartBand(SignalBand& band, double wavelength);

// One path to the receiver, at every wavelength of the band; through a
// rough layer with its gain, the same at every wavelength.
void AddPathToBand(SignalBand& band, const ReceiverPath& path);
void AddPathToBand(SignalBand& band, const ReceiverPath& path, PathGain gain);

// The levels over the flat layer's intensity at the receiver.
void FinishBand(SignalBand& band, int paths, double flatIntensity);
