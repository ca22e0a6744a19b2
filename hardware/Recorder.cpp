#include "hardware/Recorder.h"

#include <algorithm>

namespace orvex {

void Recorder::write(const PortAccess& access) {
    events_.push_back({Kind::Write, access, {}});
    if (inner_ != nullptr) {
        inner_->write(access);
    }
}

std::uint8_t Recorder::read(const PortAccess& access) {
    PortAccess answered = access;
    answered.value = (inner_ != nullptr && !access.dropped) ? inner_->read(access) : 0;
    events_.push_back({Kind::Read, answered, {}});
    return answered.value;
}

void Recorder::selectBase(int base) {
    if (inner_ != nullptr) {
        inner_->selectBase(base);
    }
}

void Recorder::pause(std::chrono::microseconds length) {
    events_.push_back({Kind::Pause, {}, length});
}

std::vector<int> Recorder::writes(Register reg) const {
    std::vector<int> values;
    for (const Event& event : events_) {
        if (event.kind == Kind::Write && event.access.reg == reg) {
            values.push_back(event.access.value);
        }
    }
    return values;
}

std::vector<std::chrono::microseconds> Recorder::pauses() const {
    std::vector<std::chrono::microseconds> lengths;
    for (const Event& event : events_) {
        if (event.kind == Kind::Pause) {
            lengths.push_back(event.length);
        }
    }
    return lengths;
}

std::size_t Recorder::count(Kind kind) const {
    return static_cast<std::size_t>(std::count_if(
        events_.begin(), events_.end(), [kind](const Event& event) { return event.kind == kind; }));
}

}  // namespace orvex
