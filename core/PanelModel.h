#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace orvex {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

namespace colour {
constexpr Rgb Black{0, 0, 0};
constexpr Rgb Grey{128, 128, 128};
constexpr Rgb PanelGrey{192, 192, 192};
constexpr Rgb DarkGrey{64, 64, 64};
constexpr Rgb Cyan{0, 255, 255};
constexpr Rgb Olive{128, 128, 0};
constexpr Rgb Teal{0, 128, 128};
constexpr Rgb PaleYellow{255, 255, 192};
constexpr Rgb DarkRed{192, 0, 0};
constexpr Rgb Red{255, 0, 0};
constexpr Rgb LightGreen{128, 255, 128};
constexpr Rgb LightOrange{255, 192, 128};
constexpr Rgb Yellow{255, 255, 0};
constexpr Rgb White{255, 255, 255};
}  // namespace colour

// Every control the handlers read or change, as plain data. The window draws this and nothing
// else; handlers change only this, the receiver state, the port and the settings file.

struct ToggleModel {
    bool on = false;
    std::string offCaption;
    std::string onCaption;
    Rgb offLamp = colour::Grey;
    Rgb onLamp = colour::LightGreen;
    bool enabled = true;

    const std::string& caption() const { return on ? onCaption : offCaption; }
};

struct KnobModel {
    std::int16_t position = 0;
    std::int16_t maximum = 1200;  // KnobMax
    bool enabled = true;
    Rgb face = colour::Red;
    Rgb marker = colour::Grey;
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
    Rgb text = colour::Black;
    Rgb background = colour::PanelGrey;
};

struct LedDisplayModel {
    std::string text;
    Rgb background = colour::Cyan;
    Rgb unlit = colour::Cyan;     // the faint segments that are off
    Rgb segment = colour::Black;  // the lit segments
};

struct LinearGaugeModel {
    double value = 132.0;  // pointer, MHz
    Rgb background = colour::Cyan;
    Rgb bar = colour::PaleYellow;
    Rgb scale = colour::Teal;
    Rgb pointer = colour::DarkRed;
};

struct DialModel {
    std::array<double, 2> needles{};  // 0 signal level, 1 supply volts; kept exactly as set
    int selected = 0;                 // the needle that value operations address
    double threshold = 0.0;           // squelch mark
    Rgb face = colour::Cyan;
    Rgb scale = colour::Olive;
    double majorStep = 2.5;  // labelled ticks
    double minorStep = 0.5;
    bool labelsVisible = true;

    double& value() { return needles[static_cast<std::size_t>(selected)]; }
};

struct BarModel {
    std::int16_t value = 0;  // kept as set; only the drawing clamps to 0..6
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
    LabelModel Label5{colour::DarkGrey, colour::Cyan};  // "MHz"
    Rgb SSPanel1 = colour::Cyan;                        // background behind the display

    // Tuning
    KnobModel Knob1;
    ButtonModel Command10;  // "<"
    ButtonModel Command8;   // ">"
    ToggleModel Toggle8{false, "10kHz", "100kHz", colour::LightGreen, colour::LightGreen};
    ToggleModel Toggle9{false, "Help", "5kHz"};
    ToggleModel Toggle10{false, "Exit", "Exit"};

    // Channel memories
    ButtonModel Command2;  // "Ch-1"
    ButtonModel Command3;  // "Ch-2"
    ButtonModel Command4;  // "Ch-3"
    ToggleModel Toggle4{false, "Read", "Write", colour::LightGreen, colour::LightOrange};

    // Audio
    ToggleModel Toggle1{false, "Spectrum", "Spectrum", colour::Grey, colour::Grey};
    ToggleModel Toggle2{false, "Mute", "Mute"};
    SliderModel HSlider3{0, 1000};     // squelch
    SliderModel HSlider4{0, 7};        // volume
    LabelModel Label4{colour::Teal};   // "Squelch"
    LabelModel Label6{colour::Teal};   // "Audio"
    LabelModel Label7{colour::Olive};  // "0"
    LabelModel Label8{colour::Olive};  // "max"

    // Meters
    DialModel Gauge1;
    BarModel ind1;

    // Power, scan, About
    ToggleModel Toggle7{false, "Off", "On"};  // power switch, drawn as pictures
    Rgb Frame4Caption = colour::Teal;         // "Power"
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
