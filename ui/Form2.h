#pragma once

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "controls/ReceiverHost.h"

namespace orvex {

// The About window, which also chooses the printer port. Modeless and without an owner; it exists
// while the panel model says it is open. Closing it any way but "OK" ends the program.
class Form2 : public QWidget {
    Q_OBJECT

public:
    explicit Form2(ReceiverHost& host);

    void render(const PanelModel& panel, const QString& boardLine);
    // Closes the window because the model says so, without running its closing handler.
    void closeFromModel();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* label(const char* name, const QString& text, QRect geometry);

    ReceiverHost& host_;
    QRadioButton* lpt1_ = nullptr;
    QRadioButton* lpt2_ = nullptr;
    QLabel* board_ = nullptr;
    bool closingFromModel_ = false;
};

}  // namespace orvex
