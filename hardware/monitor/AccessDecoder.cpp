#include "hardware/monitor/AccessDecoder.h"

#include <algorithm>
#include <cmath>

#include "hardware/Converter.h"
#include "hardware/Synthesizer.h"

namespace orvex {
namespace {

// Far more bits than any register takes; the count stops there so it cannot overflow.
constexpr int MostBitsCounted = 64;
// The display's three decimals of a megahertz are exact to far better than this, and a divider
// word one bit off tunes at least a 5 kHz step away.
constexpr double AgreementKHz = 0.5;

constexpr bool high(std::uint8_t lines, DataLine line) {
    return (lines & value(line)) != 0;
}

constexpr bool rose(std::uint8_t before, std::uint8_t after, DataLine line) {
    return !high(before, line) && high(after, line);
}

// The lines whose rising edge the chips act on.
constexpr int SynthEdges = value(DataLine::SynthClock) | value(DataLine::SynthEnable);
constexpr int Edges = SynthEdges | value(DataLine::ConverterClock);

}  // namespace

void AccessDecoder::heard(AccessKind kind, const PortAccess& access) {
    take(kind, access.reg, access.value, access.dropped);
}

void AccessDecoder::heardAll(std::span<const HeardAccess> accesses, PassedBy passedBy) {
    counts_.writes += passedBy.writes;
    counts_.reads += passedBy.reads;
    if (!watching_) {
        followLines(accesses);
        return;
    }
    for (const HeardAccess access : accesses) {
        take(access.kind(), access.reg(), access.value(), access.dropped());
    }
}

// Unwatched, a batch is mostly converter clocks and status reads, which pass by: only an edge of
// the synthesizer's lines or a change of power does more than a few instructions.
void AccessDecoder::followLines(std::span<const HeardAccess> accesses) {
    const int power = value(DataLine::Power);
    std::uint8_t lines = data_;
    std::uint64_t writes = 0;
    for (const HeardAccess access : accesses) {
        if (access.plainDataWrite()) {
            ++writes;
            const std::uint8_t after = access.value();
            // A synthesizer line that rose, or the power line that changed.
            if (((after ^ lines) & ((after & SynthEdges) | power)) != 0) {
                changeData(lines, after);
            }
            lines = after;
        } else {
            take(access.kind(), access.reg(), access.value(), access.dropped());
        }
    }
    data_ = lines;
    counts_.writes += writes;
}

BatchInterest AccessDecoder::interest() const {
    if (watching_) {
        return {};
    }
    return {static_cast<std::uint8_t>(SynthEdges | value(DataLine::SynthData) |
                                      value(DataLine::Power) | value(DataLine::Mute)),
            false};
}

void AccessDecoder::setWatching(bool watching) {
    if (watching && !watching_) {
        transfer_ = Transfer{};
        statusBit_.reset();
        pendingChannel_.reset();
    }
    watching_ = watching;
}

// The common cases (a status read, a write that raises no edge and leaves the power as it was)
// take a handful of instructions.
inline void AccessDecoder::take(AccessKind kind, Register reg, std::uint8_t value, bool dropped) {
    if (kind == AccessKind::Read) {
        ++counts_.reads;
        if (dropped) {
            ++counts_.dropped;
        } else if (reg == Register::Status) {
            statusBit_ = (value & orvex::value(StatusLine::ConverterOut)) != 0;
        }
        return;
    }
    ++counts_.writes;
    if (dropped) {
        ++counts_.dropped;
    } else if (reg == Register::Data) {
        const std::uint8_t before = data_;
        data_ = value;
        const int power = orvex::value(DataLine::Power);
        if (((value & ~before & Edges) | ((value ^ before) & power)) != 0) {
            changeData(before, value);
        }
    } else if (reg == Register::Control) {
        control_ = value;
    }  // the status register's lines are inputs: a write drives nothing
}

void AccessDecoder::changeData(std::uint8_t before, std::uint8_t lines) {
    const int power = value(DataLine::Power);
    if ((before & lines & power) == 0) {
        // Unpowered, or power just came (the chips wake with whatever lines are high: no edge),
        // or power just went: the chips lose everything.
        if ((before & power) != 0) {
            powerLost();
        }
        return;
    }
    const int rising = lines & ~before;
    if ((rising & (value(DataLine::SynthClock) | value(DataLine::SynthEnable))) != 0) {
        clockSynthesizer(before, lines);
    }
    if (watching_ && (rising & value(DataLine::ConverterClock)) != 0) {
        clockConverter(lines);
    }
}

// A clock edge in the same write that raises enable still sees enable low, so it shifts; while
// enable is high the chip ignores its clock.
void AccessDecoder::clockSynthesizer(std::uint8_t before, std::uint8_t after) {
    if (rose(before, after, DataLine::SynthClock) && !high(before, DataLine::SynthEnable)) {
        shift_ = (shift_ << 1) | (high(after, DataLine::SynthData) ? 1u : 0u);
        synth_.bitsShifted = std::min(synth_.bitsShifted + 1, MostBitsCounted);
    }
    if (rose(before, after, DataLine::SynthEnable)) {
        latch();
    }
}

void AccessDecoder::latch() {
    switch (synth_.bitsShifted) {
        case SynthControlBits:
            synth_.controlWord = static_cast<std::uint8_t>(shift_ & 0xFFu);
            ++synth_.words;
            break;
        case SynthReferenceBits:
            synth_.referenceWord = static_cast<std::uint16_t>(shift_ & 0x7FFFu);
            ++synth_.words;
            break;
        case SynthDividerBits:
            synth_.dividerWord = static_cast<std::uint16_t>(shift_ & 0xFFFFu);
            ++synth_.words;
            break;
        default:
            ++synth_.wordsOfWrongLength;
            break;
    }
    shift_ = 0;
    synth_.bitsShifted = 0;
}

// The status line shows each bit of the byte before the clock edge that advances it; the program
// reads it there. The first four edges also take the address, most significant bit first.
void AccessDecoder::clockConverter(std::uint8_t after) {
    Transfer& t = transfer_;
    if (statusBit_) {
        t.byte = (t.byte << 1) | (*statusBit_ ? 1 : 0);
    } else {
        t.byte <<= 1;
        t.whole = false;
    }
    statusBit_.reset();
    if (t.clocks < ConverterAddressBits) {
        t.address = (t.address << 1) | (high(after, DataLine::ConverterData) ? 1 : 0);
    }
    if (++t.clocks < ConverterClocksPerTransfer) {
        return;
    }
    // The byte that came out is the conversion of the channel the transfer before addressed.
    if (!t.whole) {
        ++incompleteTransfers_;
    } else if (pendingChannel_) {
        std::optional<Conversion>& slot = conversions_[static_cast<std::size_t>(*pendingChannel_)];
        slot = Conversion{static_cast<std::uint8_t>(t.byte), slot ? slot->count + 1 : 1};
    }
    pendingChannel_ = t.address;
    t = Transfer{};
}

void AccessDecoder::powerLost() {
    synth_.controlWord.reset();
    synth_.referenceWord.reset();
    synth_.dividerWord.reset();
    synth_.bitsShifted = 0;
    shift_ = 0;
    transfer_ = Transfer{};
    statusBit_.reset();
    pendingChannel_.reset();
}

std::optional<double> AccessDecoder::receiveKHz() const {
    if (!synth_.referenceWord || *synth_.referenceWord == 0 || !synth_.dividerWord) {
        return std::nullopt;
    }
    return *synth_.dividerWord * SynthCrystalKHz / *synth_.referenceWord - IntermediateKHz;
}

AccessDecoder::Agreement AccessDecoder::agreementWith(std::optional<double> displayedKHz) const {
    if (!displayedKHz) {
        return Agreement::Unknown;
    }
    const std::optional<double> tuned = receiveKHz();
    const bool agrees = tuned && std::abs(*tuned - *displayedKHz) < AgreementKHz &&
                        synth_.controlWord == SynthControlWord;
    return agrees ? Agreement::Agrees : Agreement::Disagrees;
}

std::optional<int> AccessDecoder::volume() const {
    if (!control_) {
        return std::nullopt;
    }
    return volumeFromControl(*control_);
}

std::optional<double> AccessDecoder::signalLevel() const {
    const std::optional<Conversion>& signal = conversions_[0];
    return signal ? std::optional(orvex::signalLevel(signal->byte)) : std::nullopt;
}

std::optional<double> AccessDecoder::supplyVolts() const {
    const std::optional<Conversion>& supply = conversions_[1];
    return supply ? std::optional(orvex::supplyVolts(supply->byte)) : std::nullopt;
}

}  // namespace orvex
