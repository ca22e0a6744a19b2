#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "controls/AudioScales.h"
#include "controls/PanelPalette.h"
#include "controls/StepTable.h"
#include "core/Band.h"

namespace orvex {

// Every control the handlers read or change, as plain data. The window draws this and nothing
// else; handlers change only this, the receiver state, the port and the settings file.

// The fine-step switch's caption while it is not on a step.
constexpr const char* FineStepHelp = "Help";

struct ToggleModel {
    bool on = false;
    std::string offCaption;
    std::string onCaption;
    Rgb offLamp = palette::LampOff;
    Rgb onLamp = palette::LampOn;
    bool enabled = true;

    const std::string& caption() const { return on ? onCaption : offCaption; }

    friend bool operator==(const ToggleModel&, const ToggleModel&) = default;
};

struct KnobModel {
    std::int16_t position = 0;
    std::int16_t maximum = NormalStep.knobMax;  // KnobMax
    bool enabled = true;
    Rgb face = palette::KnobFace;
    Rgb marker = palette::KnobMarker;
};

struct SliderModel {
    std::int16_t position = 0;
    std::int16_t maximum = 0;
    bool enabled = true;
};

struct ButtonModel {
    bool enabled = true;
};

struct LabelModel {
    Rgb text = palette::Text;
    Rgb background = palette::Panel;

    friend bool operator==(const LabelModel&, const LabelModel&) = default;
};

struct LedDisplayModel {
    std::string text;
    Rgb background = palette::LitFace;
    Rgb unlit = palette::LitFace;     // the faint segments that are off
    Rgb segment = palette::Segments;  // the lit segments

    friend bool operator==(const LedDisplayModel&, const LedDisplayModel&) = default;
};

struct LinearGaugeModel {
    double value = BandBottomMHz;  // pointer, MHz
    double minimum = BandBottomMHz;
    double maximum = BandTopMHz;
    Rgb background = palette::LitFace;
    Rgb bar = palette::FrequencyBar;
    Rgb scale = palette::FrequencyMarks;
    Rgb pointer = palette::FrequencyPointer;

    friend bool operator==(const LinearGaugeModel&, const LinearGaugeModel&) = default;
};

struct DialModel {
    std::array<double, 2> needles{};  // 0 signal level, 1 supply volts; kept exactly as set
    int selected = 0;                 // the needle that value operations address
    double threshold = 0.0;           // squelch mark, in the scale's units
    double minimum = -5.0;            // the scale's ends, for level and volts alike
    double maximum = 25.0;
    Rgb face = palette::LitFace;
    Rgb scale = palette::MeterScale;
    double majorStep = 2.5;  // labelled ticks
    double minorStep = 0.5;
    bool labelsVisible = true;

    double& value() { return needles[static_cast<std::size_t>(selected)]; }

    friend bool operator==(const DialModel&, const DialModel&) = default;
};

struct BarModel {
    std::int16_t value = 0;  // kept as set; only the drawing clamps to 0..maximum
    std::int16_t maximum = 6;
    bool enabled = true;
};

struct TimerModel {
    bool enabled = true;
    int intervalMs = 0;
};

struct OptionModel {
    bool on = false;
};

// The port and About window, while it exists.
struct Form2Model {
    bool open = false;
    std::int16_t OkPressed = 0;
    OptionModel LPT1;
    OptionModel LPT2;
};

// How the program is to end, once the handler that asked for it has returned.
enum class Ending {
    None,
    Exit,  // the Exit switch: beep, then end at once
    Quit,  // the main window closes: end at once, nothing switched off or saved
};

struct PanelModel {
    // Display panel
    LedDisplayModel LedDisplay1;
    LinearGaugeModel LGAUGE1;
    LabelModel Label5{palette::UnitText, palette::LitFace};  // "MHz"
    Rgb SSPanel1 = palette::LitFace;                         // background behind the display

    // Tuning
    KnobModel Knob1;
    ButtonModel Command10;  // "<"
    ButtonModel Command8;   // ">"
    ToggleModel Toggle8{false, NormalStep.caption, CoarseStep.caption, palette::LampOn,
                        palette::LampOn};
    ToggleModel Toggle9{false, FineStepHelp, FineStep.caption};
    ToggleModel Toggle10{false, "Exit", "Exit"};

    // Channel memories
    ButtonModel Command2;  // "Ch-1"
    ButtonModel Command3;  // "Ch-2"
    ButtonModel Command4;  // "Ch-3"
    ToggleModel Toggle4{false, "Read", "Write", palette::LampOn, palette::LampWrite};

    // Audio
    ToggleModel Toggle1{false, "Spectrum", "Spectrum", palette::LampOff, palette::LampOff};
    ToggleModel Toggle2{false, "Mute", "Mute"};
    SliderModel HSlider3{0, SquelchTop};      // squelch
    SliderModel HSlider4{0, VolumeTop};       // volume
    LabelModel Label4{palette::CaptionText};  // "Squelch"
    LabelModel Label6{palette::CaptionText};  // "Audio"
    LabelModel Label7{palette::MeterScale};   // "0"
    LabelModel Label8{palette::MeterScale};   // "max"

    // Meters
    DialModel Gauge1;
    BarModel ind1;

    // Power, scan, About
    ToggleModel Toggle7{false, "Off", "On"};   // power switch, drawn as pictures
    Rgb Frame4Caption = palette::CaptionText;  // "Power"
    ToggleModel Toggle5{false, "Scan", "Scan"};
    ToggleModel Toggle3{false, "About", "About"};

    // Never shown: the port choice and the two texts that carry level and threshold
    OptionModel LPT1;
    OptionModel LPT2;
    std::string Text1 = "Text1";  // signal level
    std::string Text5 = "Text5";  // squelch threshold

    TimerModel Timer1{true, 100};  // measurement
    TimerModel Timer2{true, 500};  // scanner

    Form2Model Form2;
    Ending ending = Ending::None;
};

}  // namespace orvex
