#pragma once

#include <QObject>
#include <string_view>
#include <vector>

class QWidget;

namespace orvex {

class ReceiverHost;
class SpokenValue;

// What a screen reader is told of the panel beyond what each widget knows of itself: names in
// words for the controls and groups that have no caption of their own, every value in the
// operator's words and units (MHz, S-units and dB over S9, volts, "volume 4 of 7"), and nothing of
// the controls that do nothing. It follows the panel after every handler, so that a change no
// widget sees (a new step, which rescales the knob; power, which the meter's words say) is told.
class PanelSpeech : public QObject {
    Q_OBJECT

public:
    PanelSpeech(QWidget& window, ReceiverHost& host);

private:
    template <typename Widget>
    SpokenValue& spoken(std::string_view name);
    void follow();

    QWidget& window_;
    ReceiverHost& host_;
    SpokenValue* knob_ = nullptr;
    std::vector<SpokenValue*> spoken_;
};

}  // namespace orvex
