#include <QDir>
#include <QTest>

#include "support/SurveyRig.h"
#include "ui/SignalHistoryWindow.h"

namespace orvex::test {

class SignalHistoryWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Six minutes of a satellite pass on the live band, measured ten times a second.
    void keepsTheLastFiveMinutesAndTheirPeak() {
        SurveyRig rig;
        rig.board.band().goLive(19);
        rig.actions.tuneTo(137.9);
        LevelHistory history;
        const auto rise = rig.board.band().live()->firstPassRise();
        rig.time->advance(rise + std::chrono::minutes{2});
        double loudest = -100.0;
        const std::chrono::minutes measured{6};
        for (std::chrono::milliseconds t{0}; t < measured; t += std::chrono::milliseconds{100}) {
            rig.time->advance(std::chrono::milliseconds{100});
            rig.host.run([](Receiver& r) { r.Timer1_Timer(); });
            history.add(rig.time->now(), rig.receiver.measuredLevel());
            loudest = std::max(loudest, rig.receiver.measuredLevel());
        }
        QVERIFY(history.points().back().at - history.points().front().at <= LevelHistory::Span);
        QVERIFY(history.points().size() >= 2999);
        QCOMPARE(history.peak(), std::optional(loudest));

        SignalHistoryWindow window(history, nullptr);
        window.resize(700, 320);
        window.show();
        window.refresh(rig.time->now());
        QVERIFY(window.readout().contains(", peak S9+"));
        const QString folder = QStringLiteral(ORVEX_TEST_ARTIFACTS "/survey");
        QDir().mkpath(folder);
        QVERIFY(window.grab().save(folder + "/signal-history.png"));

        history.releasePeak();
        window.refresh(rig.time->now());
        QVERIFY(!window.readout().contains("peak"));
    }
};

}  // namespace orvex::test

QTEST_MAIN(orvex::test::SignalHistoryWindowTest)
#include "SignalHistoryWindowTest.moc"
