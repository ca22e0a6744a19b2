#pragma once

#include <string>

// What a screen reader says of the panel's values: the operator's words and units, never the
// controls' raw positions. Frequencies read as megahertzText() does, the signal as sUnitsText().
namespace orvex {

// The frequency a knob position stands for at a step, in kHz: the band's bottom plus position x
// step.
double knobKHz(int position, int stepKHz);
// "volume 4 of 7"
std::string volumeWords(int position);
// The threshold in the meter's units, as its mark on the scale shows it: "squelch 2.5".
std::string squelchWords(int position);
// "signal S7, supply 12.1 volts"
std::string meterWords(double level, double supplyVolts);

}  // namespace orvex
