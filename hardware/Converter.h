#pragma once

#include "core/Delay.h"
#include "core/ReceiverState.h"
#include "hardware/Port.h"

namespace orvex {

// Signal level shown for a channel-0 byte: N / 50 - 3.5 with N = byte x 100 / 19 rounded.
double signalLevel(int byte);
// Supply volts for a channel-1 byte: N / 100 with N = byte x 100 / 11 rounded.
double supplyVolts(int byte);

// The board's 8-bit serial converter: four address bits in on data bit 1, the byte out on status
// bit 6, clocked by data bit 2. The byte of a transfer belongs to the channel addressed by the
// transfer before it.
class Converter {
public:
    struct Reading {
        int signalByte = 0;  // channel 0
        int supplyByte = 0;  // channel 1
    };

    Converter(ReceiverState& state, Port& port, Delay& delay)
        : state_(state), port_(port), delay_(delay) {}

    // One 8-clock transfer sending `address`; the byte received is left in MeterValue.
    void ConverterTransfer(int address);
    // The port side of one measurement tick: four transfers, 84 writes and 32 reads.
    Reading measure();
    // The signal channel alone: the transfer that addresses it, then the one that carries its
    // byte, never the byte of the channel addressed before.
    int readSignal();

private:
    void writeRest();
    void sampleBit(int bitValue);

    ReceiverState& state_;
    Port& port_;
    Delay& delay_;
};

}  // namespace orvex
