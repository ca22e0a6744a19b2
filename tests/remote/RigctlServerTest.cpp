#include <time.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QNetworkInterface>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>
#include <memory>
#include <vector>

#include "ServerRig.h"
#include "hardware/sim/Band.h"

namespace orvex::test {

// The server over loopback: Hamlib's own network client, gpredict's exact lines, junk, limits,
// many clients at once and their turns, and the clients it turns away.
class RigctlServerTest : public QObject {
    Q_OBJECT

    // Runs `rigctl -m 2` against the server with the commands given; what it printed.
    static QStringList rigctl(ServerRig& rig, const QStringList& commands) {
        const QString program = QStandardPaths::findExecutable("rigctl");
        QProcess process;
        process.start(
            program,
            QStringList{"-m", "2", "-r", "127.0.0.1:" + QString::number(rig.port())} + commands);
        const bool ended =
            QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 30000);
        if (!ended) {
            process.kill();
            process.waitForFinished();
        }
        const QString printed = QString::fromLocal8Bit(process.readAllStandardOutput());
        [&] {
            QVERIFY2(ended, "rigctl did not finish");
            QCOMPARE(process.exitCode(), 0);
        }();
        return printed.split('\n', Qt::SkipEmptyParts);
    }

    static std::vector<LatchedWord> words(const ServerRig& rig) {
        return latchedWords(rig.recorder.writes(Register::Data));
    }

    // Waits for a whole measurement to run after this moment.
    static bool measured(ServerRig& rig) {
        rig.recorder.clear();
        return QTest::qWaitFor([&] { return rig.recorder.count(Recorder::Kind::Read) >= 32; },
                               10000);
    }

private slots:
    void hamlibsClientTunesReadsTheLevelSetsTheSquelchAndSwitchesThePower() {
        if (QStandardPaths::findExecutable("rigctl").isEmpty()) {
            QSKIP("Hamlib's rigctl is not installed (Debian: libhamlib-utils)");
        }
        ServerRig rig;
        rig.chooseLpt1();
        rig.switchOn();
        QVERIFY(rig.server.start());
        rig.recorder.clear();

        QCOMPARE(rigctl(rig, {"F", "137620000", "f"}), QStringList{"137620000"});
        // The synthesizer's divider: (137.620 MHz + 10.7 MHz) / 10 kHz, all 16 bits.
        const std::vector<LatchedWord> latched = words(rig);
        QVERIFY(std::find(latched.begin(), latched.end(), LatchedWord{16, (137620 + 10700) / 10}) !=
                latched.end());
        QVERIFY(rig.board.locked());
        QVERIFY(rig.server.lastChange().endsWith("tuned to 137.620 MHz"));

        QVERIFY(measured(rig));
        const auto stations = sim::Band::defaultStations();
        const auto station = std::find_if(stations.begin(), stations.end(),
                                          [](const auto& s) { return s.frequencyKHz == 137620.0; });
        QVERIFY(station != stations.end());
        // Hamlib's S-meter: S0 is -54 dB over S9, 6 dB a unit.
        const int strength = static_cast<int>(6 * station->strength) - 54;
        QCOMPARE(rigctl(rig, {"l", "STRENGTH"}), QStringList{QString::number(strength)});

        QCOMPARE(rigctl(rig, {"L", "SQL", "0.3", "l", "SQL"}), QStringList{"0.300000"});
        QCOMPARE(rig.receiver.panel().Text5, std::string("3"));

        // rigctl names long commands without the backslash on its command line. (Its
        // get_powerstat prints 1 whatever the server answers, so the board is asked instead.)
        QCOMPARE(rigctl(rig, {"set_powerstat", "0"}), QStringList{});
        QVERIFY(!rig.receiver.poweredOn());
        QVERIFY(!rig.board.powered());
        QCOMPARE(rigctl(rig, {"set_powerstat", "1", "F", "137500000", "f"}),
                 QStringList{"137500000"});
        QVERIFY(rig.receiver.poweredOn());
        QVERIFY(rig.board.locked());
    }

