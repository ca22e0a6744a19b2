#pragma once

#include <QLabel>
#include <QPushButton>

#include "ui/BoardBadge.h"
#include "ui/MessageLine.h"
#include "ui/widgets/BarIndicator.h"
#include "ui/widgets/Dial.h"
#include "ui/widgets/GroupFrame.h"
#include "ui/widgets/Knob.h"
#include "ui/widgets/LinearGauge.h"
#include "ui/widgets/Panel3D.h"
#include "ui/widgets/SevenSegmentDisplay.h"
#include "ui/widgets/Slider.h"
#include "ui/widgets/ThumbWheel.h"
#include "ui/widgets/ToggleSwitch.h"

namespace orvex {

// The panel's widgets, built by ReceiverForm at their places in the layout and owned by it. The
// window's other parts (the operator's input, the feedback) reach the controls through this.
struct PanelWidgets {
    Panel3D* displayPanel = nullptr;  // SSPanel1
    SevenSegmentDisplay* display = nullptr;
    LinearGauge* scale = nullptr;
    QLabel* mhz = nullptr;
    ThumbWheel* wheel = nullptr;
    QPushButton* channel1 = nullptr;
    QPushButton* channel2 = nullptr;
    QPushButton* channel3 = nullptr;
    ToggleSwitch* readWrite = nullptr;
    ToggleSwitch* spectrum = nullptr;
    ToggleSwitch* mute = nullptr;
    Dial* dial = nullptr;
    BarIndicator* bar = nullptr;
    GroupFrame* powerFrame = nullptr;
    ToggleSwitch* power = nullptr;
    Knob* knob = nullptr;
    QPushButton* down = nullptr;
    QPushButton* up = nullptr;
    ToggleSwitch* step = nullptr;
    ToggleSwitch* fineStep = nullptr;
    ToggleSwitch* exit = nullptr;
    ToggleSwitch* about = nullptr;
    ToggleSwitch* scan = nullptr;
    Slider* squelch = nullptr;
    Slider* volume = nullptr;
    QLabel* squelchLabel = nullptr;
    QLabel* zeroLabel = nullptr;
    QLabel* maxLabel = nullptr;
    QLabel* audioLabel = nullptr;
    MessageLine* status = nullptr;
    BoardBadge* badge = nullptr;
};

}  // namespace orvex
