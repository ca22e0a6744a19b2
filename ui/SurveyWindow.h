#pragma once

#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <optional>

#include "controls/Survey.h"
#include "controls/SurveyChoices.h"
#include "controls/SweepHistory.h"
#include "ui/WindowZoom.h"
#include "ui/widgets/BandView.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace orvex {

class ReceiverActions;

// The band survey's window: the range, step and dwell with start and stop; level against
// frequency for the latest sweep with the peak held and the average, the waterfall of the sweeps
// below it; a cursor that reads frequency and level as the S-meter does; marks at the three
// channel memories; a click that tunes there once the survey has stopped; the sweeps exported as
// rtl_power's CSV and the picture as PNG. It follows the panel's zoom.
class SurveyWindow : public QWidget {
    Q_OBJECT

public:
    // Asks the operator for a file to write: title, suggested name, filter; empty when cancelled.
    using FileChooser = std::function<QString(const QString&, const QString&, const QString&)>;

    // `settingsPath` is never written by an export.
    SurveyWindow(ReceiverActions& actions, Survey& survey, SurveyChoices& choices,
                 std::filesystem::path settingsPath, QWidget* owner);

    BandView* view() const { return view_; }
    const SweepHistory& history() const { return history_; }
    // What the window says of the survey now.
    QString statusText() const;

    // The plan its controls show; starting it saves it as the window's choices.
    SurveyPlan plan() const;
    void startOrStop();
    // The kept sweeps as rtl_power's CSV, the window as a PNG picture.
    void exportSweeps(const QString& path);
    void exportPicture(const QString& path);
    void setFileChooser(FileChooser choose) { chooseFile_ = std::move(choose); }

    void setZoom(double zoom);

private:
    void buildControls();
    void showPlan(const SurveyPlan& plan);
    void showRunning(bool running);
    void channelRead(int index);
    void sweepDone(const Sweep& sweep);
    void showTraces();
    void showMarks();
    void showCursor(int channel);
    void tuneTo(int channel);
    void tell(const QString& text);
    void save(const QString& path, const QByteArray& bytes, const QString& what);

    ReceiverActions& actions_;
    Survey& survey_;
    SurveyChoices& choices_;
    std::filesystem::path settingsPath_;
    SweepHistory history_;
    FileChooser chooseFile_;
    std::optional<WindowZoom> zoom_;

    QDoubleSpinBox* low_ = nullptr;
    QDoubleSpinBox* high_ = nullptr;
    QComboBox* step_ = nullptr;
    QSpinBox* dwell_ = nullptr;
    QPushButton* start_ = nullptr;
    BandView* view_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace orvex