    void gpredictsLinesAreAnsweredWholeAndInOrder() {
        ServerRig rig;
        rig.chooseLpt1();
        rig.switchOn();
        QVERIFY(rig.server.start());
        RawClient client(rig.port());
        QCOMPARE(client.ask("F  137100000\n", 1), QByteArray("RPRT 0\n"));
        QCOMPARE(client.ask("f\n", 1), QByteArray("137100000\n"));
        QVERIFY(measured(rig));  // a weather satellite, well above the squelch at 0
        QCOMPARE(client.ask("\x8b\n", 1), QByteArray("1\n"));
        QCOMPARE(client.ask("T 1\nq\n", 2), QByteArray("RPRT -11\nRPRT 0\n"));
        QVERIFY(client.closedByServer());
        QVERIFY(runUntil([&] { return rig.server.clientCount() == 0; }));
    }

    void junkIsAnsweredAndALineOverOneKibibyteClosesTheConnection() {
        ServerRig rig;
        QVERIFY(rig.server.start());
        RawClient client(rig.port());
        QCOMPARE(client.ask("hello\n\x01\x02\x03\r\nF\r+\\nothing\nf\n", 5),
                 QByteArray("RPRT -11\nRPRT -11\nRPRT -1\nRPRT -11\n132000000\n"));
        QCOMPARE(client.ask(QByteArray(2048, 'x') + "\nf\n", 1), QByteArray("RPRT -8\n"));
        QVERIFY(client.closedByServer());
        QCOMPARE(client.received, QByteArray());
        QVERIFY(rig.said.last().contains("longer than 1 KiB"));
    }

    void twentyClientsAreServedAtOnce() {
        ServerRig rig;
        rig.chooseLpt1();
        rig.switchOn();
        QVERIFY(rig.server.start());
        std::vector<std::unique_ptr<RawClient>> clients;
        for (int i = 0; i < 20; ++i) {
            clients.push_back(std::make_unique<RawClient>(rig.port()));
        }
        QVERIFY(runUntil([&] { return rig.server.clientCount() == 20; }));
        for (std::size_t i = 0; i < clients.size(); ++i) {
            clients[i]->socket.write("E " + QByteArray::number(int(i % 3) + 1) + "\ne\n");
        }
        for (std::size_t i = 0; i < clients.size(); ++i) {
            QCOMPARE(clients[i]->takeLines(2),
                     "RPRT 0\n" + QByteArray::number(int(i % 3) + 1) + "\n");
        }
        for (auto& client : clients) {
            client->socket.write("f\n\\get_powerstat\nq\n");
        }
        for (auto& client : clients) {
            QCOMPARE(client->takeLines(3), QByteArray("132000000\n1\nRPRT 0\n"));
        }
        QVERIFY(runUntil([&] { return rig.server.clientCount() == 0; }));
    }

    void aBacklogWaitsItsTurnsWhileOthersAreAnswered() {
        ServerRig rig;
        rig.chooseLpt1();
        rig.switchOn();
        QVERIFY(rig.server.start());
        RawClient busy(rig.port());
        RawClient other(rig.port());
        QVERIFY(runUntil([&] { return rig.server.clientCount() == 2; }));
        busy.socket.write(QByteArray("f\n").repeated(2000));
        QVERIFY(busy.socket.waitForBytesWritten(5000));
        QVERIFY(runUntil([&] { return busy.arrived() > 0; }));  // the server is at it
        other.socket.write("v\n");
        QVERIFY(other.socket.waitForBytesWritten(5000));
        qsizetype busyBefore = 0;
        QVERIFY(runUntil([&] {
            busyBefore = busy.arrived();
            return other.arrived() > 0;
        }));
        QCOMPARE(other.takeLines(1), QByteArray("VFOA\n"));
        // A handful of the backlog's answers at most went out before it (each is 10 bytes).
        QVERIFY2(busyBefore < 100 * 10, qPrintable(QString::number(busyBefore)));
        QCOMPARE(busy.takeLines(2000), QByteArray("132000000\n").repeated(2000));
    }

