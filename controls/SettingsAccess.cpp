#include "controls/SettingsAccess.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "controls/AudioScales.h"
#include "controls/StepTable.h"
#include "core/Band.h"
#include "core/Excerpt.h"
#include "core/NumberText.h"

namespace orvex {
namespace {

struct KindRule {
    bool integer;
    double minimum;
    double maximum;
};

KindRule ruleFor(SettingKind kind) {
    switch (kind) {
        case SettingKind::Volume:
            return {true, 0, VolumeTop};
        case SettingKind::Squelch:
            return {false, squelchFileValue(0), squelchFileValue(SquelchTop)};
        case SettingKind::Frequency:
            return {false, BandBottomKHz, BandTopKHz};
        case SettingKind::Step:
            return {true, FineStep.stepKHz, CoarseStep.stepKHz};
    }
    return {false, 0, 0};
}

// The steps as the operator reads them: "100, 10 or 5".
std::string stepList() {
    std::string list;
    for (std::size_t i = 0; i < StepRows.size(); ++i) {
        const char* separator = i == 0 ? "" : i + 1 == StepRows.size() ? " or " : ", ";
        list += separator + std::to_string(StepRows[i].stepKHz);
    }
    return list;
}

// What the key should have held, for the operator, when a value is refused.
std::string expected(SettingKind kind) {
    const KindRule rule = ruleFor(kind);
    const std::string range = numberText(rule.minimum) + " to " + numberText(rule.maximum);
    switch (kind) {
        case SettingKind::Volume:
            return "a volume from " + range;
        case SettingKind::Squelch:
            return "a squelch from " + range;
        case SettingKind::Frequency:
            return "a frequency from " + range + " kHz";
        case SettingKind::Step:
            return "a step of " + stepList() + " kHz";
    }
    return {};
}

// Only the table's steps are steps; the range check first keeps the 16-bit lookup in bounds.
bool allowed(SettingKind kind, double value) {
    const KindRule rule = ruleFor(kind);
    if (value < rule.minimum || value > rule.maximum) {
        return false;
    }
    return kind != SettingKind::Step || findStep(static_cast<std::int16_t>(value)) != nullptr;
}

}  // namespace

SettingValue SettingsAccess::check(const SettingsSnapshot& file, std::string_view key,
                                   SettingKind kind) {
    const std::optional<std::string> text = ReadSetting(file, key);
    if (!text) {
        return {};
    }
    SettingValue result{SettingValue::Status::Invalid, 0.0, *text};
    std::optional<double> number = parseNumber(*text);
    if (number && ruleFor(kind).integer) {
        number = static_cast<double>(roundHalfEven(*number));
    }
    if (number && allowed(kind, *number)) {
        result.status = SettingValue::Status::Valid;
        result.value = *number;
    }
    return result;
}

double SettingsAccess::readOr(const SettingsSnapshot& file, std::string_view key, SettingKind kind,
                              double startValue) {
    const SettingValue setting = check(file, key, kind);
    if (setting.status == SettingValue::Status::Invalid) {
        messages_.post("The settings file holds " + std::string(key) + "=" + excerpt(setting.text) +
                       ", which is not " + expected(kind) + "; using " + numberText(startValue) +
                       " instead.");
    }
    return setting.status == SettingValue::Status::Valid ? setting.value : startValue;
}

void SettingsAccess::WriteSetting(Batch& batch, std::string key, double value) {
    batch.emplace_back(std::move(key), numberText(value));
}

}  // namespace orvex
