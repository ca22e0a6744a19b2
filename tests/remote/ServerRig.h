#pragma once

#include <QTcpSocket>
#include <QTest>
#include <functional>

#include "remote/RigctlServer.h"
#include "support/SimulatedRig.h"

namespace orvex::test {

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
        (void)QTest::qWaitFor(
            [&] {
                received += socket.readAll();
                return received.count('\n') >= lines;
            },
            10000);
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
        return QTest::qWaitFor(
            [&] {
                received += socket.readAll();
                return socket.state() == QAbstractSocket::UnconnectedState;
            },
            10000);
    }

    QTcpSocket socket;
    QByteArray received;
};

}  // namespace orvex::test
