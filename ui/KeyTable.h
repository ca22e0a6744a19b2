#pragma once

#include <array>
#include <string_view>

class QWidget;

namespace orvex {

// A key that works the panel's control `control` (its object name) as a click on it would.
struct ControlKey {
    std::string_view keys;  // as QKeySequence reads it
    std::string_view control;
    std::string_view action;  // what it does, in words, for the help window
};

// The panel's keys. Ctrl+Shift+M and Ctrl+Shift+T are kept free; commands that are no control
// (help, zoom) come with ReceiverForm::addCommand.
inline constexpr std::array<ControlKey, 10> ControlKeys{{
    {"Ctrl+P", "Toggle7", "Power on or off"},
    {"Ctrl+M", "Toggle2", "Mute (until the next measurement)"},
    {"Ctrl+S", "Toggle5", "Scan on or off"},
    {"Ctrl+R", "Toggle4", "Read / Write: whether a channel button recalls or stores"},
    {"Ctrl+1", "Command2", "Channel 1: recall, or store while Write is lit"},
    {"Ctrl+2", "Command3", "Channel 2: recall, or store while Write is lit"},
    {"Ctrl+3", "Command4", "Channel 3: recall, or store while Write is lit"},
    {"Ctrl+T", "Toggle8", "Step 10 kHz / 100 kHz"},
    {"Ctrl+F", "Toggle9", "Step 5 kHz (the switch captioned Help)"},
    {"Ctrl+Q", "Toggle10", "Exit at once, nothing switched off or saved"},
}};

// Where Tab goes, left to right and top to bottom: the display and the column beside it, then
// the lower row. The Spectrum switch and the two small buttons do nothing and are left out.
inline constexpr std::array<std::string_view, 18> TabOrder{{
    "LedDisplay1",
    "Wheel1",
    "Command2",
    "Command3",
    "Command4",
    "Toggle4",
    "Toggle2",
    "Toggle7",
    "Knob1",
    "Command10",
    "Command8",
    "Toggle8",
    "Toggle9",
    "Toggle10",
    "Toggle3",
    "Toggle5",
    "HSlider3",
    "HSlider4",
}};
inline constexpr std::array<std::string_view, 3> Unreachable{
    {"Toggle1", "SSCommand3", "SSCommand4"}};

// Gives `window` a shortcut for every entry of ControlKeys: it clicks the control through the
// widget, so it does nothing while the control is disabled.
void bindControlKeys(QWidget& window);
// Sets the Tab order and takes the controls that do nothing out of it.
void orderTabs(QWidget& window);

}  // namespace orvex
