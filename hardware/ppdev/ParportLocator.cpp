#include "hardware/ppdev/ParportLocator.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string_view>

#include "core/Lines.h"

namespace orvex {
namespace {

constexpr std::string_view Prefix = "parport";

std::optional<int> parportNumber(std::string_view name) {
    if (!name.starts_with(Prefix) || name.size() == Prefix.size()) {
        return std::nullopt;
    }
    const std::string_view digits = name.substr(Prefix.size());
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc{} || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return number;
}

// base-addr holds the I/O base and the extended base, decimal, separated by white space.
std::optional<int> firstField(std::string_view text) {
    const auto start = std::find_if_not(text.begin(), text.end(),
                                        [](unsigned char c) { return std::isspace(c) != 0; });
    const char* first = text.data() + (start - text.begin());
    const char* last = text.data() + text.size();
    int number = 0;
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc{} ||
        (end != last && std::isspace(static_cast<unsigned char>(*end)) == 0)) {
        return std::nullopt;
    }
    return number;
}

std::optional<std::string> fallbackName(int base) {
    switch (base) {
        case Lpt1Base:
            return "parport0";
        case Lpt2Base:
            return "parport1";
        default:
            return std::nullopt;
    }
}

}  // namespace

std::vector<std::string> parportNames(const std::vector<std::string>& entries) {
    std::vector<std::pair<int, std::string>> numbered;
    for (const std::string& name : entries) {
        if (const auto number = parportNumber(name)) {
            numbered.emplace_back(*number, name);
        }
    }
    std::sort(numbered.begin(), numbered.end());
    std::vector<std::string> names;
    for (auto& [number, name] : numbered) {
        names.push_back(std::move(name));
    }
    return names;
}

std::optional<std::string> deviceForBase(PpdevSystem& system, const PpdevPaths& paths, int base) {
    const std::string folder = paths.procRoot + "/sys/dev/parport";
    std::optional<std::string> name;
    for (const std::string& parport : parportNames(system.entries(folder))) {
        const auto text = system.readFile(folder + "/" + parport + "/base-addr");
        if (text && firstField(*text) == base) {
            name = parport;
            break;
        }
    }
    if (!name) {
        name = fallbackName(base);
    }
    if (!name) {
        return std::nullopt;
    }
    return paths.devRoot + "/" + *name;
}

}  // namespace orvex
