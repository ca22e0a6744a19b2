#include "core/SettingsStore.h"

#include <algorithm>

namespace orvex {
namespace {

// Plain ASCII, so no locale can make two keys match or differ.
char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameKey(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return asciiLower(x) == asciiLower(y); });
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
