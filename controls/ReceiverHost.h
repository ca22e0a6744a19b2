#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <utility>

#include "controls/MessageQueue.h"
#include "controls/Receiver.h"

namespace orvex {

// Runs the receiver's handlers one at a time and follows what each leaves behind: the two timers
// run while the panel model says so, the messages gathered during the handler go out, and an
// ending is announced. A window and a program without one drive the receiver through it alike.
class ReceiverHost : public QObject {
    Q_OBJECT

public:
    ReceiverHost(Receiver& receiver, MessageQueue& messages, QObject* parent = nullptr);

    // Runs one handler to completion, then settles the timers, messages and ending.
    template <typename Handler>
    void run(Handler&& handler) {
        std::forward<Handler>(handler)(receiver_);
        settle();
    }

    const Receiver& receiver() const { return receiver_; }
    bool measurementRunning() const { return timer1_.isActive(); }
    bool scannerRunning() const { return timer2_.isActive(); }

signals:
    void panelChanged();
    void message(const QString& text);
    void endRequested(orvex::Ending ending);

private:
    void settle();
    static void follow(QTimer& timer, const TimerModel& model);

    Receiver& receiver_;
    MessageQueue& messages_;
    QTimer timer1_;  // measurement
    QTimer timer2_;  // scanner
    bool ended_ = false;
};

}  // namespace orvex
