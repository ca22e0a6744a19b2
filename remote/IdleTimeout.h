#pragma once

#include <chrono>
#include <optional>
#include <string_view>

namespace orvex {

// How long a client may send nothing before the server closes its connection: long enough for
// any client that means to talk, short enough that forgotten connections give their places back.
inline constexpr std::chrono::seconds DefaultIdleTimeout = std::chrono::minutes{30};
inline constexpr std::chrono::seconds LongestIdleTimeout = std::chrono::weeks{1};

// "30m", "90s", "2h" or a plain number of seconds, at most a week; 0 for never. Nothing when the
// text is none of these.
std::optional<std::chrono::seconds> parseIdleTimeout(std::string_view text);

}  // namespace orvex
