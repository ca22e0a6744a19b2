#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvex {

inline constexpr std::size_t ExcerptLongest = 24;

// What a message quotes of a value read from a file: its start, at most ExcerptLongest bytes, every
// byte outside printable ASCII shown as '?', and "..." when there was more. A damaged or hostile
// file may hold megabytes on one line, or bytes a terminal would obey.
std::string excerpt(std::string_view text);

}  // namespace orvex
