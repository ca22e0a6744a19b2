#pragma once

#include <QString>
#include <QWidget>
#include <optional>

#include "controls/LevelHistory.h"
#include "ui/WindowZoom.h"
#include "ui/widgets/StripChart.h"

class QLabel;
class QPushButton;

namespace orvex {

// The signal level over the last minutes as a strip chart with its peak held, the level now as
// the S-meter reads it, and the level log's switch: start a log into a file, or end it.
class SignalHistoryWindow : public QWidget {
    Q_OBJECT

public:
    SignalHistoryWindow(const LevelHistory& history, QWidget* owner);

    StripChart* chart() const { return chart_; }
    // Draws the history as it is now; `now` on the history's clock.
    void refresh(std::chrono::microseconds now);
    // What the level log does: its file while one runs, else nothing.
    void showLog(const QString& path);
    QString readout() const;

    void setZoom(double zoom);

signals:
    // The operator asks for a level log, or for the end of the one that runs.
    void logToggled();
    void peakReleased();

private:
    const LevelHistory& history_;
    StripChart* chart_ = nullptr;
    QLabel* readout_ = nullptr;
    QLabel* log_ = nullptr;
    QPushButton* logButton_ = nullptr;
    std::optional<WindowZoom> zoom_;
};

}  // namespace orvex
