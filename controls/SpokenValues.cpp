#include "controls/SpokenValues.h"

#include "controls/AudioScales.h"
#include "controls/SignalScale.h"
#include "core/Band.h"
#include "core/NumberText.h"

namespace orvex {

double knobKHz(int position, int stepKHz) {
    return BandBottomKHz + double(position) * stepKHz;
}

std::string volumeWords(int position) {
    return "volume " + std::to_string(position) + " of " + std::to_string(VolumeTop);
}

std::string squelchWords(int position) {
    return "squelch " + numberText(squelchDialValue(static_cast<std::int16_t>(position)));
}

std::string meterWords(double level, double supplyVolts) {
    // Tenths of a volt: the supply's last digit only flickers.
    return "signal " + sUnitsText(level) + ", supply " +
           numberText(double(roundHalfEven(supplyVolts * 10)) / 10) + " volts";
}

}  // namespace orvex
