#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

#include "controls/LevelHistory.h"
#include "controls/StepClock.h"
#include "controls/Survey.h"
#include "controls/SurveyChoices.h"
#include "core/Clock.h"
#include "settings/IniFileStore.h"
#include "ui/SignalHistoryWindow.h"
#include "ui/SurveyWindow.h"

namespace orvex {

class Program;
class ReceiverForm;

// The panel's commands for seeing the band, each in the context menu, the keys and the help: the
// band survey's window (Ctrl+Shift+B), the signal history with its strip chart (Ctrl+Shift+L),
// and the level log, started and ended from the menu or the history window and shown in the
// board badge while it runs. The survey runs here whether its window is shown or not, and the
// history of the level is kept from the start. Lives as long as the window, whose child it is.
class BandCommands : public QObject, private MessageSink {
    Q_OBJECT

public:
    BandCommands(ReceiverForm& form, Program& program);

    Survey& survey() { return survey_; }
    void showSurvey();
    void showSignalHistory();
    SurveyWindow* surveyWindow() const { return surveyWindow_; }
    SignalHistoryWindow* signalHistoryWindow() const { return historyWindow_; }

    // Ends the level log that runs, or asks for a file (a dialog unless a test gives another
    // chooser) and starts one there.
    void toggleLevelLog();
    void setLogFileChooser(std::function<QString()> choose) { chooseLogFile_ = std::move(choose); }

private:
    void post(std::string message) override;
    void measured(double level);
    void showLog();
    template <typename Window>
    void present(Window* window);

    ReceiverForm& form_;
    Program& program_;
    QtStepClock clock_;
    Survey survey_;
    IniFileStore choicesFile_;
    SurveyChoices choices_;
    SteadyClock historyClock_;
    LevelHistory history_;
    QPointer<SurveyWindow> surveyWindow_;
    QPointer<SignalHistoryWindow> historyWindow_;
    std::function<QString()> chooseLogFile_;
};

}  // namespace orvex