    void beyondTheLimitANewClientIsRefusedPolitelyAndAPlaceFreesWhenItsClientLeaves() {
        ServerRig rig;
        rig.server.setMaxClients(2);
        QVERIFY(rig.server.start());
        RawClient first(rig.port());
        RawClient second(rig.port());
        QVERIFY(runUntil([&] { return rig.server.clientCount() == 2; }));
        RawClient third(rig.port());
        QCOMPARE(third.takeLines(1), QByteArray("RPRT -9\n"));
        QVERIFY(third.closedByServer());
        QVERIFY(rig.said.last().startsWith("Refused a rigctl client from 127.0.0.1"));
        QCOMPARE(first.ask("v\n", 1), QByteArray("VFOA\n"));

        // One at a time, each new client arriving as the last one leaves: never refused.
        second.socket.abort();
        for (int i = 0; i < 50; ++i) {
            PlainClient next(rig.port());
            QVERIFY(next.connected && next.send("v\n"));
            QCOMPARE(next.line(), std::string("VFOA\n"));
        }
    }

    void aClientThatNeverReadsIsClosedOnceTheKernelHoldsItsAnswers() {
        ServerRig rig;
        QVERIFY(rig.server.start());
        // Its own kernel takes 4 KiB; 200 KiB of answers would fit in the server's kernel.
        PlainClient greedy(rig.port(), 4096);
        std::string requests;
        for (int i = 0; i < 400; ++i) {
            requests += "\\dump_state\n";
        }
        QVERIFY(greedy.send(requests));
        QVERIFY(runUntil([&] { return rig.said.join('|').contains("unread"); }));
        QVERIFY2(rig.said.last().contains("more than 64 KiB of answers unread"),
                 qPrintable(rig.said.join('|')));
        QCOMPARE(rig.server.clientCount(), 0);
    }

    void idleClientsAreClosedAndRefusalsAreToldOnceASecond() {
        ServerRig rig;
        rig.server.setIdleTimeout(std::chrono::seconds(2));
        QVERIFY(rig.server.start());
        std::vector<std::unique_ptr<RawClient>> idle;
        for (int i = 0; i < RigctlServer::DefaultMaxClients; ++i) {
            idle.push_back(std::make_unique<RawClient>(rig.port()));
        }
        QVERIFY(runUntil([&] { return rig.server.clientCount() == 128; }));
        RawClient& talker = *idle.front();

        QElapsedTimer refusing;
        refusing.start();
        std::vector<std::unique_ptr<PlainClient>> refused;
        for (int i = 0; i < 50; ++i) {
            refused.push_back(std::make_unique<PlainClient>(rig.port()));
            QCOMPARE(refused.back()->line(), std::string("RPRT -9\n"));
        }
        const auto seconds = static_cast<int>(refusing.elapsed() / 1000);
        // Meanwhile one client keeps talking and stays.
        QVERIFY(runUntil([&] {
            talker.ask("v\n", 1);
            return rig.server.clientCount() == 1;
        }));
        // The first refusal at once, then a line a second with the count of the others.
        const QStringList refusals = rig.said.filter("Refused");
        QVERIFY(refusals[0].endsWith("127.0.0.1: 128 clients are connected"));
        QVERIFY(refusals.size() >= 2 && refusals.size() <= 2 + seconds);
        int told = 1;
        for (const QString& line : refusals.mid(1)) {
            QVERIFY2(line.contains(" more rigctl clients in the last second, the last from "
                                   "127.0.0.1: 128 clients are connected"),
                     qPrintable(line));
            told += line.section(' ', 1, 1).toInt();
        }
        QCOMPARE(told, 50);
        QCOMPARE(rig.said.filter("it sent nothing for 2 s").size(), 127);
        QCOMPARE(RawClient(rig.port()).ask("v\n", 1), QByteArray("VFOA\n"));
    }

