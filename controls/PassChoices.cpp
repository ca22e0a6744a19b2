#include "controls/PassChoices.h"

#include <array>
#include <cmath>

#include "core/Excerpt.h"
#include "core/NumberText.h"

namespace orvex {
namespace {

struct SwitchKey {
    const char* name;
    bool PassChoices::*member;
};
struct SecondsKey {
    const char* name;
    std::chrono::seconds PassChoices::*member;
};

constexpr std::array SwitchKeys{
    SwitchKey{"SWITCH_ON_AT_AOS", &PassChoices::switchOnAtAos},
    SwitchKey{"SWITCH_OFF_AT_LOS", &PassChoices::switchOffAtLos},
};
constexpr std::array SecondsKeys{
    SecondsKey{"MARGIN_BEFORE", &PassChoices::marginBefore},
    SecondsKey{"MARGIN_AFTER", &PassChoices::marginAfter},
    SecondsKey{"QUIET_TIMEOUT", &PassChoices::quietTimeout},
    SecondsKey{"LONGEST_PASS", &PassChoices::longest},
};

}  // namespace

std::optional<std::chrono::seconds> passSeconds(const std::string& text) {
    const std::optional<double> value = parseNumber(text);
    if (!value || *value < 0 || *value != std::trunc(*value) ||
        *value > static_cast<double>(LongestPassChoice.count())) {
        return std::nullopt;
    }
    return std::chrono::seconds{static_cast<long long>(*value)};
}

PassChoices PassChoicesFile::load() {
    const SettingsSnapshot file = store_.load();
    PassChoices choices;
    const auto damaged = [&](const char* key, const std::string& text, const char* wanted) {
        messages_.post(name_ + " holds " + key + "=" + excerpt(text) + ", not " + wanted +
                       ": the default is used");
    };
    for (const SwitchKey& key : SwitchKeys) {
        if (const std::optional<std::string> text = file.value(key.name)) {
            const std::optional<double> value = parseNumber(*text);
            if (value == 0.0 || value == 1.0) {
                choices.*key.member = *value == 1.0;
            } else {
                damaged(key.name, *text, "0 or 1");
            }
        }
    }
    for (const SecondsKey& key : SecondsKeys) {
        if (const std::optional<std::string> text = file.value(key.name)) {
            if (const std::optional<std::chrono::seconds> seconds = passSeconds(*text)) {
                choices.*key.member = *seconds;
            } else {
                damaged(key.name, *text, "a whole number of seconds up to a day");
            }
        }
    }
    return choices;
}

bool PassChoicesFile::saveChanges(const PassChoices& before, const PassChoices& after) {
    SettingsStore::Values values;
    for (const SwitchKey& key : SwitchKeys) {
        if (before.*key.member != after.*key.member) {
            values.emplace_back(key.name, after.*key.member ? "1" : "0");
        }
    }
    for (const SecondsKey& key : SecondsKeys) {
        if (before.*key.member != after.*key.member) {
            values.emplace_back(key.name, std::to_string((after.*key.member).count()));
        }
    }
    return values.empty() || store_.save(values);
}

}  // namespace orvex
