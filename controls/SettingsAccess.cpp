#include "controls/SettingsAccess.h"

#include <cmath>

#include "core/NumberText.h"

namespace orvex {
namespace {

struct KindRule {
    bool integer;
    double minimum;
    double maximum;
    const char* expected;  // for the operator, when a value is refused
};

KindRule ruleFor(SettingKind kind) {
    switch (kind) {
        case SettingKind::Volume:
            return {true, 0, 7, "a volume from 0 to 7"};
        case SettingKind::Squelch:
            return {false, 0, 1, "a squelch from 0 to 1"};
        case SettingKind::Frequency:
            return {false, 132000, 144000, "a frequency from 132000 to 144000 kHz"};
        case SettingKind::Step:
            return {true, 5, 100, "a step of 100, 10 or 5 kHz"};
    }
    return {false, 0, 0, ""};
}

bool allowed(SettingKind kind, double value) {
    if (kind == SettingKind::Step) {
        return value == 100 || value == 10 || value == 5;
    }
    const KindRule rule = ruleFor(kind);
    return value >= rule.minimum && value <= rule.maximum;
}

// The file may be damaged: show at most a short, printable excerpt of a refused value.
std::string printable(const std::string& text) {
    constexpr std::size_t Longest = 24;
    std::string shown;
    for (const char c : text.substr(0, Longest)) {
        shown += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return text.size() > Longest ? shown + "..." : shown;
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
        messages_.post("The settings file holds " + std::string(key) + "=" +
                       printable(setting.text) + ", which is not " + ruleFor(kind).expected +
                       "; using " + numberText(startValue) + " instead.");
    }
    return setting.status == SettingValue::Status::Valid ? setting.value : startValue;
}

void SettingsAccess::WriteSetting(Batch& batch, std::string key, double value) {
    batch.emplace_back(std::move(key), numberText(value));
}

}  // namespace orvex
