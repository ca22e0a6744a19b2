#pragma once

#include <chrono>
#include <string>

namespace orvex {

// "2026-12-09T03:41:07.123Z": ISO 8601 in UTC with milliseconds, as the program's logs (the level
// log, the hit log) write every moment. Broken down by the C library in UTC: neither the locale
// nor the time zone changes it.
std::string utcTimestamp(std::chrono::system_clock::time_point when);

}  // namespace orvex
