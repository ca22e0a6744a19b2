#include "app/Program.h"

#include <cstdio>
#include <cstdlib>

#include "hardware/trace/OpenTrace.h"
#include "settings/SettingsPath.h"

namespace orvex {
namespace {

std::filesystem::path chosenSettingsPath(const Options& options) {
    return options.settingsPath.isEmpty()
               ? settingsPath()
               : std::filesystem::path(options.settingsPath.toStdString());
}

}  // namespace

Program::Program(const Options& options, BoardOpener openBoard)
    : end_([] { std::_Exit(0); }),
      termination_([this] { endAtOnce(false); }),
      settingsPath_(chosenSettingsPath(options)),
      settings_(settingsPath_, messages_),
      board_(openBoard ? openBoard(messages_) : options.board->open(messages_)),
      tap_(*board_.io, sleeping_),
      receiver_(tap_, tap_, settings_, messages_),
      host_(receiver_, messages_),
      portBase_(options.portBase),
      switchOn_(options.switchOn),
      headless_(options.headless) {
    if (!options.tracePath.isEmpty()) {
        startTrace(options.tracePath.toStdString());
    }
    connect(&host_, &ReceiverHost::message, this,
            [](const QString& text) { std::fprintf(stderr, "orvex: %s\n", qPrintable(text)); });
    connect(&host_, &ReceiverHost::endRequested, this,
            [this](Ending ending) { endAtOnce(ending == Ending::Exit); });
    if (options.rigctl) {
        remote_ = std::make_unique<RigctlServer>(host_, *options.rigctl);
        connect(remote_.get(), &RigctlServer::message, this,
                [](const QString& text) { std::fprintf(stderr, "orvex: %s\n", qPrintable(text)); });
    }
}

Program::~Program() {
    stopTrace();
}

void Program::start() {
    host_.run([](Receiver& r) { r.Form_Load(); });
    if (portBase_) {
        host_.run(
            [base = *portBase_](Receiver& r) { r.choosePort(static_cast<std::int16_t>(base)); });
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
    trace_ = openTrace(path, messages_);
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
