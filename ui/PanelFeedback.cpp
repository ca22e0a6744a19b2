#include "ui/PanelFeedback.h"

#include <QEvent>
#include <algorithm>
#include <utility>

#include "controls/OperatorNotes.h"

namespace orvex {

PanelFeedback::PanelFeedback(const Receiver& receiver, const PanelWidgets& widgets, QObject* parent)
    : QObject(parent), receiver_(receiver), status_(*widgets.status) {
    status_.post("F1 opens the help: every control and every key. A right click zooms the panel.",
                 MessageLine::Kind::Notice);
}

void PanelFeedback::follow(ReceiverHost& host, const PanelWidgets& widgets) {
    connect(&host, &ReceiverHost::message, this, &PanelFeedback::receiverMessage);
    connect(&host, &ReceiverHost::panelChanged, this, &PanelFeedback::panelChanged);
    connect(&host, &ReceiverHost::portChosen, this, &PanelFeedback::portChosen);
    connect(&host, &ReceiverHost::scanSwitched, this, &PanelFeedback::scanSwitched);
    connect(&host, &ReceiverHost::powerSwitched, this, &PanelFeedback::powerSwitched);
    connect(&host, &ReceiverHost::stepChanged, this, &PanelFeedback::stepChanged);
    connect(widgets.mute, &ToggleSwitch::switched, this, &PanelFeedback::muteSwitched);
    for (auto [button, channel] : {std::pair{widgets.channel1, 1}, std::pair{widgets.channel2, 2},
                                   std::pair{widgets.channel3, 3}}) {
        // By value: clang cannot capture a structured binding.
        noteOnHover(button, [this, n = channel] {
            return QString::fromStdString(memoryHoverNote(n, receiver_.memory(n)));
        });
    }
    BoardBadge* badge = widgets.badge;
    noteOnHover(badge, [badge] { return badge->fullText(); });
}

void PanelFeedback::tell(const std::string& text) {
    status_.post(QString::fromStdString(text), MessageLine::Kind::Confirmation);
}

void PanelFeedback::channelPressed(int channel, bool storing) {
    const ChannelMemory memory = receiver_.memory(channel);
    if (storing) {
        const PanelSettings panel{receiver_.displayedKHz(), receiver_.stepKHz(),
                                  receiver_.volumePosition(), receiver_.squelchPosition()};
        tell(storeNote(channel, memory, panel));
    } else if (const auto note = recallNote(channel, memory)) {
        tell(*note);
    }
    refreshHoverNote();
}

void PanelFeedback::refreshHoverNote() {
    const auto found =
        std::find_if(hoverNotes_.begin(), hoverNotes_.end(),
                     [this](const HoverNote& hover) { return hover.widget == hovered_; });
    if (hovered_ != nullptr && found != hoverNotes_.end()) {
        status_.setHoverNote(found->note());
    }
}

void PanelFeedback::frequencyEntered(double megahertz) {
    if (const auto note = entryNote(megahertz, receiver_.displayedKHz(), receiver_.stepKHz())) {
        tell(*note);
    }
}

void PanelFeedback::muteSwitched(bool on) {
    // Once a run is enough; the help window says it in full.
    if (on && receiver_.poweredOn() && !toldMute_) {
        toldMute_ = true;
        tell(std::string(muteNote()));
    }
}

// The host announces a handler's events after its panelChanged.
void PanelFeedback::panelChanged() {
    powerSwitchedNow_ = false;
    status_.review();
}

void PanelFeedback::portChosen(int portBase) {
    tell(portNote(portBase, receiver_.boardDescription()));
}

void PanelFeedback::scanSwitched(bool on) {
    tell(scanNote(on, receiver_.displayedKHz()));
}

void PanelFeedback::powerSwitched(bool) {
    powerSwitchedNow_ = true;
}

// Power-on restores the step of the last power-off, power-off keeps it: only a change while the
// receiver stays on is news.
void PanelFeedback::stepChanged(int stepKHz) {
    if (receiver_.poweredOn() && !powerSwitchedNow_) {
        tell(stepNote(stepKHz));
    }
}

void PanelFeedback::receiverMessage(const QString& text) {
    std::function<bool()> lasts;
    const std::string board = receiver_.boardDescription();
    if (!receiver_.portChosen() || text.toStdString() == board) {
        lasts = [this, base = receiver_.portBase(), board] {
            return receiver_.portBase() == base && receiver_.boardDescription() == board;
        };
    }
    status_.post(text, MessageLine::Kind::Notice, std::move(lasts));
}

void PanelFeedback::noteOnHover(QWidget* widget, std::function<QString()> note) {
    hoverNotes_.push_back({widget, std::move(note)});
    widget->installEventFilter(this);
}

bool PanelFeedback::eventFilter(QObject* watched, QEvent* event) {
    const bool enter = event->type() == QEvent::Enter;
    if (enter || event->type() == QEvent::Leave) {
        const auto found =
            std::find_if(hoverNotes_.begin(), hoverNotes_.end(),
                         [watched](const HoverNote& hover) { return hover.widget == watched; });
        if (found != hoverNotes_.end()) {
            hovered_ = enter ? watched : nullptr;
            status_.setHoverNote(enter ? found->note() : QString());
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace orvex
