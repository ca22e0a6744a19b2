#include "app/ProgramCommands.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>

#include "app/Program.h"
#include "app/SimulatedBoardHoldings.h"
#include "ui/BoardBadge.h"
#include "ui/BoardMonitor.h"
#include "ui/MessageLine.h"
#include "ui/ReceiverForm.h"

namespace orvex {
namespace {

constexpr const char* TraceSegment = "trace";
constexpr const char* RemoteSegment = "rigctl";
constexpr const char* RefusalSegment = "refused";
constexpr std::chrono::seconds TraceSizeRefresh{1};

}  // namespace

ProgramCommands::ProgramCommands(ReceiverForm& form, Program& program, const QString& tracePath)
    : QObject(&form), form_(form), program_(program), chooseTraceFile_([&form] {
          return QFileDialog::getSaveFileName(
              &form, "Record a port trace", "orvex-trace.vcd",
              "Value change dump (*.vcd);;Text trace (*.txt *.log)");
      }) {
    decoder_.setWatching(false);
    program_.tap().addBatchListener(decoder_);
    if (program_.trace() != nullptr) {
        tracePath_ = tracePath;
    }
    form_.addCommand(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M), "Board monitor",
                     "what the program sends the board, decoded: the synthesizer's words and the "
                     "frequency they tune, the lines, the converter's bytes",
                     [this] { showMonitor(); });
    form_.addCommand(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T), "Port trace",
                     "record every port access into a file (.vcd for GTKWave and sigrok, text "
                     "otherwise), or end the trace that runs",
                     [this] { toggleTrace(); });
    form_.addCommand(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), "Channels",
                     "the channel bank: channels beyond Ch-1 to Ch-3 in a CHIRP CSV file, tuned, "
                     "edited, imported, exported, copied into a channel memory; and the activity "
                     "scanner",
                     [this] { showChannels(); });
    activityScan_ =
        form_.addCommand(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A), "Activity scanner",
                         "scan the channels of the bank not marked Skip, stay on activity with the "
                         "audio open and log it; again to stop",
                         [this] { toggleActivityScan(); });
    traceSize_.setInterval(TraceSizeRefresh);
    connect(&traceSize_, &QTimer::timeout, this, &ProgramCommands::showTraceInBadge);
    connect(&program_, &Program::traceChanged, this, &ProgramCommands::showTraceInBadge);
    showTraceInBadge();
    addRemoteCommands();
}

ProgramCommands::~ProgramCommands() {
    program_.tap().removeBatchListener(decoder_);
}

void ProgramCommands::showMonitor() {
    if (monitor_ == nullptr) {
        const Receiver& receiver = program_.receiver();
        BoardMonitor::Holdings holdings;
        if (const auto* simulated =
                dynamic_cast<const sim::SimulatedBoard*>(program_.board().io.get())) {
            holdings = [simulated] { return holdingsOf(*simulated); };
        }
        monitor_ = new BoardMonitor(
            decoder_,
            [&receiver]() -> std::optional<double> {
                if (const auto kHz = receiver.displayedKHz()) {
                    return *kHz;
                }
                return std::nullopt;
            },
            std::move(holdings), &form_);
        monitor_->setAttribute(Qt::WA_DeleteOnClose);
        watch(true);
        connect(monitor_, &QObject::destroyed, this, [this] { watch(false); });
    }
    form_.showOwned(*monitor_);
}

// Between handlers, as the decoder needs; the tap asks it afresh what it wants to hear.
void ProgramCommands::watch(bool watching) {
    program_.tap().deliver();
    decoder_.setWatching(watching);
    program_.tap().askInterest();
}

void ProgramCommands::showChannels() {
    if (channels_ == nullptr) {
        channels_ = new ChannelWindow(program_.bank(), program_.scanner(), program_.actions(),
                                      program_.scanSettings(), &form_);
        channels_->addAction(activityScan_);  // its key works in the channel window too
    }
    channels_->show();
    channels_->raise();
    channels_->activateWindow();
}

void ProgramCommands::toggleActivityScan() {
    ActivityScanner& scanner = program_.scanner();
    if (scanner.running()) {
        scanner.stop();
        form_.statusLine()->post("The activity scanner stopped", MessageLine::Kind::Confirmation);
        return;
    }
    const ActionResult result = scanner.scanBank();
    if (result.succeeded()) {
        showChannels();
        form_.statusLine()->post("The activity scanner runs through the channel bank",
                                 MessageLine::Kind::Confirmation);
    } else {
        form_.statusLine()->post(QString::fromStdString("The activity scanner did not start: " +
                                                        describe(result.refusal)),
                                 MessageLine::Kind::Notice);
    }
}

void ProgramCommands::toggleTrace() {
    if (program_.trace() != nullptr) {
        program_.stopTrace();
        form_.statusLine()->post("The port trace " + tracePath_ + " is complete",
                                 MessageLine::Kind::Confirmation);
        return;
    }
    const QString path = chooseTraceFile_();
    if (!path.isEmpty()) {
        startTrace(path);
    }
}

void ProgramCommands::startTrace(const QString& path) {
    tracePath_ = path;
    if (program_.startTrace(QFile::encodeName(path).toStdString())) {
        form_.statusLine()->post("Recording every port access into " + path,
                                 MessageLine::Kind::Confirmation);
    }
}

void ProgramCommands::showTraceInBadge() {
    const bool running = program_.trace() != nullptr;
    if (running && !traceSize_.isActive()) {
        traceSize_.start();
    } else if (!running) {
        traceSize_.stop();
    }
    QString text;
    if (running) {
        const QFileInfo file(tracePath_);
        text = "trace " + QLocale::system().formattedDataSize(file.size());
    }
    form_.boardBadge()->setSegment(TraceSegment, text,
                                   "every port access is recorded in " + tracePath_);
}

void ProgramCommands::addRemoteCommands() {
    RigctlServer* server = program_.remote();
    if (server == nullptr) {
        return;
    }
    QAction* toggle = form_.addCommand(
        {}, "Remote control", "stop the rigctl server and close its clients, or start it again",
        [server] {
            if (server->isListening()) {
                server->stop();
            } else {
                server->start();
            }
        });
    const auto follow = [this, server, toggle] {
        toggle->setText(server->isListening() ? "Stop remote control" : "Start remote control");
        showRemoteInBadge();
    };
    connect(server, &RigctlServer::listeningChanged, this, follow);
    connect(server, &RigctlServer::clientCountChanged, this, follow);
    connect(server, &RigctlServer::noticeChanged, this, follow);
    connect(server, &RigctlServer::lastChangeChanged, this, [this](const QString& change) {
        form_.statusLine()->post("Remote: " + change, MessageLine::Kind::Confirmation);
    });
    connect(server, &RigctlServer::message, this, [this](const QString& text) {
        form_.statusLine()->post(text, MessageLine::Kind::Notice);
    });
    follow();
}

void ProgramCommands::showRemoteInBadge() {
    const RigctlServer& server = *program_.remote();
    QString text = "rigctl stopped";
    if (server.isListening()) {
        const int clients = server.clientCount();
        text = QStringLiteral("rigctl %1, %2 client%3")
                   .arg(server.address())
                   .arg(clients)
                   .arg(clients == 1 ? "" : "s");
    }
    form_.boardBadge()->setSegment(RemoteSegment, text,
                                   "Hamlib's rigctl clients reach the receiver over TCP");
    form_.boardBadge()->setSegment(
        RefusalSegment, server.notice().isEmpty() ? QString() : RigctlServer::RefusedWithoutPort,
        server.notice());
}

}  // namespace orvex
