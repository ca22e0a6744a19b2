#include "controls/LevelLine.h"

#include <ctime>

#include "controls/SignalScale.h"
#include "core/NumberText.h"

namespace orvex {
namespace {

void appendDigits(std::string& text, long long number, int digits) {
    std::string part(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0 && number > 0; --i, number /= 10) {
        part[static_cast<std::size_t>(i)] = static_cast<char>('0' + number % 10);
    }
    text += part;
}

}  // namespace

// Counted in integers and broken down by the C library in UTC, so neither the locale nor the
// time zone can change a line.
std::string utcText(std::chrono::system_clock::time_point time) {
    using namespace std::chrono;
    const auto inMilliseconds = floor<milliseconds>(time);
    const auto inSeconds = floor<seconds>(inMilliseconds);
    const std::time_t whole = system_clock::to_time_t(inSeconds);
    const long long millis = (inMilliseconds - inSeconds).count();
    std::tm utc{};
    gmtime_r(&whole, &utc);
    std::string text;
    appendDigits(text, utc.tm_year + 1900LL, 4);
    text += '-';
    appendDigits(text, utc.tm_mon + 1, 2);
    text += '-';
    appendDigits(text, utc.tm_mday, 2);
    text += 'T';
    appendDigits(text, utc.tm_hour, 2);
    text += ':';
    appendDigits(text, utc.tm_min, 2);
    text += ':';
    appendDigits(text, utc.tm_sec, 2);
    text += '.';
    appendDigits(text, millis, 3);
    return text + 'Z';
}

std::string levelLogLine(const LevelSample& sample) {
    return utcText(sample.time) + ',' + std::to_string(sample.hertz) + ',' +
           std::to_string(sample.signalByte) + ',' + numberText(sample.level) + ',' +
           std::to_string(dbOverS9(sample.level)) + ',' + numberText(sample.supplyVolts) + ',' +
           (sample.squelchOpen ? '1' : '0') + '\n';
}

}  // namespace orvex
