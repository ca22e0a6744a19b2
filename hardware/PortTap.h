#pragma once

#include <array>
#include <chrono>
#include <vector>

#include "core/Delay.h"
#include "core/PortIo.h"
#include "core/PortListener.h"

namespace orvex {

// Sits in front of the board and its delay and lets listeners hear every access and pause on the
// way, the backend's own writes included: the one place a trace or the board monitor hangs on.
// Listeners come and go while the receiver runs; with none, an access costs two branches. A
// listener hears each access as it happens; a batch listener hears them a batch at a time, when
// the batch is full and whenever deliver() is called (the program calls it after every handler).
class PortTap : public PortIo, public Delay {
public:
    PortTap(PortIo& inner, Delay& innerDelay);
    ~PortTap() override;
    PortTap(const PortTap&) = delete;
    PortTap& operator=(const PortTap&) = delete;

    void write(const PortAccess& access) override;
    std::uint8_t read(const PortAccess& access) override;
    void selectBase(int base) override { inner_.selectBase(base); }
    std::string describe() const override { return inner_.describe(); }
    void pause(std::chrono::microseconds length) override;

    void addListener(PortListener& listener);
    void removeListener(PortListener& listener);
    void addBatchListener(BatchPortListener& listener);
    void removeBatchListener(BatchPortListener& listener);
    // Hands the batch listeners what they have not heard yet.
    void deliver();
    // Asks the batch listeners again what they need to hear (after what they heard).
    void askInterest();

private:
    // The backend's own writes arrive here and go on to every listener.
    class OwnWrites : public PortListener {
    public:
        explicit OwnWrites(PortTap& tap) : tap_(tap) {}
        void heard(AccessKind kind, const PortAccess& access) override { tap_.tell(kind, access); }

    private:
        PortTap& tap_;
    };

    // Enough for a few measurement ticks: a full batch is delivered at once.
    static constexpr std::size_t BatchSize = 512;

    // Inline, so an access with nobody listening costs two tests, and one that no batch listener
    // is interested in a count.
    void tell(AccessKind kind, const PortAccess& access) {
        if (batching_) {
            batch(kind, access);
        }
        if (!listeners_.empty()) {
            tellEveryone(kind, access);
        }
    }
    void batch(AccessKind kind, const PortAccess& access) {
        if (kind == AccessKind::Write) {
            if (access.reg == Register::Data && !access.dropped) {
                const int before = lastData_;
                lastData_ = access.value;
                if (((access.value ^ before) & interest_.dataLines) == 0) {
                    ++passedBy_.writes;
                    return;
                }
            }
        } else if (!interest_.statusReads && access.reg == Register::Status && !access.dropped) {
            ++passedBy_.reads;
            return;
        }
        *next_++ = HeardAccess(kind, access);
        if (next_ == batch_.end()) {
            deliver();
        }
    }

    void tellEveryone(AccessKind kind, const PortAccess& access);

    PortIo& inner_;
    Delay& innerDelay_;
    OwnWrites ownWrites_{*this};
    std::vector<PortListener*> listeners_;
    std::vector<BatchPortListener*> batchListeners_;
    std::array<HeardAccess, BatchSize> batch_{};
    HeardAccess* next_ = batch_.begin();
    PassedBy passedBy_;
    BatchInterest interest_;  // of all batch listeners together
    // The data lines as last written; none known (-1) when a batch listener comes, so that it
    // hears the next write whatever it is.
    int lastData_ = -1;
    bool batching_ = false;  // there are batch listeners
};

}  // namespace orvex
