// libFuzzer entry: any text, read as the panel and the settings file read numbers, and every
// number found written back as the file and the display write it.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "core/NumberText.h"

namespace {

using orvex::test::fuzzCheck;

// What the file's and the display's texts of a number must read back as.
void checkWritten(double value) {
    const std::string written = orvex::numberText(value);
    const std::optional<double> reread = orvex::parseNumber(written);
    fuzzCheck(reread.has_value(), "numberText writes a number parseNumber reads");
    fuzzCheck(orvex::numberText(*reread) == written, "numberText reads back as itself");
    fuzzCheck(std::abs(*reread - value) <= std::abs(value) * 1e-14,
              "numberText keeps fifteen significant digits");

    const std::optional<double> shown = orvex::parseNumber(orvex::frequencyText(value));
    fuzzCheck(shown.has_value(), "frequencyText writes a number parseNumber reads");
    fuzzCheck(std::abs(*shown - value) <=
                  0.0005 + std::abs(value) * std::numeric_limits<double>::epsilon(),
              "frequencyText rounds to three decimals");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    const double leading = orvex::leadingNumber(text);
    fuzzCheck(std::isfinite(leading), "leadingNumber gives a finite number");
    fuzzCheck(orvex::leadingNumber(text + "x") == leading,
              "a letter after the text does not change the number it begins with");

    const std::optional<double> whole = orvex::parseNumber(text);
    if (whole) {
        fuzzCheck(std::isfinite(*whole), "parseNumber gives a finite number");
        fuzzCheck(*whole == leading, "a whole number is also the number the text begins with");
        fuzzCheck(orvex::parseNumber(" " + text + "\t") == whole,
                  "blanks around a number are allowed");
    }
    checkWritten(leading);
    return 0;
}
