#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <optional>

#include "remote/ClientSocket.h"
#include "remote/RigctlSession.h"

namespace orvex {

class ReceiverActions;

// One connected client: its socket, its conversation, and when its next command may run. It
// answers one command whenever the server gives it a turn. A command that saved the settings or
// switched the power makes its next one wait, so that no client can keep the one thread in
// flushes and settling pauses; what the client sends meanwhile waits in the kernel.
class RigctlClient : public QObject {
    Q_OBJECT

public:
    using Clock = std::chrono::steady_clock;

    // How long a client's next command waits after one that saved or switched the power: at
    // most four such commands a second from each client.
    static constexpr std::chrono::milliseconds PaceInterval{250};
    // Answers a client leaves unread beyond this close its connection.
    static constexpr std::size_t MaxUnreadBytes = 64 * 1024;

    // `setup` names the client by its address; `idle`: how long the client may send nothing
    // before it is closed, zero for ever.
    RigctlClient(ReceiverActions& actions, FileDescriptor fd, SessionSetup setup,
                 std::chrono::milliseconds idle, QObject* parent = nullptr);

    // Takes what the client sent before it was accepted; call once the signals are connected.
    void start();

    // When the next waiting command may run; nothing while no complete command waits.
    std::optional<Clock::time_point> nextTurn() const;
    // Answers the first waiting command.
    void serveOne();

    // The client has closed its side and no command of it waits: its place can go to another.
    bool hasLeft() const;
    // Closes the connection at once.
    void close();

    const QString& peer() const { return peer_; }

signals:
    // A command is waiting for its turn.
    void waiting();
    // The connection is over. Emitted once.
    void closed();
    // What a command changed, for the operator ("tuned to 137.620 MHz").
    void changed(const QString& change);
    void refusedWithoutPort();
    // Why the connection was closed, in plain words.
    void message(const QString& text);

private:
    void takeInput();
    void restartIdle();
    void closeIdle();
    void end(bool gracefully);

    ClientSocket socket_;
    QString peer_;
    RigctlSession session_;
    QTimer idle_;
    Clock::time_point nextCommand_{};
    bool open_ = true;
};

}  // namespace orvex