    void onlyLoopbackAndTheAllowedNetworksAreTaken() {
        const QList<QHostAddress> addresses = QNetworkInterface::allAddresses();
        const auto own = std::find_if(addresses.begin(), addresses.end(), [](const auto& a) {
            return a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback();
        });
        if (own == addresses.end()) {
            QSKIP("this machine has no IPv4 address but loopback");
        }
        ServerRig rig;
        RigctlServer server(rig.actions, ListenAddress{QHostAddress(QHostAddress::AnyIPv4), 0});
        QStringList said;
        connect(&server, &RigctlServer::message, [&](const QString& text) { said.append(text); });
        const QString other = QHostAddress(own->toIPv4Address() + 1).toString();
        const std::vector<std::pair<QString, QByteArray>> table{
            {other, "RPRT -9\n"}, {other + "," + own->toString() + "/32", "VFOA\n"}};
        for (const auto& [allowed, answer] : table) {
            server.setAllowList(*AllowList::parse(allowed, nullptr));
            QVERIFY(server.start());
            const quint16 port = server.address().section(':', -1).toUShort();
            QTcpSocket remote;
            remote.connectToHost(*own, port);
            QVERIFY(remote.waitForConnected(5000));
            remote.write("v\n");
            QVERIFY(runUntil([&] { return remote.bytesAvailable() > 0; }));
            QCOMPARE(remote.readAll(), answer);
            RawClient local(port);
            QCOMPARE(local.ask("v\n", 1), QByteArray("VFOA\n"));
            server.stop();
        }
        QCOMPARE(said.filter("not one that --rigctl-allow names").size(), 1);
    }

    void withNoDescriptorLeftTheServerWaitsWithoutSpinningAndThenTakesTheClient() {
        ServerRig rig;
        QVERIFY(rig.server.start());
        PlainClient waiting(rig.port());
        QVERIFY(waiting.connected && waiting.send("v\n"));
        std::vector<FileDescriptor> taken;
        for (int fd = ::dup(0); fd >= 0; fd = ::dup(0)) {
            taken.emplace_back(fd);
        }
        timespec before{};
        ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &before);
        QTest::qWait(500);
        timespec after{};
        ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &after);
        const double busy =
            double(after.tv_sec - before.tv_sec) + double(after.tv_nsec - before.tv_nsec) / 1e9;
        taken.clear();
        QVERIFY2(busy < 0.25, qPrintable(QString("%1 s of CPU in 0.5 s").arg(busy)));
        QCOMPARE(rig.said.filter("as many files open as it may").size(), 1);
        QCOMPARE(waiting.line(), std::string("VFOA\n"));
    }

    void stoppingClosesEveryConnectionAndStartingListensAgain() {
        ServerRig rig;
        QSignalSpy listening(&rig.server, &RigctlServer::listeningChanged);
        QVERIFY(rig.server.start());
        QVERIFY(rig.server.address().startsWith("127.0.0.1:"));
        RawClient client(rig.port());
        QVERIFY(runUntil([&] { return rig.server.clientCount() == 1; }));
        rig.server.stop();
        QVERIFY(!rig.server.isListening());
        QCOMPARE(rig.server.address(), QString());
        QVERIFY(client.closedByServer());
        QCOMPARE(rig.server.clientCount(), 0);
        QVERIFY(rig.server.start());
        RawClient again(rig.port());
        QCOMPARE(again.ask("\\chk_vfo\n", 1), QByteArray("0\n"));
        QCOMPARE(listening.count(), 3);
    }

    void withoutAPortChangesAreRefusedAndTheNoticeSaysWhyUntilOneIsChosen() {
        ServerRig rig;
        QVERIFY(rig.server.start());
        rig.recorder.clear();
        RawClient client(rig.port());
        QCOMPARE(client.ask("\\set_powerstat 1\n", 1), QByteArray("RPRT -9\n"));
        QVERIFY(rig.server.notice().contains("no printer port chosen"));
        QCOMPARE(rig.recorder.count(Recorder::Kind::Write), 0u);
        rig.chooseLpt1();
        QCOMPARE(rig.server.notice(), QString());
        QCOMPARE(client.ask("\\set_powerstat 1\n", 1), QByteArray("RPRT 0\n"));
        QVERIFY(rig.board.powered());
    }

    void anAddressInUseIsToldInPlainWords() {
        ServerRig first;
        QVERIFY(first.server.start());
        ServerRig second;
        RigctlServer taken(second.actions, *parseListenAddress(first.server.address(), nullptr));
        QSignalSpy said(&taken, &RigctlServer::message);
        QVERIFY(!taken.start());
        QVERIFY(said.at(0).at(0).toString().startsWith(
            "Cannot listen for rigctl clients on 127.0.0.1:"));
    }
};

}  // namespace orvex::test

QTEST_GUILESS_MAIN(orvex::test::RigctlServerTest)
#include "RigctlServerTest.moc"
