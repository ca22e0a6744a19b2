#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>

#include "hardware/monitor/AccessDecoder.h"
#include "ui/BoardMonitor.h"
#include "ui/ChannelWindow.h"

namespace orvex {

class Program;
class ReceiverForm;

// The panel's commands that reach beyond the receiver, each in the context menu, the key table and
// the help: the board monitor (Ctrl+Shift+M), trace control (Ctrl+Shift+T), the channel window
// (Ctrl+Shift+C) and the activity scanner (Ctrl+Shift+A) and, when the program serves remote
// clients, stopping and starting the server. A running trace and the server show in
// the board badge while they last. Lives as long as the window, whose child it is.
class ProgramCommands : public QObject {
    Q_OBJECT

public:
    // `tracePath` names the trace the command line started, if any.
    ProgramCommands(ReceiverForm& form, Program& program, const QString& tracePath);
    ~ProgramCommands() override;

    BoardMonitor* monitor() const { return monitor_; }
    void showMonitor();
    // The channel window (Ctrl+Shift+C), made when first shown.
    ChannelWindow* channelWindow() const { return channels_; }
    void showChannels();
    // Ctrl+Shift+A: starts the activity scanner through the bank, or stops it.
    void toggleActivityScan();
    // Stops a running trace, or asks for a file (the chooser: a dialog unless a test gives
    // another) and starts one there.
    void toggleTrace();
    void setTraceFileChooser(std::function<QString()> choose) {
        chooseTraceFile_ = std::move(choose);
    }
    // Starts a trace into `path` (the dialog's choice).
    void startTrace(const QString& path);

private:
    void watch(bool watching);
    void showTraceInBadge();
    void addRemoteCommands();
    void showRemoteInBadge();

    ReceiverForm& form_;
    Program& program_;
    // Hears every access from the start, so the monitor knows the words latched before it opened;
    // watches the converter while the monitor is open.
    AccessDecoder decoder_;
    QPointer<BoardMonitor> monitor_;
    QPointer<ChannelWindow> channels_;
    QAction* activityScan_ = nullptr;
    QString tracePath_;
    std::function<QString()> chooseTraceFile_;
    QTimer traceSize_;  // the badge follows the trace's size while one runs
};

}  // namespace orvex
