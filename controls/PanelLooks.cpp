#include "controls/PanelLooks.h"

namespace orvex {

void applyLook(PanelModel& panel, const PanelLook& look) {
    panel.Knob1.enabled = look.enabled;
    panel.Knob1.face = look.knobFace;
    panel.Knob1.marker = look.knobMarker;

    panel.LedDisplay1.background = look.display;
    panel.LedDisplay1.unlit = look.display;
    if (look.segments) {
        panel.LedDisplay1.segment = *look.segments;
    }

    panel.LGAUGE1.background = look.gaugeBackground;
    panel.LGAUGE1.bar = look.gaugeBar;
    panel.LGAUGE1.scale = look.gaugeScale;
    panel.LGAUGE1.pointer = look.gaugePointer;

    DialModel& dial = panel.Gauge1;
    dial.face = look.dialFace;
    dial.scale = look.dialScale;
    dial.majorStep = look.dialMajorStep;
    dial.minorStep = look.dialMinorStep;
    dial.labelsVisible = look.dialLabels;
    if (look.signalNeedle) {
        dial.selected = 0;
        dial.value() = *look.signalNeedle;
    }
    dial.selected = 1;
    dial.value() = 0.0;
    dial.selected = 0;

    panel.Label5.background = look.display;
    if (look.mhzText) {
        panel.Label5.text = *look.mhzText;
    }
    panel.Label4.text = look.captionText;
    panel.Label6.text = look.captionText;
    panel.Label7.text = look.scaleText;
    panel.Label8.text = look.scaleText;

    for (ButtonModel* button :
         {&panel.Command8, &panel.Command10, &panel.Command2, &panel.Command3, &panel.Command4}) {
        button->enabled = look.enabled;
    }
    panel.SSPanel1 = look.display;
    panel.Frame4Caption = look.captionText;
    panel.HSlider3.enabled = look.enabled;
    panel.HSlider4.enabled = look.enabled;

    if (look.fineStepOn) {
        panel.Toggle9.on = *look.fineStepOn;
    }
    if (look.fineStepOnLamp) {
        panel.Toggle9.onLamp = *look.fineStepOnLamp;
    }
    if (look.spectrumAndMuteOff) {
        panel.Toggle1.on = false;
        panel.Toggle2.on = false;
    }
    panel.Toggle4.on = false;
    panel.Toggle4.offLamp = look.memoryReadLamp;
    panel.Toggle8.offLamp = look.stepLamps;
    panel.Toggle8.onLamp = look.stepLamps;
    panel.Toggle10.onLamp = look.exitOnLamp;
}

}  // namespace orvex
