#include "app/BandCommands.h"

#include <QFileDialog>

#include "app/Program.h"
#include "ui/BoardBadge.h"
#include "ui/MessageLine.h"
#include "ui/ReceiverForm.h"

namespace orvex {
namespace {

constexpr const char* LogSegment = "levellog";
// The file's saves happen while the operator works: never wait long for another copy's lock.
constexpr std::chrono::milliseconds ChoicesLockWait{200};

std::filesystem::path choicesPath(const Program& program) {
    return program.settingsPath().parent_path() / SurveyChoices::FileName;
}

}  // namespace

BandCommands::BandCommands(ReceiverForm& form, Program& program)
    : QObject(&form),
      form_(form),
      program_(program),
      survey_(program.actions(), clock_),
      choicesFile_(choicesPath(program), *this, ChoicesLockWait),
      choices_(choicesFile_, choicesFile_.path().string(), *this),
      chooseLogFile_([&form] {
          return QFileDialog::getSaveFileName(&form, "Log the signal level", "orvex-levels.csv",
                                              "CSV (*.csv)");
      }) {
    form_.addCommand(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B), "Band survey",
                     "sweep the band channel by channel: level against frequency, its peak and "
                     "average, a waterfall of the sweeps; click a channel to tune there",
                     [this] { showSurvey(); });
    form_.addCommand(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L), "Signal history",
                     "the signal level over the last minutes with its peak; in its window the "
                     "same keys start and end the level log",
                     [this] { showSignalHistory(); });
    form_.addCommand({}, "Level log",
                     "log every measurement into a CSV file (time, frequency, level, dB over S9, "
                     "supply, squelch), or end the log that runs",
                     [this] { toggleLevelLog(); });
    connect(&program_.host(), &ReceiverHost::measured, this,
            [this](double level) { measured(level); });
    connect(&program_, &Program::levelLogChanged, this, &BandCommands::showLog);
    showLog();
}

void BandCommands::post(std::string message) {
    form_.statusLine()->post(QString::fromStdString(message), MessageLine::Kind::Notice);
}

template <typename Window>
void BandCommands::present(Window* window) {
    window->setZoom(form_.zoom());
    window->show();
    window->raise();
    window->activateWindow();
}

void BandCommands::showSurvey() {
    if (surveyWindow_ == nullptr) {
        surveyWindow_ = new SurveyWindow(program_.actions(), survey_, choices_,
                                         program_.settingsPath(), &form_);
        connect(&form_, &ReceiverForm::zoomChanged, surveyWindow_, &SurveyWindow::setZoom);
    }
    present(surveyWindow_.data());
}

void BandCommands::showSignalHistory() {
    if (historyWindow_ == nullptr) {
        historyWindow_ = new SignalHistoryWindow(history_, &form_);
        connect(&form_, &ReceiverForm::zoomChanged, historyWindow_, &SignalHistoryWindow::setZoom);
        connect(historyWindow_, &SignalHistoryWindow::logToggled, this,
                &BandCommands::toggleLevelLog);
        connect(historyWindow_, &SignalHistoryWindow::peakReleased, this, [this] {
            history_.releasePeak();
            historyWindow_->refresh(historyClock_.now());
        });
        showLog();
    }
    historyWindow_->refresh(historyClock_.now());
    present(historyWindow_.data());
}

void BandCommands::measured(double level) {
    history_.add(historyClock_.now(), level);
    if (historyWindow_ != nullptr && historyWindow_->isVisible()) {
        historyWindow_->refresh(historyClock_.now());
    }
}

void BandCommands::toggleLevelLog() {
    if (const LevelLog* log = program_.levelLog()) {
        const QString path = QString::fromStdString(log->path());
        program_.stopLevelLog();
        form_.statusLine()->post("The level log " + path + " is complete",
                                 MessageLine::Kind::Confirmation);
        return;
    }
    const QString path = chooseLogFile_();
    if (!path.isEmpty() && program_.startLevelLog(QFile::encodeName(path).toStdString())) {
        form_.statusLine()->post("Logging every measurement into " + path,
                                 MessageLine::Kind::Confirmation);
    }
}

void BandCommands::showLog() {
    const LevelLog* log = program_.levelLog();
    const QString path =
        log != nullptr ? QFile::decodeName(QByteArray::fromStdString(log->path())) : QString();
    form_.boardBadge()->setSegment(LogSegment, path.isEmpty() ? QString() : "Level log " + path);
    if (historyWindow_ != nullptr) {
        historyWindow_->showLog(path);
    }
}

}  // namespace orvex
