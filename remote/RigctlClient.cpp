#include "remote/RigctlClient.h"

namespace orvex {
namespace {

QString durationText(std::chrono::milliseconds length) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(length).count();
    if (seconds % 3600 == 0) {
        return QString::number(seconds / 3600) + " h";
    }
    if (seconds % 60 == 0) {
        return QString::number(seconds / 60) + " min";
    }
    return QString::number(seconds) + " s";
}

}  // namespace

RigctlClient::RigctlClient(ReceiverActions& actions, FileDescriptor fd, SessionSetup setup,
                           std::chrono::milliseconds idle, QObject* parent)
    : QObject(parent),
      socket_(std::move(fd)),
      peer_(QString::fromStdString(setup.client)),
      session_(actions, std::move(setup)) {
    idle_.setSingleShot(true);
    idle_.setTimerType(Qt::VeryCoarseTimer);
    idle_.setInterval(idle);
    connect(&idle_, &QTimer::timeout, this, &RigctlClient::closeIdle);
    connect(&socket_, &ClientSocket::readable, this, &RigctlClient::takeInput);
    connect(&socket_, &ClientSocket::broken, this, [this] { end(false); });
}

void RigctlClient::start() {
    restartIdle();
    takeInput();
}

std::optional<RigctlClient::Clock::time_point> RigctlClient::nextTurn() const {
    if (!open_ || !session_.ready()) {
        return std::nullopt;
    }
    return nextCommand_;
}

void RigctlClient::serveOne() {
    if (!nextTurn()) {
        return;
    }
    const RigctlSession::Answer answer = session_.answerNext();
    restartIdle();
    if (answer.paced) {
        nextCommand_ = Clock::now() + PaceInterval;
    }
    if (!answer.change.empty()) {
        emit changed(QString::fromStdString(answer.change));
    }
    if (answer.refusedWithoutPort) {
        emit refusedWithoutPort();
    }
    if (!socket_.send(answer.bytes)) {
        end(false);
        return;
    }
    if (socket_.unread() > MaxUnreadBytes) {
        emit message("Closed the rigctl connection from " + peer_ +
                     ": it left more than 64 KiB of answers unread");
        end(false);
        return;
    }
    if (session_.ending() == RigctlSession::Ending::LineTooLong) {
        emit message("Closed the rigctl connection from " + peer_ +
                     ": it sent a line longer than 1 KiB");
    }
    if (session_.finished()) {
        end(true);
        return;
    }
    takeInput();
}

// Reads only while no complete command waits, so what a client sends ahead stays in the kernel.
void RigctlClient::takeInput() {
    while (open_ && !session_.ready()) {
        std::string arrived;
        switch (socket_.receive(arrived)) {
            case ClientSocket::Received::Bytes:
                session_.feed(arrived);
                restartIdle();
                break;
            case ClientSocket::Received::Nothing:
                socket_.watchInput(true);
                return;
            case ClientSocket::Received::Ended:
                end(true);  // every complete command is answered; an unended line is no command
                return;
            case ClientSocket::Received::Broken:
                end(false);
                return;
        }
    }
    if (open_) {
        socket_.watchInput(false);
        emit waiting();
    }
}

bool RigctlClient::hasLeft() const {
    return !open_ || (!session_.ready() && socket_.peerHasLeft());
}

void RigctlClient::close() {
    end(false);
}

void RigctlClient::restartIdle() {
    if (idle_.interval() > 0) {
        idle_.start();
    }
}

void RigctlClient::closeIdle() {
    emit message(QString("Closed the rigctl connection from %1: it sent nothing for %2")
                     .arg(peer_, durationText(std::chrono::milliseconds(idle_.interval()))));
    end(false);
}

void RigctlClient::end(bool gracefully) {
    if (!open_) {
        return;
    }
    open_ = false;
    idle_.stop();
    if (gracefully) {
        socket_.finish();
    } else {
        socket_.close();
    }
    emit closed();
}

}  // namespace orvex
