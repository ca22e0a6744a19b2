#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvex::rigctl {

// Hamlib's bit for each name this receiver may serve (its rig.h): a mask in \dump_state is the
// bits of the names a command offers.
struct HamlibBit {
    std::string_view name;
    std::uint64_t bit;
};

inline constexpr std::uint64_t HamlibVfoA = 1ULL << 0;
inline constexpr std::array<HamlibBit, 1> HamlibModes{{{"FM", 1ULL << 5}}};
inline constexpr std::array<HamlibBit, 1> HamlibFunctions{{{"MUTE", 1ULL << 17}}};
inline constexpr std::array<HamlibBit, 4> HamlibLevels{{
    {"AF", 1ULL << 3},
    {"SQL", 1ULL << 5},
    {"RAWSTR", 1ULL << 26},
    {"STRENGTH", 1ULL << 30},
}};
inline constexpr std::array<HamlibBit, 4> HamlibVfoOperations{{
    {"FROM_VFO", 1ULL << 2},
    {"TO_VFO", 1ULL << 3},
    {"UP", 1ULL << 5},
    {"DOWN", 1ULL << 6},
}};

// The bit of `name` in `table`; 0 when Hamlib has none there.
template <std::size_t Size>
constexpr std::uint64_t bitOf(const std::array<HamlibBit, Size>& table, std::string_view name) {
    for (const HamlibBit& entry : table) {
        if (entry.name == name) {
            return entry.bit;
        }
    }
    return 0;
}

// The mask of the space-separated names in `names`.
template <std::size_t Size>
constexpr std::uint64_t maskOf(const std::array<HamlibBit, Size>& table, std::string_view names) {
    std::uint64_t mask = 0;
    while (!names.empty()) {
        const std::size_t space = names.find(' ');
        mask |= bitOf(table, names.substr(0, space));
        names = space == std::string_view::npos ? std::string_view{} : names.substr(space + 1);
    }
    return mask;
}

// "0x40000028", as Hamlib writes masks.
std::string hexMask(std::uint64_t mask);

}  // namespace orvex::rigctl
