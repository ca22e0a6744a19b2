#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "controls/MessageQueue.h"
#include "controls/Receiver.h"

namespace orvex {

// Runs the receiver's handlers one at a time and follows what each leaves behind: the two timers
// run while the panel model says so, the messages gathered during the handler go out, what
// changed is announced as typed events, and an ending is announced. A window and a program
// without one drive the receiver through it alike.
class ReceiverHost : public QObject {
    Q_OBJECT

public:
    ReceiverHost(Receiver& receiver, MessageQueue& messages, QObject* parent = nullptr);

    // Runs one handler to completion, then settles the timers, messages, events and ending.
    template <typename Handler>
    void run(Handler&& handler) {
        const Observed before = observe();
        std::forward<Handler>(handler)(receiver_);
        settle(before);
    }

    // A message for the operator from a front end, shown as the receiver's own are.
    void tell(const std::string& text) { emit message(QString::fromStdString(text)); }
    // Hands on what was queued for the operator outside a handler (a file written from a menu).
    void deliverMessages();

    const Receiver& receiver() const { return receiver_; }
    bool measurementRunning() const { return timer1_.isActive(); }
    bool scannerRunning() const { return timer2_.isActive(); }

signals:
    // After every handler, for drawing.
    void panelChanged();
    void message(const QString& text);
    void endRequested(orvex::Ending ending);

    // What a handler changed, each only when it changed, in this order after the handler: the
    // port chosen, the power switched, the step, the frequency on the display, the audio, a
    // channel memory stored, the Scan switch, and a measurement (every tick).
    void portChosen(int portBase);
    void powerSwitched(bool on);
    void stepChanged(int stepKHz);
    void tuned(int kHz);
    void audioChanged(int volumePosition, int squelchPosition, bool muted);
    void memoryStored(int channel);
    void scanSwitched(bool on);
    void measured(double level, double supplyVolts, bool audioOpen);

private:
    // What the events are told from.
    struct Observed {
        std::int16_t portBase = 0;
        bool poweredOn = false;
        std::int16_t stepKHz = 0;
        std::optional<std::int32_t> kHz;
        std::int16_t volume = 0;
        std::int16_t squelch = 0;
        bool muted = false;
        std::array<std::uint64_t, ChannelCount> stores{};
        bool scanning = false;
        std::uint64_t measurements = 0;
    };

    Observed observe() const;
    void settle(const Observed& before);
    void announce(const Observed& before, const Observed& after);
    static void follow(QTimer& timer, const TimerModel& model);

    Receiver& receiver_;
    MessageQueue& messages_;
    QTimer timer1_;  // measurement
    QTimer timer2_;  // scanner
    bool ended_ = false;
};

}  // namespace orvex
