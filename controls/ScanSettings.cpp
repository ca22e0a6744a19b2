#include "controls/ScanSettings.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "core/Band.h"
#include "core/Excerpt.h"
#include "core/NumberText.h"

namespace orvex {
namespace {

using std::chrono::milliseconds;

// Far beyond any wait an operator would choose: an hour.
constexpr long long LongestMilliseconds = 3'600'000;

std::optional<long long> wholeNumber(const SettingsSnapshot& file, const char* key,
                                     long long lowest, long long highest, MessageSink& messages,
                                     const std::filesystem::path& path) {
    const std::optional<std::string> text = file.value(key);
    if (!text || text->find_first_not_of(" \t") == std::string::npos) {
        return std::nullopt;  // not chosen
    }
    const std::optional<double> number = parseNumber(*text);
    if (!number || *number != std::trunc(*number) || *number < static_cast<double>(lowest) ||
        *number > static_cast<double>(highest)) {
        messages.post(path.string() + " holds " + key + "=" + excerpt(*text) +
                      ", which is not a whole number from " + std::to_string(lowest) + " to " +
                      std::to_string(highest) + ": the scanner uses its default");
        return std::nullopt;
    }
    return static_cast<long long>(*number);
}

}  // namespace

ScanSettings::ScanSettings(std::filesystem::path path, MessageSink& messages)
    : store_(std::move(path), messages, IniFileStore::DefaultLockWait, WriteRights::ofThisProcess(),
             "--settings"),
      messages_(messages) {}

ScanChoices ScanSettings::load() {
    ScanChoices choices;
    const SettingsSnapshot file = store_.load();
    const auto number = [&](const char* key, long long lowest, long long highest) {
        return wholeNumber(file, key, lowest, highest, messages_, path());
    };
    ScanOptions& options = choices.options;
    if (const auto dwell = number("DWELL_MS", options.dwell.count(), LongestMilliseconds)) {
        options.dwell = milliseconds(*dwell);
    }
    if (const auto resume = number("RESUME_MS", 0, LongestMilliseconds)) {
        options.resumeDelay = milliseconds(*resume);
    }
    if (const auto every = number("PRIORITY_EVERY_MS", 1, LongestMilliseconds)) {
        options.priorityEvery = milliseconds(*every);
    }
    if (const auto location = number("PRIORITY", 0, 999'999'999)) {
        options.priorityLocation = static_cast<int>(*location);
    }
    ScanRange range = choices.range;
    const auto low = number("RANGE_LOW_KHZ", BandBottomKHz, BandTopKHz);
    const auto high = number("RANGE_HIGH_KHZ", BandBottomKHz, BandTopKHz);
    const auto step = number("RANGE_STEP_KHZ", 1, BandTopKHz - BandBottomKHz);
    range.lowKHz = static_cast<std::int32_t>(low.value_or(range.lowKHz));
    range.highKHz = static_cast<std::int32_t>(high.value_or(range.highKHz));
    range.stepKHz = static_cast<std::int32_t>(step.value_or(range.stepKHz));
    if (rangeProblem(range).empty()) {
        choices.range = range;
    }
    choices_ = choices;
    return choices;
}

bool ScanSettings::save(const ScanChoices& choices) {
    choices_ = choices;
    const ScanOptions& options = choices.options;
    return store_.save({
        {"DWELL_MS", std::to_string(options.dwell.count())},
        {"RESUME_MS", std::to_string(options.resumeDelay.count())},
        {"PRIORITY_EVERY_MS", std::to_string(options.priorityEvery.count())},
        {"PRIORITY",
         options.priorityLocation ? std::to_string(*options.priorityLocation) : std::string()},
        {"RANGE_LOW_KHZ", std::to_string(choices.range.lowKHz)},
        {"RANGE_HIGH_KHZ", std::to_string(choices.range.highKHz)},
        {"RANGE_STEP_KHZ", std::to_string(choices.range.stepKHz)},
    });
}

}  // namespace orvex
