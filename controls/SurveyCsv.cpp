#include "controls/SurveyCsv.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <ctime>

#include "core/Band.h"

namespace orvex {
namespace {

void appendFixed(std::string& line, double value) {
    std::array<char, 32> text{};
    const auto [end, error] =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 2);
    line.append(text.data(), error == std::errc{} ? end : text.data());
}

// "2026-12-09, 04:41:07, " in local time.
std::string localStamp(std::chrono::system_clock::time_point at) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(at);
    std::tm local{};
    localtime_r(&seconds, &local);
    std::array<char, 96> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02d, %02d:%02d:%02d, ",
                  local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min, local.tm_sec);
    return text.data();
}

}  // namespace

std::string rtlPowerLine(const Sweep& sweep) {
    const long long low = static_cast<long long>(sweep.lowKHz) * HzPerKHz;
    const long long step = static_cast<long long>(sweep.stepKHz) * HzPerKHz;
    const auto channels = static_cast<long long>(sweep.bytes.size());
    std::string line = localStamp(sweep.began) + std::to_string(low) + ", " +
                       std::to_string(low + channels * step) + ", ";
    appendFixed(line, static_cast<double>(step));
    line += ", 1";
    for (std::size_t i = 0; i < sweep.bytes.size(); ++i) {
        line += ", ";
        appendFixed(line, sweep.db(i));
    }
    line += '\n';
    return line;
}

}  // namespace orvex
