#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvex {

// How large a trace file may grow. With the receiver on, a text trace grows by about 1.4 MB a
// minute and a VCD by about 0.8 MB, some 2 GB a day: a forgotten trace must not fill the disk.
inline constexpr std::uint64_t DefaultTraceLimit = std::uint64_t{1} << 30;  // 1 GiB

// A size as the command line gives it: a whole number of bytes, or of kibibytes, mebibytes or
// gibibytes with K, M or G (also KiB, MiB, GiB; any case). 0 means no limit. Nothing when the
// text is none of these or too large.
std::optional<std::uint64_t> parseTraceLimit(std::string_view text);

// The size for the operator: "1 GiB", "64 KiB", "1500 bytes".
std::string traceLimitText(std::uint64_t bytes);

}  // namespace orvex
