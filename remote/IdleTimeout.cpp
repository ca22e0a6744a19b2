#include "remote/IdleTimeout.h"

#include <array>
#include <charconv>
#include <utility>

namespace orvex {

std::optional<std::chrono::seconds> parseIdleTimeout(std::string_view text) {
    constexpr std::array<std::pair<char, long long>, 3> Units{{{'s', 1}, {'m', 60}, {'h', 3600}}};
    long long scale = 1;
    for (const auto& [letter, seconds] : Units) {
        if (!text.empty() && text.back() == letter) {
            scale = seconds;
            text.remove_suffix(1);
            break;
        }
    }
    long long count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || count < 0 ||
        count > LongestIdleTimeout.count() / scale) {
        return std::nullopt;
    }
    return std::chrono::seconds(count * scale);
}

}  // namespace orvex
