#pragma once

#include <optional>

#include "controls/PanelModel.h"

namespace orvex {

// The lit and the dark panel: one table, applied two ways. Where a field is empty, that look
// leaves the control as it is.
struct PanelLook {
    bool enabled;  // knob, "<" and ">", channel buttons, sliders
    Rgb knobFace;
    Rgb knobMarker;
    Rgb display;  // display background and unlit segments, the panel behind it, "MHz" background
    std::optional<Rgb> segments;  // the display's lit segments
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
    Rgb captionText;                 // "Squelch", "Audio", the "Power" frame
    Rgb scaleText;                   // "0", "max"
    std::optional<bool> fineStepOn;  // Toggle9
    std::optional<Rgb> fineStepOnLamp;
    bool spectrumAndMuteOff;  // Toggle1, Toggle2
    Rgb memoryReadLamp;       // Toggle4 off lamp
    Rgb stepLamps;            // Toggle8, both
    Rgb exitOnLamp;           // Toggle10
};

constexpr PanelLook PoweredOnLook{
    .enabled = true,
    .knobFace = palette::KnobFace,
    .knobMarker = palette::KnobMarker,
    .display = palette::LitFace,
    .segments = std::nullopt,
    .mhzText = std::nullopt,
    .gaugeBackground = palette::LitFace,
    .gaugeBar = palette::FrequencyBar,
    .gaugeScale = palette::FrequencyMarks,
    .gaugePointer = palette::FrequencyPointer,
    .dialFace = palette::LitFace,
    .dialScale = palette::MeterScale,
    .dialMajorStep = 2.5,
    .dialMinorStep = 0.5,
    .dialLabels = true,
    .signalNeedle = 0.0,
    .captionText = palette::CaptionText,
    .scaleText = palette::MeterScale,
    .fineStepOn = false,
    .fineStepOnLamp = std::nullopt,
    .spectrumAndMuteOff = false,
    .memoryReadLamp = palette::LampOn,
    .stepLamps = palette::LampOn,
    .exitOnLamp = palette::LampOn,
};

constexpr PanelLook PoweredOffLook{
    .enabled = false,
    .knobFace = palette::DarkKnob,
    .knobMarker = palette::KnobMarker,
    .display = palette::DarkFace,
    .segments = std::nullopt,
    .mhzText = palette::DarkFace,
    .gaugeBackground = palette::DarkFace,
    .gaugeBar = palette::DarkFace,
    .gaugeScale = palette::DarkFace,
    .gaugePointer = palette::DarkFace,
    .dialFace = palette::DarkFace,
    .dialScale = palette::DarkFace,
    .dialMajorStep = 0.0,
    .dialMinorStep = 0.0,
    .dialLabels = false,
    .signalNeedle = std::nullopt,
    .captionText = palette::DimmedText,
    .scaleText = palette::DimmedText,
    .fineStepOn = std::nullopt,
    .fineStepOnLamp = palette::LampOff,
    .spectrumAndMuteOff = false,
    .memoryReadLamp = palette::LampOff,
    .stepLamps = palette::LampOff,
    .exitOnLamp = palette::LampOff,
};

// Start-up darkens the panel as power-off does, and besides: rests both needles, darkens the lit
// segments too, switches "Help", "Spectrum" and "Mute" off, and leaves the 5 kHz lamp as built.
// (A const, not a constexpr: clang cannot copy a disengaged optional in a constant expression.)
inline const PanelLook StartUpLook = [] {
    PanelLook look = PoweredOffLook;
    look.signalNeedle = 0.0;
    look.segments = palette::DarkFace;
    look.fineStepOn = false;
    look.fineStepOnLamp = std::nullopt;
    look.spectrumAndMuteOff = true;
    return look;
}();

void applyLook(PanelModel& panel, const PanelLook& look);

}  // namespace orvex
