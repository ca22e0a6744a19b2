#pragma once

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "controls/ReceiverHost.h"
#include "ui/Form2.h"
#include "ui/OperatorInput.h"
#include "ui/PanelCommands.h"
#include "ui/PanelDrawing.h"
#include "ui/PanelFeedback.h"
#include "ui/PanelWidgets.h"
#include "ui/ZoomControl.h"

namespace orvex {

// The front panel. It builds every control at its place in the twips layout and draws the panel
// model after every handler (PanelDrawing). Its other parts: OperatorInput
// turns what the operator does into handler calls, PanelFeedback tells the operator in the status
// line under the panel (the board in use in the badge beside it), PanelCommands holds the keys,
// the context menu and the help, and ZoomControl the operator's zoom.
class ReceiverForm : public QWidget {
    Q_OBJECT

public:
    // `boardNote` says why the board is not the one asked for (no parallel port found); the badge,
    // the About window and the help show it with the board's name, the title names the board.
    ReceiverForm(ReceiverHost& host, const QString& boardName, const QString& boardNote = {},
                 QWidget* parent = nullptr);

    MessageLine* statusLine() const { return widgets_.status; }
    BoardBadge* boardBadge() const { return widgets_.badge; }
    Form2* aboutWindow() const { return form2_; }
    HelpWindow* helpWindow() const { return commands_->helpWindow(); }

    // A command of the panel's: its key, an entry in the context menu, a line in the help.
    QAction* addCommand(const QKeySequence& keys, const QString& name, const QString& description,
                        std::function<void()> run) {
        return commands_->add(keys, name, description, std::move(run));
    }
    QMenu* contextMenu() const { return commands_->menu(); }
    void showHelp() { commands_->showHelp(); }

    double zoom() const { return zoom_->zoom(); }
    // The operator's zoom: lays the panel out at `zoom` (1 to 3, and no larger than the screen
    // holds) and sizes the window to it.
    void setZoom(double zoom) { zoom_->setZoom(zoom); }

    // Shows `window`, one of the panel's own (help, About, monitor), at the panel's zoom and, when
    // it was not shown, centred on the panel; it follows the panel's zoom from then on.
    template <typename Window>
    void showOwned(Window& window) {
        window.setZoom(zoom());
        connect(this, &ReceiverForm::zoomChanged, &window, &Window::setZoom, Qt::UniqueConnection);
        if (!window.isVisible()) {
            centreOnPanel(window);
        }
        window.show();
        window.raise();
        window.activateWindow();
    }

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

    void render();
    void renderAbout(const PanelModel& panel);
    void renderBoard();
    void centreOnPanel(QWidget& window) const;

    ReceiverHost& host_;
    QString boardName_;
    QString boardNote_;
    PanelWidgets widgets_;
    PanelDrawing drawing_{widgets_};
    std::optional<std::string> drawnBoard_;  // the board's description the badge shows
    ZoomControl* zoom_ = nullptr;
    PanelCommands* commands_ = nullptr;
    PanelFeedback* feedback_ = nullptr;
    OperatorInput* input_ = nullptr;
    QPointer<Form2> form2_;
};

}  // namespace orvex
