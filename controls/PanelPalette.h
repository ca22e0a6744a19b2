#pragma once

#include <cstdint>

namespace orvex {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

// The panel's paint. Every colour the panel model, its looks and the two windows use is named
// here once; code outside this file names colours by their role in `palette`.
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
constexpr Rgb Green{0, 160, 0};
constexpr Rgb LightGreen{128, 255, 128};
constexpr Rgb LightOrange{255, 192, 128};
constexpr Rgb Yellow{255, 255, 0};
constexpr Rgb White{255, 255, 255};
constexpr Rgb BrickRed{192, 57, 43};
}  // namespace colour

namespace palette {
// The panel's grey: both windows, their frames, the labels' background.
constexpr Rgb Panel = colour::PanelGrey;

// The display, the frequency scale, the dial and the panel behind the display: lit while the
// receiver is on; dark while it is off, with everything drawn on them.
constexpr Rgb LitFace = colour::Cyan;
constexpr Rgb DarkFace = colour::Black;
constexpr Rgb Segments = colour::Black;  // the display's lit digits

// Text on the panel
constexpr Rgb Text = colour::Black;
constexpr Rgb CaptionText = colour::Teal;   // "Squelch", "Audio", "Power", the About title
constexpr Rgb UnitText = colour::DarkGrey;  // "MHz" on the lit display
constexpr Rgb DimmedText = colour::Grey;    // captions while the receiver is off

// The dial's scale and the volume scale's "0" and "max"
constexpr Rgb MeterScale = colour::Olive;

// The frequency scale's bar, marks and pointer
constexpr Rgb FrequencyBar = colour::PaleYellow;
constexpr Rgb FrequencyMarks = colour::Teal;
constexpr Rgb FrequencyPointer = colour::DarkRed;

// The tuning knob: lit, dark, and its marker either way
constexpr Rgb KnobFace = colour::Red;
constexpr Rgb DarkKnob = colour::Grey;
constexpr Rgb KnobMarker = colour::Grey;

// The switches' lamps; every lamp shows LampOff while the receiver is off
constexpr Rgb LampOff = colour::Grey;
constexpr Rgb LampOn = colour::LightGreen;
constexpr Rgb LampWrite = colour::LightOrange;  // Read / Write set to write

// The signal bar under the dial
constexpr Rgb SignalBar = colour::Green;
constexpr Rgb SignalBarFace = colour::Black;

// The name plates: "ORVEX FM RECEIVER", "Orvex Radio", and the About window's "ORVEX"
constexpr Rgb NameplateFace = colour::DarkGrey;
constexpr Rgb NameplateText = colour::Yellow;
constexpr Rgb LogoFace = colour::Black;
constexpr Rgb LogoText = colour::White;
constexpr Rgb AboutLogoText = colour::Red;

// The board monitor's verdict when the board's words and the display disagree
constexpr Rgb Disagreement = colour::BrickRed;
}  // namespace palette

}  // namespace orvex
