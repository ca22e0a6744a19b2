#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "controls/PanelModel.h"
#include "ui/PanelWidgets.h"

namespace orvex {

// Draws the panel model into the panel's widgets, their signals blocked, after every handler: ten
// times a second while the receiver measures, so each part is set again only when its model
// changed since it was last drawn (the switches' states always: a click flips the widget before
// its handler decides).
class PanelDrawing {
public:
    explicit PanelDrawing(const PanelWidgets& widgets) : widgets_(widgets) {}

    void draw(const PanelModel& panel);

private:
    void drawDisplayPanel(const PanelModel& panel);
    void drawControls(const PanelModel& panel);
    void drawToggles(const PanelModel& panel);
    void drawMeters(const PanelModel& panel);
    void drawDisplay(const LedDisplayModel& model);
    void drawScale(const LinearGaugeModel& model);
    void drawDial(const DialModel& model);

    static constexpr std::size_t DrawnToggles = 9;
    // What was drawn last of the parts that only the model changes.
    struct Drawn {
        std::array<std::optional<ToggleModel>, DrawnToggles> toggles;
        std::array<std::optional<LabelModel>, 5> labels;  // Label5, Label4, Label6, Label7, Label8
        std::optional<LedDisplayModel> display;
        std::optional<LinearGaugeModel> scale;
        std::optional<DialModel> dial;
    };

    const PanelWidgets& widgets_;
    Drawn drawn_;
};

}  // namespace orvex
