#pragma once

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QList>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "controls/ReceiverHost.h"
#include "ui/BoardBadge.h"
#include "ui/Form2.h"
#include "ui/HelpWindow.h"
#include "ui/MessageLine.h"
#include "ui/PanelFeedback.h"
#include "ui/PanelZoom.h"
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

// The front panel. It draws the panel model after every handler, with the widgets' signals
// blocked, and turns what the operator does into handler calls. Messages for the operator appear
// in the status line under the panel, the board in use in the badge beside it.
//
// The operator may zoom the panel (keys, context menu, or resizing the window, whose shape stays
// the panel's): everything is laid out afresh from the twips layout. The program itself never
// resizes the window or moves a control.
class ReceiverForm : public QWidget {
    Q_OBJECT

public:
    // `boardNote` says why the board is not the one asked for (no parallel port found); the badge,
    // the About window and the help show it with the board's name, the title names the board.
    ReceiverForm(ReceiverHost& host, const QString& boardName, const QString& boardNote = {},
                 QWidget* parent = nullptr);

    MessageLine* statusLine() const { return status_; }
    BoardBadge* boardBadge() const { return badge_; }
    Form2* aboutWindow() const { return form2_; }
    HelpWindow* helpWindow() const { return help_; }

    // A command of the panel's: its key, an entry in the context menu, a line in the help.
    QAction* addCommand(const QKeySequence& keys, const QString& name, const QString& description,
                        std::function<void()> run);
    QMenu* contextMenu() const { return menu_; }
    void showHelp();

    double zoom() const { return zoom_->zoom(); }
    // The operator's zoom: lays the panel out at `zoom` (1 to 3) and sizes the window to it.
    void setZoom(double zoom);

signals:
    void zoomChanged(double zoom);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void buildPanel();
    void buildDisplay(QWidget* parent);
    void buildChannelColumn(QWidget* parent);
    void buildMeters(QWidget* parent);
    void buildPower(QWidget* parent);
    void buildTuning(QWidget* parent);
    void buildControlPanel(QWidget* parent);
    void buildAudio(QWidget* parent);
    void buildStatusStrip();
    void buildCommands();
    void connectOperator();
    void connectFeedback();
    void pressChannel(int channel, void (Receiver::*handler)());
    void enterFrequency(const QString& typed);
    void tuneByDigit(int place, int notches);
    void layOut(double zoom);

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
    void renderBoard();
    QString withNote(const QString& board) const;

    ReceiverHost& host_;
    QString boardName_;
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
    Slider* squelch_ = nullptr;
    Slider* volume_ = nullptr;
    QLabel* squelchLabel_ = nullptr;
    QLabel* zeroLabel_ = nullptr;
    QLabel* maxLabel_ = nullptr;
    QLabel* audioLabel_ = nullptr;
    MessageLine* status_ = nullptr;
    BoardBadge* badge_ = nullptr;
    PanelFeedback* feedback_ = nullptr;
    std::unique_ptr<PanelZoom> zoom_;
    QMenu* menu_ = nullptr;
    QList<CommandKey> commands_;
    QPointer<HelpWindow> help_;
    QPointer<Form2> form2_;
};

}  // namespace orvex
