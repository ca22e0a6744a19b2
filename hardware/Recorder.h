#pragma once

#include <chrono>
#include <vector>

#include "core/Delay.h"
#include "core/PortIo.h"

namespace orvex {

// Keeps every access and every pause in the order they happened, for tests. It can sit in front of
// another backend (the simulated board, a test's converter) that answers the reads.
class Recorder : public PortIo, public Delay {
public:
    enum class Kind { Write, Read, Pause };
    struct Event {
        Kind kind = Kind::Write;
        PortAccess access;                   // Write and Read
        std::chrono::microseconds length{};  // Pause

        friend bool operator==(const Event&, const Event&) = default;
    };

    explicit Recorder(PortIo* inner = nullptr) : inner_(inner) {}

    void write(const PortAccess& access) override;
    std::uint8_t read(const PortAccess& access) override;
    void selectBase(int base) override;
    std::string describe() const override {
        return inner_ != nullptr ? inner_->describe() : "Recorder";
    }
    void pause(std::chrono::microseconds length) override;
    void listenToOwnWrites(PortListener* listener) override {
        if (inner_ != nullptr) {
            inner_->listenToOwnWrites(listener);
        }
    }

    const std::vector<Event>& events() const { return events_; }
    // The values written to one register, in order, dropped or not.
    std::vector<int> writes(Register reg) const;
    std::vector<std::chrono::microseconds> pauses() const;
    std::size_t count(Kind kind) const;
    void clear() { events_.clear(); }

private:
    PortIo* inner_;
    std::vector<Event> events_;
};

}  // namespace orvex
