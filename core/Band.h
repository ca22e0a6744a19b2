#pragma once

#include <string>

#include "core/NumberText.h"

namespace orvex {

// The receive band. The settings file and the synthesizer count in kHz, the display in MHz.
constexpr int BandBottomKHz = 132000;
constexpr int BandTopKHz = 144000;

constexpr int KHzPerMHz = 1000;
// Hamlib's clients and the level logs count in Hz.
constexpr long long HzPerKHz = 1000;

constexpr long long hertzFromKHz(long long kiloHertz) {
    return kiloHertz * HzPerKHz;
}

constexpr double mhzFromKHz(double kiloHertz) {
    return kiloHertz / KHzPerMHz;
}
constexpr double kHzFromMHz(double megaHertz) {
    return megaHertz * KHzPerMHz;
}

constexpr double BandBottomMHz = mhzFromKHz(BandBottomKHz);
constexpr double BandTopMHz = mhzFromKHz(BandTopKHz);

// A frequency as the display writes it: "137.620", three decimals.
inline std::string megahertzDigits(double kiloHertz) {
    return frequencyText(mhzFromKHz(kiloHertz));
}

// A frequency for people to read: "137.620 MHz".
inline std::string megahertzText(double kiloHertz) {
    return megahertzDigits(kiloHertz) + " MHz";
}

// The band as the title and the help name it: "132 MHz - 144 MHz".
inline std::string bandText() {
    return numberText(BandBottomMHz) + " MHz - " + numberText(BandTopMHz) + " MHz";
}

}  // namespace orvex
