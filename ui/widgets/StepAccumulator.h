#pragma once

namespace orvex {

// Turns a stream of small movements into whole steps. A mouse wheel sends 120 units a notch, a
// touchpad far less per event; a drag sends pixels. The remainder is kept between events and
// dropped when the direction reverses, so a hesitant back-and-forth never fires a step.
class StepAccumulator {
public:
    static constexpr int WheelUnitsPerStep = 120;

    explicit constexpr StepAccumulator(int unitsPerStep = WheelUnitsPerStep)
        : unitsPerStep_(unitsPerStep > 0 ? unitsPerStep : 1) {}

    // Adds a movement and returns the whole steps it completes (negative for the other direction).
    constexpr int add(int units) {
        if ((units > 0 && remainder_ < 0) || (units < 0 && remainder_ > 0)) {
            remainder_ = 0;
        }
        remainder_ += units;
        const int steps = remainder_ / unitsPerStep_;
        remainder_ -= steps * unitsPerStep_;
        return steps;
    }

    constexpr void reset() { remainder_ = 0; }

private:
    int unitsPerStep_;
    int remainder_ = 0;
};

}  // namespace orvex
