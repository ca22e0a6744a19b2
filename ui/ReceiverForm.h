#pragma once

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QStringList>
#include <QWidget>

#include "controls/ReceiverHost.h"
#include "ui/Form2.h"
#include "ui/widgets/BarIndicator.h"
#include "ui/widgets/Dial.h"
#include "ui/widgets/GroupFrame.h"
#include "ui/widgets/Knob.h"
#include "ui/widgets/LinearGauge.h"
#include "ui/widgets/Panel3D.h"
#include "ui/widgets/SevenSegmentDisplay.h"
#include "ui/widgets/ThumbWheel.h"
#include "ui/widgets/ToggleSwitch.h"

namespace orvex {

// The front panel. It draws the panel model after every handler, with the widgets' signals
// blocked, and turns what the operator does into handler calls. Messages for the operator appear
// in the status line under the panel.
class ReceiverForm : public QWidget {
    Q_OBJECT

public:
    // `boardNote` says why the board is not the one asked for (no parallel port found); the title
    // and the About window show it with the board's name.
    ReceiverForm(ReceiverHost& host, const QString& boardName, const QString& boardNote = {},
                 QWidget* parent = nullptr);

    QLabel* statusLine() const { return status_; }
    Form2* aboutWindow() const { return form2_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildPanel();
    void buildDisplay(QWidget* parent);
    void buildChannelColumn(QWidget* parent);
    void buildMeters(QWidget* parent);
    void buildPower(QWidget* parent);
    void buildTuning(QWidget* parent);
    void buildControlPanel(QWidget* parent);
    void buildAudio(QWidget* parent);
    void connectOperator();

    template <typename Widget>
    Widget* place(QWidget* parent, const char* name, QRect geometry);
    ToggleSwitch* toggle(QWidget* parent, const char* name, QRect geometry);
    QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect geometry);
    QLabel* label(QWidget* parent, const char* name, const QString& caption, QRect geometry);

    template <typename Handler>
    void run(Handler&& handler) {
        host_.run(std::forward<Handler>(handler));
    }
    void render();
    void renderToggles(const PanelModel& panel);
    void renderMeters(const PanelModel& panel);
    void renderAbout(const PanelModel& panel);
    void showMessage(const QString& text);
    QString withNote(const QString& board) const;

    ReceiverHost& host_;
    QString boardNote_;

    Panel3D* displayPanel_ = nullptr;  // SSPanel1
    SevenSegmentDisplay* display_ = nullptr;
    LinearGauge* scale_ = nullptr;
    QLabel* mhz_ = nullptr;
    ThumbWheel* wheel_ = nullptr;
    QPushButton* channel1_ = nullptr;
    QPushButton* channel2_ = nullptr;
    QPushButton* channel3_ = nullptr;
    ToggleSwitch* readWrite_ = nullptr;
    ToggleSwitch* spectrum_ = nullptr;
    ToggleSwitch* mute_ = nullptr;
    Dial* dial_ = nullptr;
    BarIndicator* bar_ = nullptr;
    GroupFrame* powerFrame_ = nullptr;
    ToggleSwitch* power_ = nullptr;
    Knob* knob_ = nullptr;
    QPushButton* down_ = nullptr;
    QPushButton* up_ = nullptr;
    ToggleSwitch* step_ = nullptr;
    ToggleSwitch* fineStep_ = nullptr;
    ToggleSwitch* exit_ = nullptr;
    ToggleSwitch* about_ = nullptr;
    ToggleSwitch* scan_ = nullptr;
    QSlider* squelch_ = nullptr;
    QSlider* volume_ = nullptr;
    QLabel* squelchLabel_ = nullptr;
    QLabel* zeroLabel_ = nullptr;
    QLabel* maxLabel_ = nullptr;
    QLabel* audioLabel_ = nullptr;
    QLabel* status_ = nullptr;
    QStringList messages_;  // the latest few, oldest first
    QPointer<Form2> form2_;
};

}  // namespace orvex
