#include "hardware/Converter.h"

#include "core/Lines.h"
#include "core/NumberText.h"

namespace orvex {

double signalLevel(int byte) {
    const long long n = roundHalfEven(byte * 100.0 / 19.0);
    return static_cast<double>(n) / 50.0 - 3.5;
}

double supplyVolts(int byte) {
    const long long n = roundHalfEven(byte * 100.0 / 11.0);
    return static_cast<double>(n) / 100.0;
}

void Converter::writeRest() {
    port_.WritePort(state_.PortBase, state_.RestByte());
}

// Each bit is valid on the status line before the rising edge of its clock.
void Converter::sampleBit(int bitValue) {
    if ((port_.ReadPort(state_.PortBase + value(Register::Status)) &
         value(StatusLine::ConverterOut)) != 0) {
        state_.MeterValue |= bitValue;
    }
}

void Converter::ConverterTransfer(int address) {
    const int base = state_.PortBase;
    const int clock = value(DataLine::ConverterClock);
    state_.MeterValue = 0;
    for (int i = 1; i <= 4; ++i) {
        const int data = ((address >> (4 - i)) & 1) != 0 ? value(DataLine::ConverterData) : 0;
        const int lines = state_.RestByte() + data;
        sampleBit(1 << (8 - i));
        port_.WritePort(base, lines);
        port_.WritePort(base, lines | clock);
        port_.WritePort(base, lines & 254);
    }
    for (int i = 5; i <= 8; ++i) {
        sampleBit(1 << (8 - i));
        port_.WritePort(base, state_.RestByte() + clock);
        port_.WritePort(base, state_.RestByte());
    }
}

Converter::Reading Converter::measure() {
    Reading reading;
    writeRest();  // every line but power and mute low, whatever a synthesizer load left high
    ConverterTransfer(0);
    delay_.pause(pause::Converter);
    writeRest();
    ConverterTransfer(1);
    reading.signalByte = state_.MeterValue;
    writeRest();
    ConverterTransfer(2);
    reading.supplyByte = state_.MeterValue;
    writeRest();
    ConverterTransfer(3);  // channel 2: read, never shown
    delay_.pause(pause::Converter);
    return reading;
}

int Converter::readSignal() {
    writeRest();
    ConverterTransfer(0);
    delay_.pause(pause::Converter);
    writeRest();
    ConverterTransfer(1);
    return state_.MeterValue;
}

}  // namespace orvex
