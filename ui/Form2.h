#pragma once

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <memory>

#include "controls/ReceiverHost.h"
#include "ui/PanelZoom.h"

namespace orvex {

// The About window, which also chooses the printer port. Modeless, a window of the main window's
// (no taskbar entry of its own); it exists while the panel model says it is open. Closing it any
// way but "OK" ends the program, so Enter presses OK and Escape does nothing. Its texts are
// measured: a label grows to its text, and the window with it, at any zoom and in any font.
class Form2 : public QWidget {
    Q_OBJECT

public:
    explicit Form2(ReceiverHost& host, QWidget* owner = nullptr);

    void render(const PanelModel& panel, const QString& boardLine);
    // Lays the window out at the panel's zoom.
    void setZoom(double zoom);
    // Closes the window because the model says so, without running its closing handler.
    void closeFromModel();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* label(const char* name, const QString& text, QRect geometry);
    void fitText();
    void showBoardLine();

    ReceiverHost& host_;
    QRadioButton* lpt1_ = nullptr;
    QRadioButton* lpt2_ = nullptr;
    QPushButton* ok_ = nullptr;
    QLabel* board_ = nullptr;
    QWidget* frame_ = nullptr;
    QString boardLine_;
    std::unique_ptr<PanelZoom> zoom_;
    bool closingFromModel_ = false;
};

}  // namespace orvex
