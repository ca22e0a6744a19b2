#include <array>
#include <charconv>
#include <string>

#include "controls/MemoryKeys.h"
#include "controls/Receiver.h"
#include "core/Band.h"

namespace orvex {
namespace {

// "137.010" as 137010: the integer part and up to three decimals, read as decimal digits so no
// binary fraction can turn 132.010 into 132009.
std::optional<std::int32_t> kiloHertzOf(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (whole.empty() || fraction.size() > 3) {
        return std::nullopt;
    }
    std::int32_t megahertz = 0;
    auto [end, error] = std::from_chars(whole.data(), whole.data() + whole.size(), megahertz);
    if (error != std::errc{} || end != whole.data() + whole.size() || megahertz < 0) {
        return std::nullopt;
    }
    std::int32_t thousandths = 0;
    for (std::size_t digit = 0; digit < 3; ++digit) {
        const char c = digit < fraction.size() ? fraction[digit] : '0';
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        thousandths = thousandths * 10 + (c - '0');
    }
    return megahertz * KHzPerMHz + thousandths;
}

}  // namespace

std::optional<std::int32_t> Receiver::displayedKHz() const {
    return kiloHertzOf(panel_.LedDisplay1.text);
}

std::uint64_t Receiver::stores(int channel) const {
    return channel >= 1 && channel <= ChannelCount ? stores_[static_cast<std::size_t>(channel - 1)]
                                                   : 0;
}

ChannelMemory Receiver::memory(int channel) const {
    return readMemory(settings_.load(), channel);
}

ChannelMemory Receiver::readMemory(const SettingsSnapshot& file, int channel) const {
    const MemoryKeys keys = memoryKeys(channel);
    const std::array<SettingValue, 4> values{
        SettingsAccess::check(file, keys.audio, SettingKind::Volume),
        SettingsAccess::check(file, keys.squelch, SettingKind::Squelch),
        SettingsAccess::check(file, keys.channel, SettingKind::Frequency),
        SettingsAccess::check(file, keys.step, SettingKind::Step),
    };
    int missing = 0;
    int valid = 0;
    for (const SettingValue& value : values) {
        missing += value.status == SettingValue::Status::Missing ? 1 : 0;
        valid += value.status == SettingValue::Status::Valid ? 1 : 0;
    }
    if (missing == 4) {
        return {};
    }
    if (valid != 4) {
        return {ChannelMemory::Status::Invalid};
    }
    const auto& [audio, squelch, frequency, step] = values;
    return {ChannelMemory::Status::Valid, frequency.value, static_cast<int>(audio.value),
            squelch.value, static_cast<int>(step.value)};
}

}  // namespace orvex
