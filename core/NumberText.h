#pragma once

#include <optional>
#include <string>
#include <string_view>

// Numbers as the panel and the settings file write and read them. Everything here goes through
// std::to_chars / std::from_chars, so the process locale (which Qt sets from the environment) can
// never turn "0.25" into "0,25".
namespace orvex {

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4, -1.5 -> -2).
long long roundHalfEven(double value);

// Up to 15 significant digits, "." as decimal point, no trailing zeros: 137125, 0.25, -3.28, 10.
std::string numberText(double value);

// Exactly three decimals: the frequency display's "0.000" format (137.700, 132.005).
std::string frequencyText(double megahertz);

// The number a text begins with: optional blanks, sign, digits, fraction, exponent. A text that
// does not begin with a number, or whose number does not fit a double, gives 0.
double leadingNumber(std::string_view text);

// The whole text (blanks around it allowed) as a finite number, or nothing: for values whose
// damage must be noticed rather than read as 0.
std::optional<double> parseNumber(std::string_view text);

}  // namespace orvex
