#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <cstddef>
#include <string>
#include <string_view>

#include "files/FileDescriptor.h"

namespace orvex {

// One client's TCP connection, on a non-blocking descriptor. Input is taken only when asked for,
// so what a client sends ahead waits in the kernel and TCP holds the client back; answers the
// kernel cannot take yet wait here and go out as soon as it can.
class ClientSocket : public QObject {
    Q_OBJECT

public:
    // What one read takes at most.
    static constexpr std::size_t ChunkBytes = 4096;

    explicit ClientSocket(FileDescriptor fd, QObject* parent = nullptr);

    enum class Received {
        Bytes,    // appended
        Nothing,  // nothing has arrived yet
        Ended,    // the client has sent all it will send
        Broken,   // the connection is lost
    };
    // Takes what has arrived, without waiting.
    Received receive(std::string& into);
    // Whether `readable` is emitted when bytes arrive (or the client ends its side).
    void watchInput(bool on);

    // Sends the bytes, or keeps what the kernel cannot take yet; false when the client is gone.
    bool send(std::string_view bytes);
    // Answers the client has not read, as far as this machine can tell: what waits here and what
    // the kernel still holds for it.
    std::size_t unread() const;

    // The client has closed its side and nothing it sent is left to read.
    bool peerHasLeft() const;

    // Ends the connection after the answers, as far as the kernel takes them now: the client
    // reads them and then the end. What it sent since is dropped.
    void finish();
    // Ends the connection at once.
    void close();
    bool isOpen() const { return fd_.valid(); }

signals:
    void readable();
    // The client went away while answers were waiting to go out.
    void broken();

private:
    void flush();

    FileDescriptor fd_;  // declared before the notifiers, which must go first
    QSocketNotifier reader_;
    QSocketNotifier writer_;
    std::string output_;
};

}  // namespace orvex
