// The per-frame quantities of a spectrum that the event detector works on. The precision of
// each step (single or double, fused or not) is part of the fingerprint.
#pragma once

namespace brek::zomelo {

constexpr int kBandCount = 64;
constexpr int kFirstBandBin = 24;

// max(trunc(5000 / (rate / 2048)), 152): 232 at 44100 Hz.
int BinCount(double rate);

// From a spectrum of the layout SpectrumTransform gives: the magnitudes of bins 0..binCount-1,
// the noise floor, and the 64 log-band values (unrounded; the detector stores them as floats).
void ComputeFrameFeatures(const float* spectrum, int binCount, float* mag, double* floor,
                          double* bands);

}  // namespace brek::zomelo
