#include "remote/HamlibBits.h"

#include <charconv>

namespace orvex::rigctl {

std::string hexMask(std::uint64_t mask) {
    std::array<char, 24> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), mask, 16);
    return "0x" + std::string(digits.data(), end.ptr);
}

}  // namespace orvex::rigctl
