#include <QSignalSpy>
#include <QTest>
#include <string>
#include <vector>

#include "controls/ReceiverActions.h"
#include "support/HostRig.h"

namespace orvex::test {

// The actions and the host's events, as a front end sees them.
class ReceiverActionsTest : public QObject {
    Q_OBJECT

    struct Rig : HostRig {
        Rig() {
            settings.set("PORT", "888");
            actions.startUp();
            actions.applySavedPort();
        }
        // Every event the host announces, as one line each.
        void listen() {
            const auto note = [this](const std::string& line) {
                events.append(QString::fromStdString(line));
            };
            connect(&host, &ReceiverHost::portChosen, [=](int base) { note("port " + n(base)); });
            connect(&host, &ReceiverHost::powerSwitched, [=](bool on) { note("power " + n(on)); });
            connect(&host, &ReceiverHost::stepChanged, [=](int kHz) { note("step " + n(kHz)); });
            connect(&host, &ReceiverHost::tuned, [=](int kHz) { note("tuned " + n(kHz)); });
            connect(&host, &ReceiverHost::audioChanged, [=](int volume, int squelch, bool muted) {
                note("audio " + n(volume) + " " + n(squelch) + " " + n(muted));
            });
            connect(&host, &ReceiverHost::memoryStored,
                    [=](int n) { note("stored " + Rig::n(n)); });
            connect(&host, &ReceiverHost::scanSwitched, [=](bool on) { note("scan " + n(on)); });
            connect(&host, &ReceiverHost::measured, [=](double level, double volts, bool open) {
                note("measured " + QString::number(level).toStdString() + " " +
                     QString::number(volts).toStdString() + " " + n(open));
            });
        }
        static std::string n(int value) { return std::to_string(value); }

        ReceiverActions actions{host};
        QStringList events;
    };

private slots:
    void eachEventArrivesOnceInOrderWithItsValues() {
        Rig rig;
        rig.listen();
        rig.actions.setPower(true);
        rig.actions.tuneTo(137.5);
        rig.actions.tuneTo(137.5);  // nothing changes, nothing is told
        rig.board.setBytes(119, 132);
        rig.host.run([](Receiver& r) { r.Timer1_Timer(); });
        rig.actions.chooseStep(5);
        rig.actions.setVolume(4);
        rig.actions.store(2);
        rig.actions.setScan(true);
        rig.actions.setScan(false);
        const QStringList expected{
            "power 1",
            // power-on lights the display at the frequency of the last power-off
            "tuned 132000",
            "tuned 137500",
            "measured 9.02 12 1",  // byte 119: level 9.02, above the threshold
            "step 5",
            "audio 4 0 0",
            "stored 2",
            "scan 1",
            "scan 0",
        };
        QCOMPARE(rig.events.join(" | "), expected.join(" | "));
    }

    void aDriverTakesTheTuningFromTheScanSwitchAndHoldsTheSquelchWhileItRuns() {
        Rig rig;
        rig.actions.setPower(true);
        rig.actions.setScan(true);
        QCOMPARE(rig.actions.driver(), std::optional(TuningDriver::Scanner));
        int stopped = 0;
        QVERIFY(rig.actions.takeTuning(TuningDriver::Survey, [&] { ++stopped; }).succeeded());
        QVERIFY(!rig.receiver.scanning());
        QVERIFY(!rig.host.scannerRunning());

        // A level far above the threshold opens nothing while the survey holds the squelch.
        rig.board.setBytes(255, 132);
        rig.host.run([](Receiver& r) { r.Timer1_Timer(); });
        QVERIFY(rig.receiver.muted());
        QCOMPARE(rig.receiver.state().MuteBits, std::int16_t{8});

        rig.actions.releaseTuning(TuningDriver::Survey);
        rig.host.run([](Receiver& r) { r.Timer1_Timer(); });
        QVERIFY(!rig.receiver.muted());
        QCOMPARE(stopped, 0);
        QCOMPARE(rig.actions.driver(), std::nullopt);
    }

    void theScanSwitchOrAClientSteeringStopsTheDriverThatRuns() {
        Rig rig;
        rig.actions.setPower(true);
        int stopped = 0;
        rig.actions.takeTuning(TuningDriver::ActivityScanner, [&] { ++stopped; });
        rig.host.run([](Receiver& r) { r.Toggle5_Change(true); });  // the operator's click
        QCOMPARE(stopped, 1);
        QCOMPARE(rig.actions.driver(), std::optional(TuningDriver::Scanner));
        QVERIFY(!rig.receiver.squelchHeld());

        rig.actions.takeTuning(TuningDriver::Pass, [&] { ++stopped; });
        QVERIFY(!rig.receiver.scanning());
        rig.actions.steer();
        QCOMPARE(stopped, 2);
        QCOMPARE(rig.actions.driver(), std::nullopt);
    }

    void actionsAreRefusedForTheReasonTheOperatorWouldMeet() {
        HostRig rig;
        ReceiverActions actions(rig.host);
        actions.startUp();
        QCOMPARE(actions.setPower(true), ActionResult::refused(Refusal::NoPort));
        actions.choosePort(Lpt2Base);
        QCOMPARE(actions.tuneTo(137.5), ActionResult::refused(Refusal::PoweredOff));
        QCOMPARE(actions.setPower(true), ActionResult::done());
        QCOMPARE(actions.tuneTo(144.001), ActionResult::refused(Refusal::OutOfBand));
        QCOMPARE(actions.chooseStep(7), ActionResult::refused(Refusal::NoSuchStep));
        QCOMPARE(actions.recall(3), ActionResult::refused(Refusal::ChannelEmpty));
        QCOMPARE(actions.store(4), ActionResult::refused(Refusal::NoSuchChannel));
        rig.settings.failing = true;
        QCOMPARE(actions.store(1), ActionResult::saveFailed());
        QCOMPARE(actions.setPower(false), ActionResult::saveFailed());
        QVERIFY(!rig.receiver.poweredOn());
    }
};

}  // namespace orvex::test

QTEST_GUILESS_MAIN(orvex::test::ReceiverActionsTest)
#include "ReceiverActionsTest.moc"
