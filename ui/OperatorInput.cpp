#include "ui/OperatorInput.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "controls/OperatorNotes.h"
#include "core/NumberText.h"

namespace orvex {
namespace {

std::int64_t digitWeightKHz(int place) {
    std::int64_t weight = 1;
    for (int i = 0; i < place; ++i) {
        weight *= 10;
    }
    return weight;
}

}  // namespace

OperatorInput::OperatorInput(const PanelWidgets& widgets, ReceiverHost& host,
                             PanelFeedback& feedback, QObject* parent)
    : QObject(parent), widgets_(widgets), host_(host), feedback_(feedback) {
    connectTuning();
    connectSwitches();
    connectChannels();
    connectAudio();
    connectDisplay();
}

void OperatorInput::connectTuning() {
    connect(widgets_.knob, &Knob::moved, this,
            [this](int p) { run([p](Receiver& r) { r.Knob1_Change(p); }); });
    connect(widgets_.knob, &Knob::released, this,
            [this](int p) { run([p](Receiver& r) { r.Knob1_DragEnd(p); }); });
    connect(widgets_.wheel, &ThumbWheel::turned, this,
            [this](int code) { run([code](Receiver& r) { r.Wheel1_Change(code); }); });
    // Home and End on the wheel go to the ends of the band, as they do on the knob.
    connect(widgets_.wheel, &ThumbWheel::endRequested, this, [this](int code) {
        const KnobModel& knob = host_.receiver().panel().Knob1;
        const int target = code == ThumbWheel::Up ? knob.maximum : 0;
        if (knob.enabled && target != knob.position) {
            run([target](Receiver& r) { r.Knob1_Change(target); });
        }
    });
    connect(widgets_.down, &QPushButton::clicked, this,
            [this] { run([](Receiver& r) { r.Command10_Click(); }); });
    connect(widgets_.up, &QPushButton::clicked, this,
            [this] { run([](Receiver& r) { r.Command8_Click(); }); });
}

void OperatorInput::connectSwitches() {
    const auto onToggle = [this](ToggleSwitch* widget, void (Receiver::*handler)(bool)) {
        connect(widget, &ToggleSwitch::switched, this, [this, handler](bool on) {
            run([handler, on](Receiver& r) { (r.*handler)(on); });
        });
    };
    onToggle(widgets_.power, &Receiver::Toggle7_Change);
    onToggle(widgets_.step, &Receiver::Toggle8_Change);
    onToggle(widgets_.fineStep, &Receiver::Toggle9_Change);
    onToggle(widgets_.exit, &Receiver::Toggle10_Change);
    onToggle(widgets_.readWrite, &Receiver::Toggle4_Change);
    onToggle(widgets_.spectrum, &Receiver::Toggle1_Change);
    onToggle(widgets_.mute, &Receiver::Toggle2_Change);
    onToggle(widgets_.about, &Receiver::Toggle3_Change);
    onToggle(widgets_.scan, &Receiver::Toggle5_Change);
}

void OperatorInput::connectChannels() {
    connect(widgets_.channel1, &QPushButton::clicked, this,
            [this] { pressChannel(1, &Receiver::Command2_Click); });
    connect(widgets_.channel2, &QPushButton::clicked, this,
            [this] { pressChannel(2, &Receiver::Command3_Click); });
    connect(widgets_.channel3, &QPushButton::clicked, this,
            [this] { pressChannel(3, &Receiver::Command4_Click); });
}

void OperatorInput::connectAudio() {
    // Qt's slider has no signal for the operator's moves alone (a screen reader sets its value as
    // code does); the window draws it with its signals blocked, so only the operator reaches these.
    connect(widgets_.volume, &QSlider::valueChanged, this,
            [this](int p) { run([p](Receiver& r) { r.HSlider4_Change(p); }); });
    connect(widgets_.squelch, &QSlider::valueChanged, this,
            [this](int p) { run([p](Receiver& r) { r.HSlider3_Change(p); }); });
}

void OperatorInput::connectDisplay() {
    // Typing a frequency: click the display while the receiver is on.
    connect(widgets_.display, &SevenSegmentDisplay::activated, this, [this] {
        if (host_.receiver().poweredOn()) {
            widgets_.display->beginEntry();
        }
    });
    connect(widgets_.display, &SevenSegmentDisplay::entryAccepted, this,
            &OperatorInput::enterFrequency);
    connect(widgets_.display, &SevenSegmentDisplay::digitWheeled, this,
            &OperatorInput::tuneByDigit);
}

void OperatorInput::pressChannel(int channel, void (Receiver::*handler)()) {
    const bool storing = host_.receiver().panel().Toggle4.on;
    run([handler](Receiver& r) { (r.*handler)(); });
    feedback_.channelPressed(channel, storing);
}

// A frequency in kHz or Hz reaches the handler in MHz, as if typed so; anything else goes as
// typed, for the handler to refuse in its own words.
void OperatorInput::enterFrequency(const QString& typed) {
    const std::string text = typed.toStdString();
    const std::optional<double> megahertz = typedMegahertz(text);
    const std::string entry = megahertz ? numberText(*megahertz) : text;
    run([entry](Receiver& r) { r.LedDisplay1_Entry(entry); });
    if (megahertz) {
        feedback_.frequencyEntered(*megahertz);
    }
}

// The wheel over a digit of the display tunes as the knob would, by that digit's weight.
void OperatorInput::tuneByDigit(int place, int notches) {
    const Receiver& receiver = host_.receiver();
    const KnobModel& knob = receiver.panel().Knob1;
    if (!knob.enabled) {
        return;
    }
    const int perNotch = knobStepsForDigit(digitWeightKHz(place), receiver.stepKHz());
    const int target = static_cast<int>(std::clamp<std::int64_t>(
        knob.position + std::int64_t{notches} * perNotch, 0, knob.maximum));
    if (target != knob.position) {
        run([target](Receiver& r) { r.Knob1_Change(target); });
    }
}

}  // namespace orvex
