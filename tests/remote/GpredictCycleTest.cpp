#include <QCoreApplication>
#include <QTest>
#include <cmath>

#include "ServerRig.h"

namespace orvex::test {

// gpredict's Radio Control cycle over a real connection, as fast as the server answers: read
// the frequency, send the Doppler-corrected one, read it back. The 5 ms gpredict waits between
// its set and its read are left out: every F is answered once its divider word is on the board.
class GpredictCycleTest : public QObject {
    Q_OBJECT

    // The next `lines` answer lines. The event loop runs while waiting, so the server in this
    // process answers; no sleep in between.
    static QByteArray ask(RawClient& client, const QByteArray& line, int lines = 1) {
        client.socket.write(line);
        while (client.received.count('\n') < lines &&
               client.socket.state() == QAbstractSocket::ConnectedState) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1000);
            client.received += client.socket.readAll();
        }
        return client.takeLines(lines);
    }

    static int dividerLoads(const ServerRig& rig) {
        int loads = 0;
        for (const LatchedWord& word : latchedWords(rig.recorder.writes(Register::Data))) {
            loads += word.bits == 16 ? 1 : 0;
        }
        return loads;
    }

    // A pass over 137.900 MHz on the 5 kHz grid, the Doppler shift from +3.2 to -3.2 kHz.
    static void playPass(bool vfoMode) {
        ServerRig rig;
        rig.chooseLpt1();
        rig.switchOn();
        QVERIFY(rig.server.start());
        RawClient client(rig.port());
        QVERIFY(client.socket.waitForConnected(5000));
        const QByteArray vfo = vfoMode ? " currVFO" : "";
        if (vfoMode) {
            QCOMPARE(ask(client, "\\set_vfo_opt 1\n\\chk_vfo\n", 2), QByteArray("RPRT 0\n1\n"));
        }
        QCOMPARE(ask(client, "N" + vfo + " 5000\nF" + vfo + " 137900000\n", 2),
                 QByteArray("RPRT 0\nRPRT 0\n"));
        rig.recorder.clear();

        constexpr int Cycles = 600;
        long long gridPoint = 137'900'000;
        int gridChanges = 0;
        for (int cycle = 0; cycle < Cycles; ++cycle) {
            const double doppler = 3200.0 * std::cos(M_PI * cycle / (Cycles - 1));
            const long long asked = 137'900'000 + std::llround(doppler);
            const long long nearest = std::llround(static_cast<double>(asked) / 5000.0) * 5000;
            gridChanges += nearest != gridPoint ? 1 : 0;
            gridPoint = nearest;

            ask(client, "f" + vfo + "\n");
            // "F %10.0f": a nine-digit frequency after two blanks.
            QCOMPARE(ask(client, "F" + vfo + "  " + QByteArray::number(asked) + "\n"),
                     QByteArray("RPRT 0\n"));
            QCOMPARE(rig.board.snapshot().synthesizer.receiveKHz.value_or(0),
                     static_cast<double>(nearest / 1000));
            QCOMPARE(ask(client, "f" + vfo + "\n"), QByteArray::number(nearest) + "\n");
        }
        QCOMPARE(gridChanges, 3);  // onto 137.905, back to 137.900, on to 137.895
        QCOMPARE(dividerLoads(rig), gridChanges);
    }

private slots:
    void aPassLoadsTheSynthesizerOnlyWhereTheGridPointChanges() { playPass(false); }
    void soItDoesInVfoMode() { playPass(true); }
};

}  // namespace orvex::test

QTEST_GUILESS_MAIN(orvex::test::GpredictCycleTest)
#include "GpredictCycleTest.moc"
