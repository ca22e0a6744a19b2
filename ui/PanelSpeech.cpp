#include "ui/PanelSpeech.h"

#include <array>
#include <utility>

#include "controls/AudioScales.h"
#include "controls/ReceiverHost.h"
#include "controls/SignalScale.h"
#include "controls/SpokenValues.h"
#include "core/Band.h"
#include "ui/KeyTable.h"
#include "ui/widgets/BarIndicator.h"
#include "ui/widgets/Dial.h"
#include "ui/widgets/InstrumentAccessible.h"
#include "ui/widgets/Knob.h"
#include "ui/widgets/LinearGauge.h"
#include "ui/widgets/SevenSegmentDisplay.h"
#include "ui/widgets/Slider.h"
#include "ui/widgets/ThumbWheel.h"

namespace orvex {
namespace {

// Names for what has no caption, or a caption that says little when spoken ("<", "10kHz /
// 100kHz"); the groups that help finding one's way are named too, the others stay unnamed.
constexpr std::array<std::pair<std::string_view, const char*>, 16> Names{{
    {"LedDisplay1", "Frequency"},
    {"LGAUGE1", "Frequency scale"},
    {"Wheel1", "Tuning wheel"},
    {"Knob1", "Tuning knob"},
    {"Command10", "Tune down one step"},
    {"Command8", "Tune up one step"},
    {"Gauge1", "Meter"},
    {"ind1", "Signal bar"},
    {"Toggle7", "Power"},
    {"Toggle4", "Write"},
    {"Toggle8", "100 kHz step"},
    {"Toggle9", "5 kHz step"},
    {"HSlider3", "Squelch"},
    {"HSlider4", "Volume"},
    {"SSPanel2", "Tuning"},
    {"SSPanel9", "Audio"},
}};

QString named(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QString words(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

template <typename Widget>
SpokenValue& PanelSpeech::spoken(std::string_view name) {
    SpokenValue& value = window_.findChild<Widget*>(named(name))->spokenValue();
    spoken_.push_back(&value);
    return value;
}

PanelSpeech::PanelSpeech(QWidget& window, ReceiverHost& host)
    : QObject(&window), window_(window), host_(host) {
    for (const auto& [name, spokenName] : Names) {
        window.findChild<QWidget*>(named(name))->setAccessibleName(spokenName);
    }
    for (std::string_view name : Unreachable) {
        hideFromAssistiveTechnology(*window.findChild<QWidget*>(named(name)));
    }

    const Receiver& r = host.receiver();
    const auto frequency = [&r] {
        const std::optional<std::int32_t> kHz = r.displayedKHz();
        return kHz ? words(megahertzText(*kHz)) : QStringLiteral("none shown");
    };
    SpokenValue& display = spoken<SevenSegmentDisplay>("LedDisplay1");
    display.setWords(frequency);
    display.setLimits({BandBottomMHz, BandTopMHz});
    spoken<ThumbWheel>("Wheel1").setWords(frequency);
    spoken<LinearGauge>("LGAUGE1").setWords(
        [&r] { return words(megahertzText(kHzFromMHz(r.panel().LGAUGE1.value))); });
    knob_ = &spoken<Knob>("Knob1");
    knob_->setWords(
        [&r] { return words(megahertzText(knobKHz(r.panel().Knob1.position, r.stepKHz()))); });

    SpokenValue& squelch = spoken<Slider>("HSlider3");
    squelch.setScale(0.0, 1.0 / SquelchPositionsPerDialUnit);
    squelch.setWords([&r] { return words(squelchWords(r.squelchPosition())); });
    spoken<Slider>("HSlider4").setWords([&r] { return words(volumeWords(r.volumePosition())); });

    // Both read the signal in dB over S9, as radio software reads an S-meter.
    const QString off = QStringLiteral("off");
    SpokenValue& meter = spoken<Dial>("Gauge1");
    meter.setScale(LowestDbOverS9, DbPerSUnit);
    meter.setLimits({double(LowestDbOverS9), double(HighestDbOverS9)});
    meter.setWords([&r, off] {
        return r.poweredOn() ? words(meterWords(r.measuredLevel(), r.measuredSupplyVolts())) : off;
    });
    SpokenValue& bar = spoken<BarIndicator>("ind1");
    bar.setScale(LowestDbOverS9, DbPerSUnit);
    bar.setWords([&r, off] { return r.poweredOn() ? words(sUnitsText(r.measuredLevel())) : off; });

    connect(&host, &ReceiverHost::panelChanged, this, &PanelSpeech::follow);
    follow();
}

void PanelSpeech::follow() {
    knob_->setScale(BandBottomMHz, mhzFromKHz(host_.receiver().stepKHz()));
    // The words read the receiver: whatever changed is told, what did not stays quiet.
    for (SpokenValue* value : spoken_) {
        value->changed();
    }
}

}  // namespace orvex
