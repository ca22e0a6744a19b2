#include "controls/SurveyPlan.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <utility>

#include "controls/StepTable.h"
#include "core/NumberText.h"

namespace orvex {
namespace {

struct Suffix {
    std::string_view letters;
    double factor;
};

// The number before a unit of the table; none when there is no number or an unknown unit.
std::optional<double> scaled(std::string_view text, const std::array<Suffix, 4>& units,
                             double bare) {
    std::size_t end = text.size();
    while (end > 0 && std::isalpha(static_cast<unsigned char>(text[end - 1])) != 0) {
        --end;
    }
    std::string unit(text.substr(end));
    for (char& c : unit) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    double factor = bare;
    if (!unit.empty()) {
        const auto* found = std::find_if(units.begin(), units.end(),
                                         [&](const Suffix& s) { return s.letters == unit; });
        if (found == units.end()) {
            return std::nullopt;
        }
        factor = found->factor;
    }
    const std::optional<double> number = parseNumber(text.substr(0, end));
    if (!number || *number < 0.0) {
        return std::nullopt;
    }
    return *number * factor;
}

// A frequency in whole kHz from "132M", "137500k" or "144000000"; none otherwise.
std::optional<std::int32_t> kiloHertz(std::string_view text) {
    constexpr std::array<Suffix, 4> Units{{{"k", 1e3}, {"m", 1e6}, {"g", 1e9}, {"hz", 1.0}}};
    const std::optional<double> hertz = scaled(text, Units, 1.0);
    if (!hertz || *hertz > 1e12) {
        return std::nullopt;
    }
    const auto whole = static_cast<std::int64_t>(std::llround(*hertz));
    if (std::abs(*hertz - static_cast<double>(whole)) > 1e-3 || whole % HzPerKHz != 0) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(whole / HzPerKHz);
}

}  // namespace

std::optional<std::string> planProblem(const SurveyPlan& plan) {
    const StepRow* step = findStep(plan.stepKHz);
    if (step == nullptr) {
        return "the step must be 5, 10 or 100 kHz";
    }
    if (plan.lowKHz < BandBottomKHz || plan.highKHz > BandTopKHz) {
        return "the range must lie within " + bandText();
    }
    if (plan.lowKHz >= plan.highKHz) {
        return "the low end must lie below the high end";
    }
    if ((plan.lowKHz - BandBottomKHz) % plan.stepKHz != 0 ||
        (plan.highKHz - BandBottomKHz) % plan.stepKHz != 0) {
        return "both ends must lie on the " + std::to_string(plan.stepKHz) + " kHz grid from " +
               megahertzText(BandBottomKHz) + " (" + megahertzText(plan.lowKHz) + " to " +
               megahertzText(plan.highKHz) + " does not)";
    }
    if (plan.dwell < std::chrono::milliseconds{0} || plan.dwell > LongestDwell) {
        return "the dwell must be 0 to 10000 ms";
    }
    if (plan.sweeps && *plan.sweeps < 1) {
        return "the number of sweeps must be 1 or more";
    }
    return std::nullopt;
}

std::variant<SurveyPlan, std::string> parseSurveyRange(std::string_view text,
                                                       const SurveyPlan& base) {
    std::array<std::string_view, 3> parts;
    std::string_view rest = text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::size_t colon = i + 1 < parts.size() ? rest.find(':') : std::string_view::npos;
        if (i + 1 < parts.size() && colon == std::string_view::npos) {
            return std::string("give the range as LOW:HIGH:STEP, such as 132M:144M:10k");
        }
        parts[i] = rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
    }
    const std::optional<std::int32_t> low = kiloHertz(parts[0]);
    const std::optional<std::int32_t> high = kiloHertz(parts[1]);
    const std::optional<std::int32_t> step = kiloHertz(parts[2]);
    if (!low || !high || !step || parts[2].find(':') != std::string_view::npos) {
        return std::string(
            "give LOW:HIGH:STEP as whole kHz with k, M or G, such as 132M:144M:10k or "
            "137.1M:137.9M:5k");
    }
    SurveyPlan plan = base;
    plan.lowKHz = *low;
    plan.highKHz = *high;
    plan.stepKHz = static_cast<std::int16_t>(std::min(*step, std::int32_t{30000}));
    if (std::optional<std::string> problem = planProblem(plan)) {
        return std::move(*problem);
    }
    return plan;
}

std::optional<std::chrono::milliseconds> parseDuration(std::string_view text,
                                                       std::chrono::milliseconds bareUnit) {
    constexpr std::array<Suffix, 4> Units{{{"ms", 1.0}, {"s", 1e3}, {"m", 60e3}, {"h", 3600e3}}};
    const std::optional<double> ms = scaled(text, Units, static_cast<double>(bareUnit.count()));
    if (!ms || *ms > 1e12) {
        return std::nullopt;
    }
    return std::chrono::milliseconds(std::llround(*ms));
}

}  // namespace orvex
