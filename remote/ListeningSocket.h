#pragma once

#include <QHostAddress>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "files/FileDescriptor.h"
#include "remote/ListenAddress.h"

namespace orvex {

// Where a connection comes from.
struct Peer {
    QHostAddress address;
    quint16 port = 0;

    // "127.0.0.1:40112"
    QString text() const;
};

// The socket the server listens on. It takes each waiting connection as it comes and hands it
// on. When the program has no descriptor left for one, it stops taking them (they wait in the
// kernel's queue, or time out there) and tries again once a descriptor frees, or a second later,
// so it never spins and always resumes.
class ListeningSocket : public QObject {
    Q_OBJECT

public:
    using Accepted = std::function<void(FileDescriptor, const Peer&)>;

    ListeningSocket(Accepted accepted, std::function<void()> outOfDescriptors,
                    QObject* parent = nullptr);

    // Listens there, with room in the kernel for `backlog` connections not taken yet; the reason
    // in plain words when it cannot.
    std::optional<QString> listen(const ListenAddress& where, int backlog);
    void close();
    bool isListening() const { return fd_.valid(); }
    // The port listened on: the one the system chose when asked for port 0.
    quint16 port() const { return port_; }

    // A descriptor was freed: take the waiting connections now.
    void resume();

private:
    void acceptWaiting();
    void pause();

    Accepted accepted_;
    std::function<void()> outOfDescriptors_;
    FileDescriptor fd_{-1};
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer retry_;
    quint16 port_ = 0;
};

}  // namespace orvex
