#include "controls/ReceiverHost.h"

namespace orvex {

ReceiverHost::ReceiverHost(Receiver& receiver, MessageQueue& messages, QObject* parent)
    : QObject(parent), receiver_(receiver), messages_(messages) {
    // Ticks can run late but must never pile up behind a slow handler.
    timer1_.setTimerType(Qt::PreciseTimer);
    timer2_.setTimerType(Qt::PreciseTimer);
    connect(&timer1_, &QTimer::timeout, this,
            [this] { run([](Receiver& r) { r.Timer1_Timer(); }); });
    connect(&timer2_, &QTimer::timeout, this,
            [this] { run([](Receiver& r) { r.Timer2_Timer(); }); });
}

void ReceiverHost::follow(QTimer& timer, const TimerModel& model) {
    if (model.enabled && !timer.isActive()) {
        timer.start(model.intervalMs);
    } else if (!model.enabled && timer.isActive()) {
        timer.stop();
    }
}

void ReceiverHost::settle() {
    const PanelModel& panel = receiver_.panel();
    if (!ended_) {
        follow(timer1_, panel.Timer1);
        follow(timer2_, panel.Timer2);
    }
    for (const std::string& text : messages_.take()) {
        emit message(QString::fromStdString(text));
    }
    emit panelChanged();
    if (panel.ending != Ending::None && !ended_) {
        ended_ = true;
        timer1_.stop();
        timer2_.stop();
        emit endRequested(panel.ending);
    }
}

}  // namespace orvex
