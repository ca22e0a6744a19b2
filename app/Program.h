#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>

#include "app/Backends.h"
#include "app/CommandLine.h"
#include "app/TerminationSignals.h"
#include "controls/ActivityScanner.h"
#include "controls/ChannelBank.h"
#include "controls/LevelLog.h"
#include "controls/MessageQueue.h"
#include "controls/Receiver.h"
#include "controls/ReceiverActions.h"
#include "controls/ReceiverHost.h"
#include "controls/SatelliteTracking.h"
#include "controls/ScanSettings.h"
#include "hardware/PortTap.h"
#include "hardware/SleepingDelay.h"
#include "hardware/trace/PortTrace.h"
#include "remote/RigctlServer.h"
#include "settings/IniFileStore.h"

namespace orvex {

// The whole program but its window: messages, the settings file, the board with the tap that
// traces and the monitor hang on, the receiver, its host, and every way of ending. The windowed
// program, a program without a window and the end-to-end test all set it up this one way.
class Program : public QObject {
    Q_OBJECT

public:
    using BoardOpener = std::function<Board(MessageSink&)>;

    // Opens the board the options name, unless `openBoard` is given (tests bring their own).
    explicit Program(const Options& options, BoardOpener openBoard = {});
    ~Program() override;

    // Start-up as the window's loading runs it, then the port and the command line's power, then
    // the rigctl server. The port is the command line's; else, on the simulated board or without a
    // window, the one saved at the last power-off, as the About window's opening would choose it.
    // Switching on at start is refused, with the panel's own notice, while no port is chosen.
    void start();

    Receiver& receiver() { return receiver_; }
    ReceiverHost& host() { return host_; }
    // What every front end but the panel acts through.
    ReceiverActions& actions() { return actions_; }
    PortTap& tap() { return tap_; }
    const Board& board() const { return board_; }
    const std::filesystem::path& settingsPath() const { return settingsPath_; }
    // The channel bank, the activity scanner and its saved choices.
    ChannelBank& bank() { return bank_; }
    ActivityScanner& scanner() { return scanner_; }
    ScanSettings& scanSettings() { return scanSettings_; }
    // The rigctl server the command line asked for, else none.
    RigctlServer* remote() { return remote_.get(); }
    // What satellite trackers' passes and steering do; the file its choices are kept in, none
    // without a home folder.
    SatelliteTracking& tracking() { return *tracking_; }
    PassChoicesFile* passChoicesFile() { return passChoicesFile_.get(); }

    // A trace of every access and pause from now on, into a new file; false (after a message)
    // when it cannot be made (OpenTrace.h). A trace already running is ended first.
    bool startTrace(const std::string& path);
    void stopTrace();
    // The trace that runs; none once it has ended by itself (its file failed or is full).
    const PortTrace* trace() const {
        return trace_ != nullptr && trace_->running() ? trace_.get() : nullptr;
    }

    // A level log of every measurement from now on, into a new file; false (after a message) when
    // it cannot be made. A log already running is ended first.
    bool startLevelLog(const std::string& path);
    void stopLevelLog();
    // The level log that runs; none once it has ended by itself.
    const LevelLog* levelLog() const { return levelLog_.get(); }

    // Makes the Exit switch beep before the end (the windowed program has a beep).
    void setBeep(std::function<void()> beep) { beep_ = std::move(beep); }
    // Replaces ending the process (tests); by default every way out ends at once: nothing is
    // switched off or saved, the board runs on.
    void setEnding(std::function<void()> end) { end_ = std::move(end); }
    // Flushes the trace and ends as Exit, a closed window or a termination signal do.
    void endAtOnce(bool beep);

signals:
    void traceChanged();
    void levelLogChanged();

private:
    bool simulated() const;
    std::optional<std::int16_t> startPort() const;
    // A message for the operator, on standard error while it is open.
    void tell(const QString& text);
    void logMeasurement();
    // The scan the command line asked for, the receiver switched on for it.
    void startScan();

    // What the bank, the scanner's choices and the level log have to say goes out as the host's
    // messages.
    class HostMessages : public MessageSink {
    public:
        explicit HostMessages(ReceiverHost& host) : host_(host) {}
        void post(std::string message) override { host_.tell(message); }

    private:
        ReceiverHost& host_;
    };

    // Declared first, so the termination handling is there before any file is opened.
    std::function<void()> beep_;
    std::function<void()> end_;
    TerminationSignals termination_;
    std::filesystem::path settingsPath_;
    MessageQueue messages_;
    IniFileStore settings_;
    Board board_;
    SleepingDelay sleeping_;
    PortTap tap_;
    std::unique_ptr<PortTrace> trace_;
    Receiver receiver_;
    ReceiverHost host_;
    ReceiverActions actions_;
    std::unique_ptr<IniFileStore> passChoicesStore_;
    std::unique_ptr<PassChoicesFile> passChoicesFile_;
    std::unique_ptr<SatelliteTracking> tracking_;
    HostMessages hostMessages_;
    ChannelBank bank_;
    ScanSettings scanSettings_;
    ActivityScanner scanner_;
    std::unique_ptr<RigctlServer> remote_;
    std::unique_ptr<LevelLog> levelLog_;
    std::uint64_t traceLimit_;
    std::optional<int> portBase_;
    bool switchOn_ = false;
    bool headless_ = false;
    bool started_ = false;
    bool scanBank_ = false;
    std::optional<ScanRange> scanRange_;
    std::string hitLogPath_;
    bool standardErrorOpen_ = true;
};

}  // namespace orvex
