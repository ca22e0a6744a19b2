#include <QSignalSpy>
#include <QTest>
#include <vector>

#include "controls/SurveyPlan.h"
#include "hardware/sim/Band.h"
#include "support/SurveyRig.h"

namespace orvex::test {
namespace {

// The frequencies where a sweep shows a signal: each run of channels above the noise floor,
// at the middle of the channels where it is loudest.
std::vector<double> peaksOf(const Sweep& sweep) {
    const double above = signalLevel(sim::Band::levelByte(sim::Band::NoiseFloor)) + 1.0;
    std::vector<double> peaks;
    for (std::size_t i = 0; i < sweep.bytes.size();) {
        if (sweep.level(i) <= above) {
            ++i;
            continue;
        }
        std::size_t end = i;
        int loudest = 0;
        while (end < sweep.bytes.size() && sweep.level(end) > above) {
            loudest = std::max(loudest, int{sweep.bytes[end]});
            ++end;
        }
        double sum = 0;
        int count = 0;
        for (std::size_t k = i; k < end; ++k) {
            if (sweep.bytes[k] == loudest) {
                sum += sweep.channelKHz(k);
                ++count;
            }
        }
        peaks.push_back(sum / count);
        i = end;
    }
    return peaks;
}

}  // namespace

class SurveyTest : public QObject {
    Q_OBJECT

private slots:
    void findsEverySteadyStationAsAPeakWithinOneStepAndNothingElse() {
        SurveyRig rig;
        const Sweep sweep = rig.sweepOnce({});
        QCOMPARE(static_cast<int>(sweep.bytes.size()), 1201);
        const std::vector<double> peaks = peaksOf(sweep);
        const std::vector<sim::Station> stations = sim::Band::defaultStations();
        QCOMPARE(peaks.size(), stations.size());
        for (std::size_t i = 0; i < peaks.size(); ++i) {
            QVERIFY2(std::abs(peaks[i] - stations[i].frequencyKHz) <= 10.0,
                     qPrintable(QString("peak at %1 kHz").arg(peaks[i])));
        }
    }

    // Read before the synthesizer has locked, each channel shows the one loaded before it:
    // every peak one step high, as gqrx-scanner's users saw on their boards.
    void aDwellBelowTheSettleTimeReadsTheChannelBefore() {
        SurveyRig settled;
        SurveyPlan plan;
        plan.lowKHz = 137000;
        plan.highKHz = 138000;
        const Sweep right = settled.sweepOnce(plan);
        SurveyRig hurried;
        plan.dwell = std::chrono::milliseconds{1};
        const Sweep smeared = hurried.sweepOnce(plan);
        const std::vector<std::uint8_t> oneStepLate(right.bytes.begin(), right.bytes.end() - 1);
        QVERIFY(std::equal(oneStepLate.begin(), oneStepLate.end(), smeared.bytes.begin() + 1));
        QVERIFY(right.bytes != smeared.bytes);
    }

    void pausesMeasuringAndMutesWhileItRunsAndPutsEverythingBackAtTheEnd() {
        SurveyRig rig;
        rig.actions.tuneTo(137.5);
        QSignalSpy told(&rig.host, &ReceiverHost::message);
        SurveyPlan plan;
        plan.lowKHz = 137000;
        plan.highKHz = 137200;
        plan.stepKHz = 5;
        plan.sweeps = 2;
        QVERIFY(rig.survey.start(plan).succeeded());
        rig.time->run(10);
        QVERIFY(!rig.host.measurementRunning());
        QVERIFY(rig.receiver.muted());
        QVERIFY(rig.board.muted());
        QCOMPARE(rig.receiver.stepKHz(), std::int16_t{5});  // the 5 kHz comparison frequency
        QCOMPARE(rig.actions.driver(), std::optional(TuningDriver::Survey));

        rig.time->run();
        QCOMPARE(rig.ended, std::optional(SurveyEnd::Complete));
        QCOMPARE(rig.sweeps.size(), std::size_t{2});
        QCOMPARE(rig.receiver.stepKHz(), std::int16_t{10});
        QCOMPARE(rig.receiver.displayedKHz(), std::optional(137500));
        QCOMPARE(rig.board.snapshot().synthesizer.receiveKHz, std::optional(137500.0));
        QVERIFY(!rig.receiver.muted());
        QVERIFY(rig.host.measurementRunning());
        QCOMPARE(rig.actions.driver(), std::nullopt);
        QCOMPARE(told.last().at(0).toString(),
                 "The band survey is complete: 2 sweeps of 137.000 MHz to 137.200 MHz at 5 kHz; "
                 "the receiver is back on 137.500 MHz");
        // Short sweeps wait for the next second, so each has a time stamp of its own.
        QVERIFY(rig.sweeps[1].began - rig.sweeps[0].began >= Survey::ShortestSweep);
    }

    // Whoever else acts on the receiver ends the survey; what they chose stays, the rest comes
    // back.
    void endsWhenSomeoneElseActsAndKeepsWhatTheyChose_data() {
        QTest::addColumn<int>("act");
        QTest::addColumn<int>("why");
        QTest::addColumn<int>("shownKHz");
        QTest::addColumn<bool>("powered");
        QTest::newRow("a tune") << 0 << int(SurveyEnd::Tuned) << 140000 << true;
        QTest::newRow("the Scan switch") << 1 << int(SurveyEnd::TakenOver) << 137500 << true;
        QTest::newRow("a step") << 2 << int(SurveyEnd::StepChanged) << 137500 << true;
        QTest::newRow("power off") << 3 << int(SurveyEnd::PoweredOff) << 137500 << false;
    }
    void endsWhenSomeoneElseActsAndKeepsWhatTheyChose() {
        QFETCH(int, act);
        QFETCH(int, why);
        QFETCH(int, shownKHz);
        QFETCH(bool, powered);
        SurveyRig rig;
        rig.actions.tuneTo(137.5);
        rig.survey.start({});
        rig.time->run(50);
        switch (act) {
            case 0:
                rig.actions.tuneTo(140.0);
                break;
            case 1:
                rig.actions.setScan(true);
                break;
            case 2:
                rig.actions.chooseStep(100);
                break;
            default:
                rig.actions.setPower(false);
        }
        QCOMPARE(rig.ended, std::optional(SurveyEnd(why)));
        QVERIFY(!rig.survey.running());
        QVERIFY(!rig.time->waiting());
        QCOMPARE(rig.receiver.poweredOn(), powered);
        QCOMPARE(rig.receiver.displayedKHz(), std::optional(shownKHz));
        if (powered) {
            QCOMPARE(rig.board.snapshot().synthesizer.receiveKHz, std::optional(double(shownKHz)));
            QVERIFY(rig.host.measurementRunning());
        }
    }

    void refusesWhatCannotBeSwept() {
        SurveyRig rig;
        SurveyPlan offGrid;
        offGrid.lowKHz = 137005;
        QCOMPARE(rig.survey.start(offGrid), ActionResult::refused(Refusal::OutOfBand));
        rig.actions.setPower(false);
        QCOMPARE(rig.survey.start({}), ActionResult::refused(Refusal::PoweredOff));
        QVERIFY(!rig.survey.running());
    }
};

}  // namespace orvex::test

QTEST_GUILESS_MAIN(orvex::test::SurveyTest)
#include "SurveyTest.moc"
