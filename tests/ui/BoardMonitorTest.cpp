#include <QDir>
#include <QLabel>
#include <QTest>
#include <memory>

#include "app/SimulatedBoardHoldings.h"
#include "support/MonitorRig.h"
#include "ui/BoardMonitor.h"

namespace orvex::test {

// The monitor window offscreen over a decoder fed by the receiver tuning the simulated board.
class BoardMonitorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TuningRig> rig;
    AccessDecoder decoder;

    std::unique_ptr<BoardMonitor> open() {
        auto monitor = std::make_unique<BoardMonitor>(
            decoder, [] { return std::optional(137700.0); },
            [this] { return holdingsOf(rig->board); });
        monitor->show();
        return monitor;
    }

    static QString shown(const BoardMonitor& monitor, const char* name) {
        const auto* label = monitor.findChild<QLabel*>(name);
        return label != nullptr ? label->text() : QString("<no label %1>").arg(name);
    }

private slots:
    void init() {
        rig = std::make_unique<TuningRig>();
        decoder = AccessDecoder{};
    }

    void showsTheDecodedWordsOfARealTuningAgreeingWithTheDisplay() {
        rig->board.setStations({{"Test station", 137700.0, 6.5, 20.0}});  // byte 95
        rig->receiver.Timer1_Timer();
        feed(decoder, rig->powerOn);
        feed(decoder, rig->tuning);
        feed(decoder, rig->take());
        const std::unique_ptr<BoardMonitor> monitor = open();

        QCOMPARE(shown(*monitor, "controlWord"), "71");
        QCOMPARE(shown(*monitor, "referenceWord"), "800");
        QCOMPARE(shown(*monitor, "dividerWord"), "14840");
        QCOMPARE(shown(*monitor, "tunedFrequency"), "137.700 MHz");
        QCOMPARE(shown(*monitor, "agreement"), "agrees: 137.700 MHz");
        QCOMPARE(shown(*monitor, "power"), "on");
        QCOMPARE(shown(*monitor, "channel0"), "95: level 6.50");
        QCOMPARE(shown(*monitor, "channel1"), "132: 12.00 V");
        QCOMPARE(shown(*monitor, "boardWords"), "71, 800, 14840");
        QCOMPARE(shown(*monitor, "boardLock"), "locked at 137.700 MHz");
        QCOMPARE(shown(*monitor, "boardStation"), "Test station");

        const QString folder = QStringLiteral(ORVEX_TEST_ARTIFACTS "/monitor");
        QDir().mkpath(folder);
        monitor->grab().save(folder + "/board-monitor.png");
    }

    void showsAStreamWithOneBitFlippedAsDisagreeing() {
        feed(decoder, rig->powerOn);
        feed(decoder, flippedAtClock(rig->tuning, 15, DataLine::SynthData));  // the lowest bit
        const std::unique_ptr<BoardMonitor> monitor = open();

        QCOMPARE(shown(*monitor, "dividerWord"), "14841");
        QCOMPARE(shown(*monitor, "tunedFrequency"), "137.710 MHz");
        QCOMPARE(shown(*monitor, "agreement"), "DISAGREES: the display shows 137.700 MHz");
        QCOMPARE(shown(*monitor, "boardWords"), "71, 800, 14840");  // what really went out
    }

    void followsTheDecoderOnItsTimerWhileShown() {
        feed(decoder, rig->powerOn);
        const std::unique_ptr<BoardMonitor> monitor = open();
        QCOMPARE(shown(*monitor, "dividerWord"), "14270");

        feed(decoder, rig->tuning);
        QCOMPARE(shown(*monitor, "dividerWord"), "14270");  // nothing is drawn per access
        QTRY_COMPARE(shown(*monitor, "dividerWord"), "14840");
        QTRY_VERIFY(shown(*monitor, "writesPerSecond") != "0");
    }
};

}  // namespace orvex::test

QTEST_MAIN(orvex::test::BoardMonitorTest)
#include "BoardMonitorTest.moc"
