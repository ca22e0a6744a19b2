#pragma once

#include <QColor>
#include <QRect>

#include "controls/PanelPalette.h"

namespace orvex {

// The panel is laid out in twips, 15 to a pixel at 96 DPI; Qt scales the pixels on high-DPI
// screens.
constexpr int TwipsPerPixel = 15;

constexpr QRect twips(int left, int top, int width, int height) {
    return {left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
            height / TwipsPerPixel};
}

inline QColor toQColor(Rgb colour) {
    return {colour.r, colour.g, colour.b};
}

}  // namespace orvex
