#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/PortIo.h"
#include "core/PortListener.h"

namespace orvex {

// Reads the board's state back out of the port accesses the program makes, the way the board's
// chips see them, so a monitor can show what really went out, on real hardware as on the
// simulated board. It hears every access in order on the port tap, writes and the status reads
// that carry the converter's bits back; it holds no reference to any backend.
//
// Power comes from data bit 7: while it is low the chips see nothing, and when it drops they lose
// their registers, as the decoded words do here. A line already high when power comes is no edge.
//
// It listens all the time, so the words latched before anyone looks are known, but assembles the
// converter's bytes only while someone watches (setWatching): a measurement tick is mostly
// converter traffic, and its bytes are new every tick. Unwatched, the converter's lines of
// dataLines() may lag behind the port.
class AccessDecoder : public PortListener, public BatchPortListener {
public:
    static constexpr int ConverterChannels = 16;  // four address bits

    // The synthesizer's words as its latches hold them.
    struct Synthesizer {
        std::optional<std::uint8_t> controlWord;
        std::optional<std::uint16_t> referenceWord;
        std::optional<std::uint16_t> dividerWord;
        int bitsShifted = 0;      // since the last latch
        std::uint64_t words = 0;  // latched since the decoder began
        // Latches after a count of bits that is no register's length: the chip keeps nothing.
        std::uint64_t wordsOfWrongLength = 0;
    };

    // One conversion result as the program read it, and the channel it belongs to.
    struct Conversion {
        std::uint8_t byte = 0;
        std::uint64_t count = 0;  // bytes read for this channel so far
    };

    struct Counts {
        std::uint64_t writes = 0;
        std::uint64_t reads = 0;
        std::uint64_t dropped = 0;  // reached no port: not decoded
    };

    enum class Agreement { Unknown, Agrees, Disagrees };

    // Every access the program makes, in order: one at a time, or a batch at a time.
    void heard(AccessKind kind, const PortAccess& access) override;
    void heardAll(std::span<const HeardAccess> accesses, PassedBy passedBy) override;
    // Unwatched, only the lines that the synthesizer, the power and the mute follow.
    BatchInterest interest() const override;

    // Whether the converter's bytes are assembled (at first they are). Change it between two
    // handlers, where no transfer is under way; the first transfer watched gives no byte, as each
    // transfer's byte belongs to the channel the one before addressed.
    void setWatching(bool watching);
    bool watching() const { return watching_; }

    const Synthesizer& synthesizer() const { return synth_; }
    // Oscillator = N x 8 MHz / R, receive frequency = oscillator - 10.7 MHz; empty until both a
    // reference word (not zero) and a divider word are latched.
    std::optional<double> receiveKHz() const;
    // Whether the latched words are what the program means while its display shows `displayedKHz`:
    // the control word it always sends and a frequency within half a kilohertz of the display (a
    // word one bit off is at least 5 kHz away). Unknown without a display; a display with no
    // frequency latched disagrees.
    Agreement agreementWith(std::optional<double> displayedKHz) const;

    // The lines as the port drives them. The volume is that of the last control-register code;
    // empty before the first one.
    bool powered() const { return (data_ & value(DataLine::Power)) != 0; }
    bool muted() const { return (data_ & value(DataLine::Mute)) != 0; }
    std::optional<int> volume() const;
    std::uint8_t dataLines() const { return data_; }
    std::optional<std::uint8_t> controlRegister() const { return control_; }

    // The last byte read for each converter channel; empty for a channel never read.
    const std::array<std::optional<Conversion>, ConverterChannels>& conversions() const {
        return conversions_;
    }
    // What the panel makes of channels 0 and 1: the signal level and the supply volts.
    std::optional<double> signalLevel() const;
    std::optional<double> supplyVolts() const;
    // Transfers whose byte could not be read whole (a clock with no status read before it).
    std::uint64_t incompleteTransfers() const { return incompleteTransfers_; }

    const Counts& counts() const { return counts_; }

private:
    // The converter's transfer in progress: eight clocks, four address bits in, a byte out.
    struct Transfer {
        int clocks = 0;
        int address = 0;
        int byte = 0;
        bool whole = true;  // every bit of the byte was read before its clock
    };

    void take(AccessKind kind, Register reg, std::uint8_t value, bool dropped);
    void followLines(std::span<const HeardAccess> accesses);
    void changeData(std::uint8_t before, std::uint8_t after);
    void clockSynthesizer(std::uint8_t before, std::uint8_t after);
    void latch();
    void clockConverter(std::uint8_t after);
    void powerLost();

    std::uint8_t data_ = 0;
    std::optional<std::uint8_t> control_;
    Synthesizer synth_;
    std::uint32_t shift_ = 0;
    Transfer transfer_;
    // The status line as last read since the converter's previous clock: the bit it shows next.
    std::optional<bool> statusBit_;
    // The channel the previous transfer addressed: the current transfer's byte is its conversion.
    std::optional<int> pendingChannel_;
    std::array<std::optional<Conversion>, ConverterChannels> conversions_{};
    std::uint64_t incompleteTransfers_ = 0;
    Counts counts_;
    bool watching_ = true;
};

}  // namespace orvex
