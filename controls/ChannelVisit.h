#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <optional>

#include "controls/ReceiverActions.h"

namespace orvex {

// One channel visited as the board needs it before its level means anything: the divider word
// loaded (on the display, or a load the display does not show), a dwell of at least the settle
// time (core/SettleTimes.h) on the event loop, never a blocking wait, then the signal channel
// read. Whatever steps through channels by itself does each step with one of these.
class ChannelVisit : public QObject {
    Q_OBJECT

public:
    enum class Load {
        Shown,   // tuned as the knob tunes: the display, the scale and the knob follow
        Hidden,  // only the divider word; the display keeps what it shows
    };

    explicit ChannelVisit(ReceiverActions& actions, QObject* parent = nullptr);

    // At least the settle time, whatever is asked.
    void setDwell(std::chrono::microseconds dwell);
    std::chrono::microseconds dwell() const { return dwell_; }

    // Loads `kHz` and reads it after the dwell (levelRead). Refused, with nothing loaded, when
    // the actions refuse it, or when the step in force cannot show the frequency exactly; a visit
    // under way is given up.
    ActionResult visit(std::int32_t kHz, Load load);
    void cancel();
    bool visiting() const { return kHz_.has_value(); }
    std::optional<std::int32_t> channel() const { return kHz_; }

signals:
    // The level of the channel as the meter would show it, after the dwell.
    void levelRead(std::int32_t kHz, double level);
    // The reading could not be taken (the receiver went off meanwhile).
    void failed(std::int32_t kHz);

private:
    void dwellEnded();

    ReceiverActions& actions_;
    std::chrono::microseconds dwell_;
    QTimer timer_;
    QElapsedTimer since_;
    std::optional<std::int32_t> kHz_;
};

}  // namespace orvex
