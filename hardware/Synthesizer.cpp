#include "hardware/Synthesizer.h"

#include <cmath>

#include "core/Lines.h"
#include "core/NumberText.h"

namespace orvex {
namespace {

// The chip takes each word most significant bit first; its length picks the register.
constexpr int ControlWordBits = 8;
constexpr int ReferenceWordBits = 15;
constexpr int DividerWordBits = 16;

}  // namespace

std::uint16_t dividerWord(double x) {
    const long long doubled = roundHalfEven(2.0 * x);
    const long long word = doubled >= 0 ? doubled / 2 : -((-doubled + 1) / 2);
    return static_cast<std::uint16_t>(word & 0xFFFF);
}

void Synthesizer::writeLines(int lines) {
    port_.WritePort(state_.PortBase, state_.RestByte() + lines);
}

// Data set with the clock low, clock high, clock low with the data held.
void Synthesizer::sendBit(int bit) {
    const int data = bit != 0 ? value(DataLine::SynthData) : 0;
    writeLines(data);
    writeLines(data + value(DataLine::SynthClock));
    writeLines(data);
}

void Synthesizer::INITIALIZE_PLL() {
    writeLines(0);
    for (int bit = ControlWordBits - 1; bit >= 0; --bit) {
        writeLines(0);
        sendBit((SynthControlWord >> bit) & 1);
    }
    writeLines(value(DataLine::SynthEnable));
    // The chip needs time between latching the control word and taking the reference word.
    delay_.pause(pause::BetweenSynthWords);
    writeLines(0);
    for (int bit = ReferenceWordBits - 1; bit >= 0; --bit) {
        sendBit((state_.RefDivider >> bit) & 1);
    }
    writeLines(value(DataLine::SynthEnable));
    if (Latched* chip = latching()) {
        chip->reference = state_.RefDivider;
    }
}

void Synthesizer::LoadDivider(std::uint16_t word) {
    writeLines(0);
    for (int bit = DividerWordBits - 1; bit >= 0; --bit) {
        state_.SerialBit = static_cast<std::int16_t>((word >> bit) & 1);
        sendBit(state_.SerialBit);
    }
    writeLines(value(DataLine::SynthEnable));
    if (Latched* chip = latching()) {
        chip->divider = word;
    }
}

// What a latch at the port in use adds to: nothing when no board could take it (no port, no
// power), a fresh record when the port is another than the last latch's.
Synthesizer::Latched* Synthesizer::latching() {
    if (!boardListens()) {
        latched_ = {};
        return nullptr;
    }
    if (latched_.portBase != state_.PortBase) {
        latched_ = {state_.PortBase, {}, {}};
    }
    return &latched_;
}

bool Synthesizer::holdsDivider(std::uint16_t word) const {
    return boardListens() && latched_.portBase == state_.PortBase &&
           latched_.reference == state_.RefDivider && latched_.divider == word;
}

}  // namespace orvex

namespace orvex {

double knobDividerValue(std::int16_t knobPosition, std::int16_t stepKHz,
                        std::int16_t dividerScale) {
    const std::int16_t offset = wrap16(knobPosition * stepKHz);
    const double x = (offset / 10.0 + 14270.0) * dividerScale;
    return leadingNumber(numberText(x));
}

double powerOnDividerValue(double offFrequencyKHz, std::int16_t dividerScale) {
    return (offFrequencyKHz / 10.0 + 1070.0) * dividerScale;
}

double recallDividerValue(double displayedMHz, std::int16_t dividerScale) {
    const double tenKHzUnits = leadingNumber(numberText(displayedMHz * 100.0));
    return (tenKHzUnits + 1070.0) * dividerScale;
}

}  // namespace orvex
