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

ReceiverHost::Observed ReceiverHost::observe() const {
    const Receiver& r = receiver_;
    Observed now{r.portBase(),       r.poweredOn(),       r.stepKHz(), r.displayedKHz(),
                 r.volumePosition(), r.squelchPosition(), r.muted(),   {},
                 r.scanning(),       r.measurements()};
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        now.stores[static_cast<std::size_t>(channel - 1)] = r.stores(channel);
    }
    return now;
}

void ReceiverHost::announce(const Observed& before, const Observed& after) {
    if (after.portBase != before.portBase) {
        emit portChosen(after.portBase);
    }
    if (after.poweredOn != before.poweredOn) {
        emit powerSwitched(after.poweredOn);
    }
    if (after.stepKHz != before.stepKHz) {
        emit stepChanged(after.stepKHz);
    }
    if (after.kHz != before.kHz && after.kHz) {
        emit tuned(*after.kHz);
    }
    if (after.volume != before.volume || after.squelch != before.squelch ||
        after.muted != before.muted) {
        emit audioChanged(after.volume, after.squelch, after.muted);
    }
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        const auto n = static_cast<std::size_t>(channel - 1);
        if (after.stores[n] != before.stores[n]) {
            emit memoryStored(channel);
        }
    }
    if (after.scanning != before.scanning) {
        emit scanSwitched(after.scanning);
    }
    if (after.measurements != before.measurements) {
        emit measured(receiver_.measuredLevel(), receiver_.measuredSupplyVolts(),
                      receiver_.audioOpen());
    }
}

void ReceiverHost::deliverMessages() {
    for (const std::string& text : messages_.take()) {
        emit message(QString::fromStdString(text));
    }
}

void ReceiverHost::settle(const Observed& before) {
    const PanelModel& panel = receiver_.panel();
    if (!ended_) {
        follow(timer1_, panel.Timer1);
        follow(timer2_, panel.Timer2);
    }
    deliverMessages();
    emit panelChanged();
    announce(before, observe());
    if (panel.ending != Ending::None && !ended_) {
        ended_ = true;
        timer1_.stop();
        timer2_.stop();
        emit endRequested(panel.ending);
    }
}

}  // namespace orvex
