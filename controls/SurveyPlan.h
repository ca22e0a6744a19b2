#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "controls/ChannelVisit.h"
#include "core/Band.h"

namespace orvex {

// What a band survey sweeps: the channels LOW, LOW + STEP, ... HIGH on the grid of a tuning step,
// the dwell on each, and how long it goes on.
struct SurveyPlan {
    std::int32_t lowKHz = BandBottomKHz;
    std::int32_t highKHz = BandTopKHz;
    std::int16_t stepKHz = 10;
    std::chrono::milliseconds dwell = ChannelVisit::SettledDwell;
    std::optional<int> sweeps;                    // none: until stopped or out of time
    std::optional<std::chrono::seconds> timeout;  // none: until stopped or the sweeps are done

    int channels() const { return (highKHz - lowKHz) / stepKHz + 1; }
    std::int32_t channelKHz(int index) const { return lowKHz + index * stepKHz; }

    friend bool operator==(const SurveyPlan&, const SurveyPlan&) = default;
};

// The longest dwell anyone could want on a channel.
inline constexpr std::chrono::milliseconds LongestDwell{10000};

// Why the plan cannot be swept, in words for the operator ("the step must be 5, 10 or 100 kHz");
// none when it can.
std::optional<std::string> planProblem(const SurveyPlan& plan);

// The range as rtl_power writes it, "132M:144M:10k": LOW:HIGH:STEP, each a number of Hz with k,
// M or G for kilo-, mega- or gigahertz; checked as planProblem checks it. The plan (its range and
// step, the rest as `base` has them), or what is wrong with the text.
std::variant<SurveyPlan, std::string> parseSurveyRange(std::string_view text,
                                                       const SurveyPlan& base = {});

// A length of time: a number with ms, s, m or h ("20ms", "1.5s", "10m"); a bare number is
// `bareUnit`. None when the text is not one, is negative or does not fit.
std::optional<std::chrono::milliseconds> parseDuration(std::string_view text,
                                                       std::chrono::milliseconds bareUnit);

}  // namespace orvex
