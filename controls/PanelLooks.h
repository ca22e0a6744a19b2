#pragma once

#include <optional>

#include "core/PanelModel.h"

namespace orvex {

// The lit and the dark panel: one table, applied two ways. Where a field is empty, that look
// leaves the control as it is.
struct PanelLook {
    bool enabled;  // knob, "<" and ">", channel buttons, sliders
    Rgb knobFace;
    Rgb knobMarker;
    Rgb display;  // display background and unlit segments, the panel behind it, "MHz" background
    std::optional<Rgb> mhzText;
    Rgb gaugeBackground;
    Rgb gaugeBar;
    Rgb gaugeScale;
    Rgb gaugePointer;
    Rgb dialFace;
    Rgb dialScale;
    double dialMajorStep;
    double dialMinorStep;
    bool dialLabels;
    std::optional<double> signalNeedle;
    Rgb tealText;                    // "Squelch", "Audio", the "Power" frame
    Rgb oliveText;                   // "0", "max"
    std::optional<bool> fineStepOn;  // Toggle9
    std::optional<Rgb> fineStepOnLamp;
    Rgb memoryReadLamp;  // Toggle4 off lamp
    Rgb stepLamps;       // Toggle8, both
    Rgb exitOnLamp;      // Toggle10
};

constexpr PanelLook PoweredOnLook{
    .enabled = true,
    .knobFace = colour::Red,
    .knobMarker = colour::Grey,
    .display = colour::Cyan,
    .mhzText = std::nullopt,
    .gaugeBackground = colour::Cyan,
    .gaugeBar = colour::PaleYellow,
    .gaugeScale = colour::Teal,
    .gaugePointer = colour::DarkRed,
    .dialFace = colour::Cyan,
    .dialScale = colour::Olive,
    .dialMajorStep = 2.5,
    .dialMinorStep = 0.5,
    .dialLabels = true,
    .signalNeedle = 0.0,
    .tealText = colour::Teal,
    .oliveText = colour::Olive,
    .fineStepOn = false,
    .fineStepOnLamp = std::nullopt,
    .memoryReadLamp = colour::LightGreen,
    .stepLamps = colour::LightGreen,
    .exitOnLamp = colour::LightGreen,
};

constexpr PanelLook PoweredOffLook{
    .enabled = false,
    .knobFace = colour::Grey,
    .knobMarker = colour::Grey,
    .display = colour::Black,
    .mhzText = colour::Black,
    .gaugeBackground = colour::Black,
    .gaugeBar = colour::Black,
    .gaugeScale = colour::Black,
    .gaugePointer = colour::Black,
    .dialFace = colour::Black,
    .dialScale = colour::Black,
    .dialMajorStep = 0.0,
    .dialMinorStep = 0.0,
    .dialLabels = false,
    .signalNeedle = std::nullopt,
    .tealText = colour::Grey,
    .oliveText = colour::Grey,
    .fineStepOn = std::nullopt,
    .fineStepOnLamp = colour::Grey,
    .memoryReadLamp = colour::Grey,
    .stepLamps = colour::Grey,
    .exitOnLamp = colour::Grey,
};

void applyLook(PanelModel& panel, const PanelLook& look);

}  // namespace orvex
