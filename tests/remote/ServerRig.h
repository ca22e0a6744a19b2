#pragma once

#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

#include <QEventLoop>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>

#include "files/FileDescriptor.h"
#include "remote/RigctlServer.h"
#include "support/SimulatedRig.h"

namespace orvex::test {

// Runs the event loop until `done` holds or the time is up; whether it holds. `done` is asked
// after every pass. Unlike QTest::qWaitFor, which sleeps 10 ms after each pass, it lets the
// server's turns follow one another as they do in the program.
inline bool runUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done()) {
            loop.quit();
        }
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    check.start(0);
    if (!done()) {
        loop.exec();
    }
    return done();
}

// The receiver on the simulated board with a rigctl server on a free loopback port.
struct ServerRig : SimulatedRig {
    ServerRig() {
        QObject::connect(&server, &RigctlServer::message,
                         [this](const QString& text) { said.append(text); });
        host.run([](Receiver& r) { r.Form_Load(); });
    }

    void chooseLpt1() {
        host.run([](Receiver& r) { r.choosePort(Lpt1Base); });
    }
    void switchOn() {
        host.run([](Receiver& r) { r.Toggle7_Change(true); });
    }
    quint16 port() const { return server.address().section(':', -1).toUShort(); }

    RigctlServer server{actions, ListenAddress{QHostAddress(QHostAddress::LocalHost), 0}};
    QStringList said;
};

// A raw TCP client that collects everything the server sends.
struct RawClient {
    explicit RawClient(quint16 port) { socket.connectToHost(QHostAddress::LocalHost, port); }

    // Waits until `lines` more lines have come (or the deadline passes) and takes them.
    QByteArray takeLines(int lines) {
        // On time-out the lines so far are taken, and the comparison that follows fails.
        (void)runUntil([&] {
            received += socket.readAll();
            return received.count('\n') >= lines;
        });
        qsizetype end = 0;
        for (int i = 0; i < lines; ++i) {
            const qsizetype at = received.indexOf('\n', end);
            if (at < 0) {
                end = received.size();
                break;
            }
            end = at + 1;
        }
        const QByteArray taken = received.left(end);
        received.remove(0, end);
        return taken;
    }
    QByteArray ask(const QByteArray& bytes, int lines) {
        socket.write(bytes);
        return takeLines(lines);
    }
    bool closedByServer() {
        return runUntil([&] {
            received += socket.readAll();
            return socket.state() == QAbstractSocket::UnconnectedState;
        });
    }

    // Everything that has arrived, read or not.
    qsizetype arrived() {
        int queued = 0;
        ::ioctl(static_cast<int>(socket.socketDescriptor()), FIONREAD, &queued);
        return received.size() + socket.bytesAvailable() + queued;
    }

    QTcpSocket socket;
    QByteArray received;
};

// A plain socket, connected before the server has taken it: the kernel completes the handshake
// on its own. `receiveBuffer` shrinks what this side's kernel takes of the server's answers.
struct PlainClient {
    explicit PlainClient(quint16 port, int receiveBuffer = 0) {
        if (receiveBuffer > 0) {
            ::setsockopt(fd.get(), SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
        }
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected = ::connect(fd.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    bool send(const std::string& bytes) {
        return ::send(fd.get(), bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
               static_cast<ssize_t>(bytes.size());
    }
    // What arrives within the wait, as the server runs in the meantime; up to a line end.
    std::string line() {
        std::string text;
        (void)runUntil([&] {
            char byte = 0;
            while (::recv(fd.get(), &byte, 1, MSG_DONTWAIT) == 1) {
                text += byte;
                if (byte == '\n') {
                    return true;
                }
            }
            return false;
        });
        return text;
    }

    FileDescriptor fd{::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)};
    bool connected = false;
};

}  // namespace orvex::test
