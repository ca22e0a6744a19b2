#include "ui/SignalHistoryWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "controls/SignalScale.h"
#include "ui/SMeterScale.h"

namespace orvex {

SignalHistoryWindow::SignalHistoryWindow(const LevelHistory& history, QWidget* owner)
    : QWidget(owner, Qt::Window), history_(history) {
    setObjectName("SignalHistoryWindow");
    setWindowTitle("Signal history");
    auto* layout = new QVBoxLayout(this);
    chart_ = new StripChart(this);
    chart_->setObjectName("signalChart");
    chart_->setAccessibleName("Signal level over the last minutes");
    chart_->setSpanSeconds(std::chrono::duration<double>(LevelHistory::Span).count());
    chart_->setRange(LowestDbOverS9, HighestDbOverS9);
    chart_->setTicks(sMeterTicks());
    layout->addWidget(chart_, 1);

    auto* row = new QHBoxLayout;
    readout_ = new QLabel(this);
    readout_->setObjectName("signalReadout");
    row->addWidget(readout_, 1);
    auto* release = new QPushButton("Release &peak", this);
    connect(release, &QPushButton::clicked, this, &SignalHistoryWindow::peakReleased);
    row->addWidget(release);
    layout->addLayout(row);

    auto* logRow = new QHBoxLayout;
    log_ = new QLabel(this);
    log_->setObjectName("levelLogState");
    log_->setWordWrap(true);
    logRow->addWidget(log_, 1);
    logButton_ = new QPushButton(this);
    logButton_->setObjectName("levelLogButton");
    connect(logButton_, &QPushButton::clicked, this, &SignalHistoryWindow::logToggled);
    // The key that opens this window starts and ends the log in it.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L), this),
            &QShortcut::activated, this, &SignalHistoryWindow::logToggled);
    logRow->addWidget(logButton_);
    layout->addLayout(logRow);
    showLog({});
    zoom_.emplace(*this);
}

void SignalHistoryWindow::refresh(std::chrono::microseconds now) {
    std::vector<QPointF> points;
    points.reserve(history_.points().size());
    for (const LevelHistory::Point& point : history_.points()) {
        points.emplace_back(std::chrono::duration<double>(now - point.at).count(),
                            dbOverS9Exact(point.level));
    }
    chart_->setPoints(std::move(points));
    const std::optional<double> peak = history_.peak();
    chart_->setPeak(peak ? std::optional(dbOverS9Exact(*peak)) : std::nullopt);
    QString text = "No measurement yet: switch the receiver on";
    if (!history_.points().empty()) {
        text = "Now " + sMeterReading(history_.points().back().level);
        if (peak) {
            text += ", peak " + sMeterReading(*peak);
        }
    }
    readout_->setText(text);
    chart_->setValueText(text);
}

void SignalHistoryWindow::showLog(const QString& path) {
    log_->setText(path.isEmpty() ? "No level log" : "Logging every measurement into " + path);
    logButton_->setText(path.isEmpty() ? "Start a level &log…" : "Stop the level &log");
}

QString SignalHistoryWindow::readout() const {
    return readout_->text();
}

void SignalHistoryWindow::setZoom(double zoom) {
    chart_->setZoom(zoom);
    zoom_->apply(*this, zoom);
}

}  // namespace orvex
