#pragma once

#include <QObject>
#include <QString>

#include "controls/ReceiverHost.h"
#include "ui/PanelFeedback.h"
#include "ui/PanelWidgets.h"

namespace orvex {

// Turns what the operator does on the panel's widgets into the receiver's handlers, each run
// through the host: clicks, drags, wheel turns, slider moves and typed frequencies. The window
// draws the model with the widgets' signals blocked, so only the operator's own acts arrive here.
class OperatorInput : public QObject {
    Q_OBJECT

public:
    OperatorInput(const PanelWidgets& widgets, ReceiverHost& host, PanelFeedback& feedback,
                  QObject* parent = nullptr);

private:
    void connectTuning();
    void connectSwitches();
    void connectChannels();
    void connectAudio();
    void connectDisplay();
    void pressChannel(int channel, void (Receiver::*handler)());
    void enterFrequency(const QString& typed);
    void tuneByDigit(int place, int notches);

    template <typename Handler>
    void run(Handler&& handler) {
        host_.run(std::forward<Handler>(handler));
    }

    const PanelWidgets& widgets_;
    ReceiverHost& host_;
    PanelFeedback& feedback_;
};

}  // namespace orvex
