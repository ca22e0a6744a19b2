#include "hardware/trace/TraceLimit.h"

#include <array>
#include <charconv>
#include <limits>

namespace orvex {
namespace {

struct Unit {
    std::string_view letter;  // as the command line gives it, ignoring case
    std::string_view name;    // as the operator reads it
    int shift;
};

constexpr std::array<Unit, 3> Units{{{"g", "GiB", 30}, {"m", "MiB", 20}, {"k", "KiB", 10}}};

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<std::uint64_t> parseTraceLimit(std::string_view text) {
    std::uint64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc{} || end == text.data()) {
        return std::nullopt;
    }
    const std::string_view suffix = text.substr(static_cast<std::size_t>(end - text.data()));
    if (suffix.empty()) {
        return number;
    }
    for (const Unit& unit : Units) {
        if (sameLetters(suffix, unit.letter) || sameLetters(suffix, unit.name)) {
            if (number > (std::numeric_limits<std::uint64_t>::max() >> unit.shift)) {
                return std::nullopt;
            }
            return number << unit.shift;
        }
    }
    return std::nullopt;
}

std::string traceLimitText(std::uint64_t bytes) {
    for (const Unit& unit : Units) {
        const std::uint64_t size = std::uint64_t{1} << unit.shift;
        if (bytes != 0 && bytes % size == 0) {
            return std::to_string(bytes / size) + " " + std::string(unit.name);
        }
    }
    return std::to_string(bytes) + " bytes";
}

}  // namespace orvex
