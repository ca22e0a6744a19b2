#include "core/SettingsStore.h"

#include <algorithm>
#include <cctype>

namespace orvex {
namespace {

bool sameKey(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::optional<std::string> SettingsSnapshot::value(std::string_view key) const {
    const auto found = std::find_if(entries_.rbegin(), entries_.rend(),
                                    [key](const auto& entry) { return sameKey(entry.first, key); });
    if (found == entries_.rend()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace orvex
