#include "controls/SurveyChoices.h"

#include <array>
#include <cmath>

#include "core/Excerpt.h"
#include "core/NumberText.h"

namespace orvex {
namespace {

constexpr const char* Low = "LOW_KHZ";
constexpr const char* High = "HIGH_KHZ";
constexpr const char* Step = "STEP_KHZ";
constexpr const char* Dwell = "DWELL_MS";

}  // namespace

SurveyPlan SurveyChoices::load() {
    const SettingsSnapshot file = store_.load();
    const SurveyPlan defaults;
    SurveyPlan plan = defaults;
    std::string bad;
    const auto whole = [&](const char* key, auto& into) {
        const std::optional<std::string> text = file.value(key);
        if (!text) {
            return;
        }
        const std::optional<double> number = parseNumber(*text);
        if (!number || std::abs(*number) > 1e6 || *number != std::floor(*number)) {
            bad += std::string(bad.empty() ? "" : ", ") + key + "=" + excerpt(*text);
            return;
        }
        into = static_cast<std::remove_reference_t<decltype(into)>>(*number);
    };
    whole(Low, plan.lowKHz);
    whole(High, plan.highKHz);
    whole(Step, plan.stepKHz);
    long long dwellMs = plan.dwell.count();
    whole(Dwell, dwellMs);
    plan.dwell = std::chrono::milliseconds(dwellMs);
    if (!bad.empty()) {
        messages_.post(fileName_ + " holds " + bad +
                       ", not a whole number: the survey starts from its usual choices");
        return defaults;
    }
    if (const std::optional<std::string> problem = planProblem(plan)) {
        messages_.post(fileName_ + " holds a survey that cannot be swept (" + *problem +
                       "): the survey starts from its usual choices");
        return defaults;
    }
    return plan;
}

bool SurveyChoices::save(const SurveyPlan& plan) {
    return store_.save({{Low, std::to_string(plan.lowKHz)},
                        {High, std::to_string(plan.highKHz)},
                        {Step, std::to_string(plan.stepKHz)},
                        {Dwell, std::to_string(plan.dwell.count())}});
}

}  // namespace orvex
