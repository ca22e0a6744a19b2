#include "core/NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace orvex {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Length of the longest prefix of `text` that reads as a decimal number (no sign), or 0.
std::size_t numberLength(std::string_view text) {
    std::size_t i = 0;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) {
                ++j;
            }
            i = j;
        }
    }
    return i;
}

struct Scanned {
    std::optional<double> value;  // nothing when no number could be read
    std::size_t end = 0;          // index just past what was read
};

Scanned scanNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t length = numberLength(text.substr(i));
    if (length == 0) {
        return {};
    }
    double magnitude = 0.0;
    const char* first = text.data() + i;
    const auto [ptr, ec] = std::from_chars(first, first + length, magnitude);
    if (ec != std::errc{} || !std::isfinite(magnitude)) {
        return {};
    }
    return {negative ? -magnitude : magnitude, i + length};
}

}  // namespace

long long roundHalfEven(double value) {
    return std::llrint(value);
}

std::string numberText(double value) {
    if (value == 0.0) {
        return "0";  // never "-0"
    }
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 15);
    return {buffer.data(), result.ptr};
}

std::string frequencyText(double megahertz) {
    // Room for any double: sign, every integer digit of the largest, the point and three decimals.
    constexpr std::size_t Longest = 1 + std::numeric_limits<double>::max_exponent10 + 1 + 1 + 3;
    std::array<char, Longest> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), megahertz + 0.0,
                                      std::chars_format::fixed, 3);
    std::string text(buffer.data(), result.ptr);
    if (text == "-0.000") {
        text.erase(0, 1);
    }
    return text;
}

double leadingNumber(std::string_view text) {
    return scanNumber(text).value.value_or(0.0);
}

std::optional<double> parseNumber(std::string_view text) {
    const Scanned scanned = scanNumber(text);
    if (!scanned.value) {
        return std::nullopt;
    }
    for (std::size_t i = scanned.end; i < text.size(); ++i) {
        if (!isBlank(text[i])) {
            return std::nullopt;
        }
    }
    return scanned.value;
}

}  // namespace orvex
