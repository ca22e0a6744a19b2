#pragma once

#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <memory>

#include "controls/ReceiverHost.h"
#include "ui/PanelZoom.h"

namespace orvex {

// The About window, which also chooses the printer port. Modeless, a window of the main window's
// (no taskbar entry of its own); it exists while the panel model says it is open. Closing it any
// way but "OK" ends the program, so Enter presses OK and Escape does nothing. Every control keeps
// its place in the twips layout at every zoom: the texts are short enough to fit their boxes, and
// the board's reason and fix are told by the panel's badge and the help instead.
class Form2 : public QWidget {
    Q_OBJECT

public:
    // `boardName` names the board in use in a word or two.
    Form2(ReceiverHost& host, const QString& boardName, QWidget* owner = nullptr);

    void render(const PanelModel& panel);
    // Lays the window out at the panel's zoom.
    void setZoom(double zoom);
    // Closes the window because the model says so, without running its closing handler.
    void closeFromModel();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildLogo();
    void buildLabels(const QString& boardName);
    void buildPortChoice();

    ReceiverHost& host_;
    QRadioButton* lpt1_ = nullptr;
    QRadioButton* lpt2_ = nullptr;
    QPushButton* ok_ = nullptr;
    std::unique_ptr<PanelZoom> zoom_;
    bool closingFromModel_ = false;
};

}  // namespace orvex
