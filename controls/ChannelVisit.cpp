#include "controls/ChannelVisit.h"

#include <algorithm>
#include <utility>

#include "core/Band.h"
#include "core/SettleTimes.h"
#include "hardware/Converter.h"

namespace orvex {
namespace {

std::chrono::milliseconds wholeMilliseconds(std::chrono::microseconds time) {
    return std::chrono::ceil<std::chrono::milliseconds>(time);
}

}  // namespace

ChannelVisit::ChannelVisit(ReceiverActions& actions, QObject* parent)
    : QObject(parent), actions_(actions), dwell_(settle::Channel) {
    timer_.setSingleShot(true);
    // A coarse timer may fire early; the level must never be read before the board settled.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &ChannelVisit::dwellEnded);
}

void ChannelVisit::setDwell(std::chrono::microseconds dwell) {
    dwell_ = std::max(dwell, std::chrono::microseconds(settle::Channel));
}

ActionResult ChannelVisit::visit(std::int32_t kHz, Load load) {
    cancel();
    const std::int16_t step = actions_.receiver().stepKHz();
    if (load == Load::Shown && (step <= 0 || kHz % step != 0)) {
        return ActionResult::refused(Refusal::NoSuchStep);  // the knob would round it
    }
    const ActionResult result =
        load == Load::Shown ? actions_.tuneTo(mhzFromKHz(kHz)) : actions_.loadDividerFor(kHz);
    if (!result.succeeded()) {
        return result;
    }
    kHz_ = kHz;
    since_.start();
    timer_.start(wholeMilliseconds(dwell_));
    return result;
}

void ChannelVisit::cancel() {
    timer_.stop();
    kHz_.reset();
}

void ChannelVisit::dwellEnded() {
    if (!kHz_) {
        return;
    }
    const auto waited = std::chrono::nanoseconds(since_.nsecsElapsed());
    if (waited < dwell_) {
        timer_.start(wholeMilliseconds(
            std::chrono::duration_cast<std::chrono::microseconds>(dwell_ - waited)));
        return;
    }
    const std::int32_t kHz = *std::exchange(kHz_, std::nullopt);
    const std::optional<int> byte = actions_.readSignalByte();
    if (!byte) {
        emit failed(kHz);
        return;
    }
    emit levelRead(kHz, signalLevel(*byte));
}

}  // namespace orvex
