#include "app/Program.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>

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
      board_(openBoard ? openBoard(messages_) : options.board->open(messages_)),
      tap_(*board_.io, simulated() ? static_cast<Delay&>(noWait_) : sleeping_),
      receiver_(tap_, tap_, settings_, messages_),
      host_(receiver_, messages_),
      traceLimit_(options.traceLimit),
      portBase_(options.portBase),
      switchOn_(options.switchOn),
      headless_(options.headless) {
    if (!options.tracePath.empty()) {
        startTrace(options.tracePath);
    }
    connect(&host_, &ReceiverHost::message, this, &Program::tell);
    // What a handler did reaches the tap's batch listeners (the monitor's decoder) before anyone
    // can look.
    connect(&host_, &ReceiverHost::panelChanged, this, [this] { tap_.deliver(); });
    connect(&host_, &ReceiverHost::endRequested, this,
            [this](Ending ending) { endAtOnce(ending == Ending::Exit); });
    if (options.rigctl) {
        remote_ = std::make_unique<RigctlServer>(host_, *options.rigctl);
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
    host_.run([](Receiver& r) { r.Form_Load(); });
    if (const std::optional<std::int16_t> base = startPort()) {
        host_.run([base = *base](Receiver& r) { r.choosePort(base); });
    } else if (headless_) {
        host_.run([](Receiver& r) {
            r.Toggle3_Change(true);
            r.Form2_Command1_Click();
        });
    }
    if (switchOn_) {
        host_.run([](Receiver& r) { r.Toggle7_Change(true); });
    }
    if (remote_) {
        remote_->start();
    }
}

bool Program::startTrace(const std::string& path) {
    stopTrace();
    trace_ = openTrace({path, settingsPath_.string(), traceLimit_}, messages_);
    if (trace_ != nullptr) {
        tap_.addListener(*trace_);
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

void Program::endAtOnce(bool beep) {
    if (beep && beep_) {
        beep_();
    }
    if (trace_ != nullptr) {
        trace_->flush();
    }
    std::fflush(stderr);
    end_();
}

}  // namespace orvex
