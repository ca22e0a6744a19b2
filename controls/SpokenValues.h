#pragma once

#include <string>

// What a screen reader says of the panel's values: the operator's words and units, never the
// controls' raw positions.
namespace orvex {

// "137.500 MHz"
std::string frequencyWords(double megahertz);
// The frequency a knob position stands for at a step: the band's bottom plus position x step.
double knobMegahertz(int position, int stepKHz);
// "volume 4 of 7"
std::string volumeWords(int position);
// The threshold in the meter's units, as its mark on the scale shows it: "squelch 2.5".
std::string squelchWords(int position);
// "signal S7, supply 12.1 volts"
std::string meterWords(double level, double supplyVolts);

}  // namespace orvex
