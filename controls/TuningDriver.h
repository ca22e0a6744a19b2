#pragma once

#include <QObject>
#include <string_view>

namespace orvex {

// What may tune the receiver by itself, step after step. At most one runs at a time: starting
// one switches the one running off as the operator would, and nothing is restored afterwards
// except what a driver itself promises (the survey puts the frequency, mute and timers back).
namespace drivers {
Q_NAMESPACE

enum class TuningDriver {
    Scanner,          // the Scan switch's scanner, one channel every half second
    Survey,           // the band survey, one channel per timer step, the measurement paused
    ActivityScanner,  // the scanner that stops on activity and logs it
    Pass,             // a satellite pass a tracker steers
};
Q_ENUM_NS(TuningDriver)

}  // namespace drivers

using drivers::TuningDriver;

// Whether the driver keeps the audio muted while it runs: it steps through channels the operator
// never chose to hear, so the squelch decisions stay muted until it stops.
constexpr bool holdsSquelch(TuningDriver driver) {
    return driver == TuningDriver::Survey || driver == TuningDriver::ActivityScanner;
}

// "the scanner", "the band survey" …, for the panel's notes.
std::string_view describe(TuningDriver driver);

}  // namespace orvex
