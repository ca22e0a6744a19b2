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
// and many clients at once.
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
        QVERIFY(QTest::qWaitFor([&] { return rig.server.clientCount() == 0; }, 10000));
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
        QVERIFY(QTest::qWaitFor([&] { return rig.server.clientCount() == 20; }, 10000));
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
        QVERIFY(QTest::qWaitFor([&] { return rig.server.clientCount() == 0; }, 10000));
    }

    void beyondTheLimitANewClientIsRefusedPolitely() {
        ServerRig rig;
        rig.server.setMaxClients(2);
        QVERIFY(rig.server.start());
        RawClient first(rig.port());
        RawClient second(rig.port());
        QVERIFY(QTest::qWaitFor([&] { return rig.server.clientCount() == 2; }, 10000));
        RawClient third(rig.port());
        QCOMPARE(third.takeLines(1), QByteArray("RPRT -9\n"));
        QVERIFY(third.closedByServer());
        QVERIFY(rig.said.last().startsWith("Refused a rigctl client from 127.0.0.1"));
        QCOMPARE(first.ask("v\n", 1), QByteArray("VFOA\n"));
    }

    void answersLeftUnreadCloseTheConnection() {
        ServerRig rig;
        QVERIFY(rig.server.start());
        RawClient greedy(rig.port());
        greedy.socket.setReadBufferSize(4096);
        QVERIFY(QTest::qWaitFor([&] { return rig.server.clientCount() == 1; }, 10000));
        QByteArray requests;
        for (int i = 0; i < 20000; ++i) {
            requests += "\\dump_state\n";
        }
        greedy.socket.write(requests);
        QVERIFY(QTest::qWaitFor([&] { return rig.server.clientCount() == 0; }, 30000));
        QVERIFY2(rig.said.last().contains("more than 64 KiB of answers unread"),
                 qPrintable(rig.said.join('|')));
    }

    void stoppingClosesEveryConnectionAndStartingListensAgain() {
        ServerRig rig;
        QSignalSpy listening(&rig.server, &RigctlServer::listeningChanged);
        QVERIFY(rig.server.start());
        QVERIFY(rig.server.address().startsWith("127.0.0.1:"));
        RawClient client(rig.port());
        QVERIFY(QTest::qWaitFor([&] { return rig.server.clientCount() == 1; }, 10000));
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
