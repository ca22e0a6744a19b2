#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "controls/ReceiverHost.h"
#include "ui/MessageLine.h"
#include "ui/PanelWidgets.h"

namespace orvex {

// What the panel tells the operator beyond what its controls show: confirmations of stores,
// recalls, port choices, scans and steps, notes on surprising behaviour, and what a control holds
// while the mouse rests on it (there are no hint balloons). Everything is read from the receiver
// after its handler has run; nothing here changes what a handler does.
class PanelFeedback : public QObject {
    Q_OBJECT

public:
    // Greets a newcomer with where the help is in `widgets.status`, where it tells everything.
    PanelFeedback(const Receiver& receiver, const PanelWidgets& widgets, QObject* parent = nullptr);
    // Follows the host's handlers and messages and the operator's widgets; connected after the
    // operator's own handlers, so that it reads what they left.
    void follow(ReceiverHost& host, const PanelWidgets& widgets);

    // After a channel button's handler; `storing` says whether Write was lit before it ran.
    void channelPressed(int channel, bool storing);
    // After the handler of a frequency typed as `megahertz`.
    void frequencyEntered(double megahertz);
    // After the operator switched Mute.
    void muteSwitched(bool on);
    // After every handler: messages whose cause is gone leave.
    void panelChanged();
    // The port chosen, the Scan switch, the power and the step, as the host announces them.
    void portChosen(int portBase);
    void scanSwitched(bool on);
    void powerSwitched(bool on);
    void stepChanged(int stepKHz);
    // A message from the receiver. One about the port lasts until the port or the board's state
    // changes (the badge beside keeps what still holds); others go after a while.
    void receiverMessage(const QString& text);
    // While the mouse rests on `widget`, the status line shows `note()`.
    void noteOnHover(QWidget* widget, std::function<QString()> note);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct HoverNote {
        QObject* widget;
        std::function<QString()> note;
    };

    void tell(const std::string& text);
    // Asks the note of the control under the mouse again: a store or recall changes it.
    void refreshHoverNote();

    const Receiver& receiver_;
    MessageLine& status_;
    bool powerSwitchedNow_ = false;  // by the handler whose events are arriving
    std::vector<HoverNote> hoverNotes_;
    QObject* hovered_ = nullptr;
    bool toldMute_ = false;
};

}  // namespace orvex
