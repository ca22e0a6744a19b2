#include <QSignalSpy>
#include <QTest>

#include "support/HostRig.h"

namespace orvex::test {

// The host under a real event loop: timers follow the model, messages come after the handler.
class ReceiverHostTest : public QObject {
    Q_OBJECT

private slots:
    void startUpLeavesBothTimersStopped() {
        HostRig rig;
        rig.host.run([](Receiver& r) { r.Form_Load(); });
        QVERIFY(!rig.host.measurementRunning());
        QVERIFY(!rig.host.scannerRunning());
    }

    void powerOnRunsTheMeasurementTimerAndPowerOffStopsIt() {
        HostRig rig;
        rig.host.run([](Receiver& r) { r.Form_Load(); });
        rig.host.run([](Receiver& r) { r.Toggle7_Change(true); });
        QVERIFY(rig.host.measurementRunning());
        rig.recorder.clear();
        QTRY_VERIFY_WITH_TIMEOUT(rig.recorder.count(Recorder::Kind::Read) >= 32, 5000);
        rig.host.run([](Receiver& r) { r.Toggle7_Change(false); });
        QVERIFY(!rig.host.measurementRunning());
    }

    void theScanSwitchRunsTheScannerTimer() {
        HostRig rig;
        rig.host.run([](Receiver& r) { r.Form_Load(); });
        rig.host.run([](Receiver& r) { r.Toggle5_Change(true); });
        QVERIFY(rig.host.scannerRunning());
        QTRY_VERIFY_WITH_TIMEOUT(rig.receiver.panel().Knob1.position >= 1, 5000);
        rig.host.run([](Receiver& r) { r.Toggle5_Change(false); });
        QVERIFY(!rig.host.scannerRunning());
    }

    void messagesGoOutAfterTheHandlerInOrder() {
        HostRig rig;
        QSignalSpy spy(&rig.host, &ReceiverHost::message);
        rig.settings.set("SQL", "0,5");
        rig.host.run([](Receiver& r) { r.Form_Load(); });
        rig.host.run([](Receiver& r) { r.Toggle7_Change(true); });
        QCOMPARE(spy.count(), 2);
        QVERIFY(spy.at(0).at(0).toString().contains("SQL=0,5"));
        QCOMPARE(spy.at(1).at(0).toString(),
                 QString("No printer port chosen: open About and choose LPT1 or LPT2"));
    }

    void anEndingIsAnnouncedOnceAndStopsTheTimers() {
        HostRig rig;
        QSignalSpy spy(&rig.host, &ReceiverHost::endRequested);
        rig.host.run([](Receiver& r) { r.Form_Load(); });
        rig.host.run([](Receiver& r) { r.Toggle7_Change(true); });
        rig.host.run([](Receiver& r) { r.Toggle10_Change(true); });
        rig.host.run([](Receiver& r) { r.Toggle10_Change(false); });
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<Ending>(), Ending::Exit);
        QVERIFY(!rig.host.measurementRunning());
    }
};

}  // namespace orvex::test

QTEST_GUILESS_MAIN(orvex::test::ReceiverHostTest)
#include "ReceiverHostTest.moc"
