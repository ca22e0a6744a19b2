#include "core/UtcTime.h"

#include <array>
#include <cstdio>
#include <ctime>

namespace orvex {

std::string utcTimestamp(std::chrono::system_clock::time_point when) {
    using namespace std::chrono;
    const auto milliseconds = floor<std::chrono::milliseconds>(when);
    const auto seconds = floor<std::chrono::seconds>(milliseconds);
    const std::time_t time = system_clock::to_time_t(seconds);
    std::tm utc{};
    ::gmtime_r(&time, &utc);
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ",
                  utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min,
                  utc.tm_sec, static_cast<int>((milliseconds - seconds).count()));
    return text.data();
}

}  // namespace orvex
