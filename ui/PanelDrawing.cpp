#include "ui/PanelDrawing.h"

#include <QSignalBlocker>
#include <tuple>
#include <utility>

#include "ui/Geometry.h"
#include "ui/PanelParts.h"

namespace orvex {
namespace {

// Labels are redrawn only when a colour really changes: the panel is drawn after every handler,
// ten times a second while the receiver measures.
void setTextColour(QLabel* label, Rgb text, std::optional<Rgb> background = std::nullopt) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, toQColor(text));
    if (background) {
        palette.setColor(QPalette::Window, toQColor(*background));
    }
    if (palette != label->palette()) {
        label->setAutoFillBackground(background.has_value());
        label->setPalette(palette);
    }
}

// True, remembering `now`, when `now` differs from what was drawn last time: the panel is drawn
// after every handler, ten times a second while the receiver measures, and mostly stays as it was.
template <typename Model>
bool changedSinceDrawn(std::optional<Model>& drawn, const Model& now) {
    if (drawn && *drawn == now) {
        return false;
    }
    drawn = now;
    return true;
}

// The switch's state every time (a click flips the widget before its handler decides); its
// captions, lamps and enabling only when they changed.
void drawToggle(ToggleSwitch* widget, const ToggleModel& model, std::optional<ToggleModel>& drawn) {
    const QSignalBlocker blocker(widget);
    widget->setOn(model.on);
    if (!changedSinceDrawn(drawn, model)) {
        return;
    }
    widget->setOffCaption(QString::fromStdString(model.offCaption));
    widget->setOnCaption(QString::fromStdString(model.onCaption));
    widget->setOffLampColor(toQColor(model.offLamp));
    widget->setOnLampColor(toQColor(model.onLamp));
    widget->setEnabled(model.enabled);
}

// QWidget::setEnabled does its work even when nothing changes.
void setEnabledTo(QWidget* widget, bool enabled) {
    if (widget->testAttribute(Qt::WA_ForceDisabled) == enabled) {
        widget->setEnabled(enabled);
    }
}

}  // namespace

void PanelDrawing::draw(const PanelModel& panel) {
    drawDisplayPanel(panel);
    drawControls(panel);
    drawToggles(panel);
    drawMeters(panel);
}

void PanelDrawing::drawDisplayPanel(const PanelModel& panel) {
    widgets_.displayPanel->setBackgroundColor(toQColor(panel.SSPanel1));
    if (changedSinceDrawn(drawn_.labels[0], panel.Label5)) {
        setTextColour(widgets_.mhz, panel.Label5.text, panel.Label5.background);
    }
    if (changedSinceDrawn(drawn_.display, panel.LedDisplay1)) {
        drawDisplay(panel.LedDisplay1);
    }
    if (changedSinceDrawn(drawn_.scale, panel.LGAUGE1)) {
        drawScale(panel.LGAUGE1);
    }
}

void PanelDrawing::drawDisplay(const LedDisplayModel& model) {
    widgets_.display->setText(QString::fromStdString(model.text));
    widgets_.display->setBackgroundColor(toQColor(model.background));
    widgets_.display->setUnlitColor(toQColor(model.unlit));
    widgets_.display->setSegmentColor(toQColor(model.segment));
}

void PanelDrawing::drawScale(const LinearGaugeModel& model) {
    widgets_.scale->setMinimum(model.minimum);
    widgets_.scale->setMaximum(model.maximum);
    widgets_.scale->setValue(model.value);
    widgets_.scale->setBackgroundColor(toQColor(model.background));
    widgets_.scale->setBarColor(toQColor(model.bar));
    widgets_.scale->setScaleColor(toQColor(model.scale));
    widgets_.scale->setPointerColor(toQColor(model.pointer));
}

void PanelDrawing::drawControls(const PanelModel& panel) {
    {
        const QSignalBlocker blocker(widgets_.knob);
        widgets_.knob->setMaximum(panel.Knob1.maximum);
        widgets_.knob->setPosition(panel.Knob1.position);
        widgets_.knob->setFaceColor(toQColor(panel.Knob1.face));
        widgets_.knob->setMarkerColor(toQColor(panel.Knob1.marker));
        setEnabledTo(widgets_.knob, panel.Knob1.enabled);
    }
    setEnabledTo(widgets_.down, panel.Command10.enabled);
    setEnabledTo(widgets_.up, panel.Command8.enabled);
    setEnabledTo(widgets_.channel1, panel.Command2.enabled);
    setEnabledTo(widgets_.channel2, panel.Command3.enabled);
    setEnabledTo(widgets_.channel3, panel.Command4.enabled);

    for (auto [slider, model] : {std::pair{widgets_.squelch, &panel.HSlider3},
                                 std::pair{widgets_.volume, &panel.HSlider4}}) {
        const QSignalBlocker blocker(slider);
        slider->setRange(0, model->maximum);
        slider->setValue(model->position);
        setEnabledTo(slider, model->enabled);
    }
    for (auto [label, model, drawn] :
         {std::tuple{widgets_.squelchLabel, &panel.Label4, &drawn_.labels[1]},
          std::tuple{widgets_.audioLabel, &panel.Label6, &drawn_.labels[2]},
          std::tuple{widgets_.zeroLabel, &panel.Label7, &drawn_.labels[3]},
          std::tuple{widgets_.maxLabel, &panel.Label8, &drawn_.labels[4]}}) {
        if (changedSinceDrawn(*drawn, *model)) {
            setTextColour(label, model->text);
        }
    }
    widgets_.powerFrame->setCaptionColor(toQColor(panel.Frame4Caption));
}

void PanelDrawing::drawToggles(const PanelModel& panel) {
    const std::array<std::pair<ToggleSwitch*, const ToggleModel*>, DrawnToggles> toggles{{
        {widgets_.power, &panel.Toggle7},
        {widgets_.step, &panel.Toggle8},
        {widgets_.fineStep, &panel.Toggle9},
        {widgets_.exit, &panel.Toggle10},
        {widgets_.readWrite, &panel.Toggle4},
        {widgets_.spectrum, &panel.Toggle1},
        {widgets_.mute, &panel.Toggle2},
        {widgets_.about, &panel.Toggle3},
        {widgets_.scan, &panel.Toggle5},
    }};
    for (std::size_t i = 0; i < toggles.size(); ++i) {
        drawToggle(toggles[i].first, *toggles[i].second, drawn_.toggles[i]);
    }
}

void PanelDrawing::drawMeters(const PanelModel& panel) {
    if (changedSinceDrawn(drawn_.dial, panel.Gauge1)) {
        drawDial(panel.Gauge1);
    }
    widgets_.bar->setMaximum(panel.ind1.maximum);
    widgets_.bar->setValue(panel.ind1.value);
    setEnabledTo(widgets_.bar, panel.ind1.enabled);
}

void PanelDrawing::drawDial(const DialModel& model) {
    widgets_.dial->setMinimum(model.minimum);
    widgets_.dial->setMaximum(model.maximum);
    widgets_.dial->setNeedleValue(0, model.needles[0]);
    widgets_.dial->setNeedleValue(1, model.needles[1]);
    widgets_.dial->setSelectedNeedle(model.selected);
    widgets_.dial->setThreshold(model.threshold);
    widgets_.dial->setFaceColor(toQColor(model.face));
    widgets_.dial->setScaleColor(toQColor(model.scale));
    widgets_.dial->setMajorStep(model.majorStep);
    widgets_.dial->setMinorStep(model.minorStep);
    widgets_.dial->setLabelsVisible(model.labelsVisible);
}

}  // namespace orvex
