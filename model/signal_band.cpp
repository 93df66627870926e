#include "model/signal_band.h"

double BandWavelength(double wavelength, int column)
{
    return wavelength / (1 + BandHalfWidth * (column - BandCentre) / BandCentre);
}

void StartBand(SignalBand& band, double wavelength)
{
    band.Paths = 0;
    for (int j = 0; j < BandWavelengths; ++j) {
        band.Wavelength[j] = BandWavelength(wavelength, j);
        band.SignalDb[j] = SignalFloorDb;
        band.Sum[j] = SignalSum{0, 0, 0};
    }
}

void AddPathToBand(SignalBand& band, const ReceiverPath& path)
{
    for (int j = 0; j < BandWavelengths; ++j) {
        AddPath(band.Sum[j], path, band.Wavelength[j]);
    }
}

void AddPathToBand(SignalBand& band, const ReceiverPath& path, PathGain gain)
{
    for (int j = 0; j < BandWavelengths; ++j) {
        AddPath(band.Sum[j], path, band.Wavelength[j], gain);
    }
}

void FinishBand(SignalBand& band, int paths, double flatIntensity)
{
    band.Paths = paths;
    if (paths == 0) {
        return;
    }
    for (int j = 0; j < BandWavelengths; ++j) {
        band.SignalDb[j] = LevelsOverFlat(band.Sum[j], flatIntensity).SignalDb;
    }
}
