#include "app/Program.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "core/Messages.h"
#include "hardware/sim/SimulatedBoard.h"
#include "hardware/trace/OpenTrace.h"

namespace orvex {
namespace {

// One message line on standard error. A closed standard error (`orvex 2>&1 | head -1`, a log
// viewer that went away) costs the messages, never the program: main ignores SIGPIPE, and a write
// that meets EPIPE ends the writing.
bool tellOnStandardError(const QString& text) {
    const std::string line = "orvex: " + text.toStdString() + "\n";
    for (std::string_view rest = line; !rest.empty();) {
        const ssize_t written = ::write(STDERR_FILENO, rest.data(), rest.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return errno != EPIPE;
        }
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

Program::Program(const Options& options, BoardOpener openBoard)
    : end_([] { std::_Exit(0); }),
      termination_([this] { endAtOnce(false); }),
      settingsPath_(options.settingsPath),
      settings_(settingsPath_, messages_),
      board_(openBoard ? openBoard(messages_)
                       : options.board->open(options.band.simulated, messages_)),
      tap_(*board_.io, sleeping_),
      receiver_(tap_, tap_, settings_, messages_),
      host_(receiver_, messages_),
      actions_(host_),
      hostMessages_(host_),
      bank_(options.channelsPath.empty() ? besideSettings(options, ChannelBank::FileName)
                                         : options.channelsPath,
            hostMessages_),
      scanSettings_(besideSettings(options, ScanSettings::FileName), hostMessages_),
      scanner_(actions_, bank_),
      traceLimit_(options.traceLimit),
      portBase_(options.portBase),
      switchOn_(options.switchOn),
      headless_(options.headless),
      scanBank_(options.scanBank),
      scanRange_(options.scanRange),
      hitLogPath_(options.hitLogPath) {
    if (!options.tracePath.empty()) {
        startTrace(options.tracePath);
    }
    if (!options.band.levelLogPath.empty()) {
        startLevelLog(options.band.levelLogPath);
    }
    const PassOptions& passes = options.passes;
    if (!passes.choicesPath.empty()) {
        passChoicesStore_ = std::make_unique<IniFileStore>(
            passes.choicesPath, messages_, IniFileStore::DefaultLockWait,
            WriteRights::ofThisProcess(), "--pass-choices");
        passChoicesFile_ =
            std::make_unique<PassChoicesFile>(*passChoicesStore_, messages_, passes.choicesPath);
    }
    tracking_ = std::make_unique<SatelliteTracking>(
        actions_, passes.folder,
        passes.over(passChoicesFile_ ? passChoicesFile_->load() : PassChoices{}));
    connect(&host_, &ReceiverHost::message, this, &Program::tell);
    connect(&host_, &ReceiverHost::measured, this, &Program::logMeasurement);
    // What a handler did reaches the tap's batch listeners (the monitor's decoder) before anyone
    // can look.
    connect(&host_, &ReceiverHost::panelChanged, this, [this] { tap_.deliver(); });
    connect(&host_, &ReceiverHost::endRequested, this,
            [this](Ending ending) { endAtOnce(ending == Ending::Exit); });
    if (options.rigctl) {
        remote_ = std::make_unique<RigctlServer>(actions_, *options.rigctl);
        remote_->setIdleTimeout(options.rigctlIdle);
        remote_->setAllowList(options.rigctlAllow);
        remote_->setVfoMode(passes.rigctlVfo);
        remote_->setTracking(tracking_.get());
        connect(remote_.get(), &RigctlServer::message, this, &Program::tell);
    }
}

Program::~Program() {
    stopTrace();
}

void Program::tell(const QString& text) {
    standardErrorOpen_ = standardErrorOpen_ && tellOnStandardError(text);
}

bool Program::simulated() const {
    return dynamic_cast<const sim::SimulatedBoard*>(board_.io.get()) != nullptr;
}

// The command line's port; else, on the simulated board, which has no hardware to protect, the
// port saved at the last power-off, so that Power and remote clients work from the first run on.
// A real board waits for the operator's choice in the About window.
std::optional<std::int16_t> Program::startPort() const {
    if (portBase_) {
        return static_cast<std::int16_t>(*portBase_);
    }
    if (simulated()) {
        return receiver_.savedPortBase();
    }
    return std::nullopt;
}

void Program::start() {
    started_ = true;
    actions_.startUp();
    if (const std::optional<std::int16_t> base = startPort()) {
        actions_.choosePort(*base);
    } else if (headless_) {
        actions_.applySavedPort();
    }
    if (switchOn_ && actions_.setPower(true).refusal == Refusal::NoPort) {
        host_.tell(NoPortChosen);
    }
    bank_.load();
    scanner_.setOptions(scanSettings_.load().options);
    if (!hitLogPath_.empty()) {
        scanner_.logHitsTo(hitLogPath_);
    }
    startScan();
    if (remote_) {
        remote_->start();
    }
}

void Program::startScan() {
    if (!scanBank_ && !scanRange_) {
        return;
    }
    ActionResult result = actions_.setPower(true);
    if (result.succeeded()) {
        result = scanBank_ ? scanner_.scanBank() : scanner_.scanRange(*scanRange_);
    }
    if (!result.succeeded()) {
        host_.tell("The activity scanner did not start: " + describe(result.refusal) + ".");
    }
}

bool Program::startTrace(const std::string& path) {
    stopTrace();
    trace_ = openTrace({path, settingsPath_.string(), traceLimit_}, messages_);
    if (trace_ != nullptr) {
        tap_.addListener(*trace_);
        // It ends inside an access the tap is delivering: taken off once that is done.
        trace_->whenEnded([this, ended = trace_.get()] {
            QMetaObject::invokeMethod(
                this,
                [this, ended] {
                    if (trace_.get() == ended) {
                        stopTrace();
                    }
                },
                Qt::QueuedConnection);
        });
    }
    emit traceChanged();
    return trace_ != nullptr;
}

void Program::stopTrace() {
    if (trace_ != nullptr) {
        tap_.removeListener(*trace_);
        trace_->flush();
        trace_.reset();
        emit traceChanged();
    }
}

bool Program::startLevelLog(const std::string& path) {
    stopLevelLog();
    auto opened = LevelLog::open(path, settingsPath_.string(), traceLimit_, hostMessages_);
    if (auto* refusal = std::get_if<std::string>(&opened)) {
        // Before the start nobody hears a message yet: it waits for the start's handler.
        (started_ ? static_cast<MessageSink&>(hostMessages_) : messages_).post(std::move(*refusal));
    } else {
        levelLog_ = std::move(std::get<std::unique_ptr<LevelLog>>(opened));
    }
    emit levelLogChanged();
    return levelLog_ != nullptr;
}

void Program::stopLevelLog() {
    if (levelLog_ != nullptr) {
        levelLog_.reset();
        emit levelLogChanged();
    }
}

void Program::logMeasurement() {
    if (levelLog_ != nullptr &&
        !levelLog_->write(lastMeasurement(receiver_, std::chrono::system_clock::now()))) {
        stopLevelLog();
    }
}

void Program::endAtOnce(bool beep) {
    if (beep && beep_) {
        beep_();
    }
    if (trace_ != nullptr) {
        trace_->flush();
    }
    scanner_.logHitSoFar();
    std::fflush(stderr);
    end_();
}

}  // namespace orvex
