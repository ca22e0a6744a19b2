#pragma once

#include <array>
#include <cstdint>

namespace orvex {

// The three tuning steps and what each fixes: the knob always spans 12 MHz, and the comparison
// frequency (RefDivider x comparison = 8 MHz) is 10 kHz except for the 5 kHz step.
struct StepRow {
    std::int16_t stepKHz;
    std::int16_t knobMax;
    std::int16_t dividerScale;
    std::int16_t refDivider;
    const char* caption;  // how the step toggle names it
};

constexpr std::array<StepRow, 3> StepRows{{
    {100, 120, 1, 800, "100kHz"},
    {10, 1200, 1, 800, "10kHz"},
    {5, 2400, 2, 1600, "5kHz"},
}};

// The 10 kHz step is the one start-up assumes; only the 5 kHz step has a reference word of its own.
inline constexpr const StepRow& CoarseStep = StepRows[0];  // 100 kHz
inline constexpr const StepRow& NormalStep = StepRows[1];  // 10 kHz
inline constexpr const StepRow& FineStep = StepRows[2];    // 5 kHz

constexpr const StepRow* findStep(std::int16_t stepKHz) {
    for (const StepRow& row : StepRows) {
        if (row.stepKHz == stepKHz) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace orvex
