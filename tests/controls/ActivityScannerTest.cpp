#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "controls/ActivityScanner.h"
#include "controls/SignalScale.h"
#include "core/Lines.h"
#include "support/SettingsFileRig.h"
#include "support/SimulatedRig.h"
#include "support/TestFiles.h"

namespace orvex::test {

using namespace std::chrono_literals;

// The activity scanner on the simulated board, switched on at the 10 kHz step with the
// squelch threshold at 5, a bank of its own and a hit log.
struct ScanRig : SimulatedRig {
    ScanRig() {
        actions.startUp();
        actions.choosePort(Lpt1Base);
        actions.setPower(true);
        actions.setSquelch(500);
        board.band().setStations({});
        QObject::connect(&scanner, &ActivityScanner::stateChanged, [this] {
            if (scanner.state() == ActivityScanner::State::Staying && writesUntilStay.empty()) {
                writesUntilStay = recorder.writes(Register::Data);
            }
            if (scanner.state() == ActivityScanner::State::Stepping && scanner.channelKHz()) {
                visits.push_back(*scanner.channelKHz());
                visitTimes.push_back(clock.elapsed());
                if (onVisit) {
                    onVisit();
                }
            }
        });
        clock.start();
    }
    void useBank(const std::string& text) {
        write(folder.path() / "channels.csv", text);
        bank.load();
    }
    void station(double kHz) { board.band().setStations({{"station", kHz, 14.0, 12.0}}); }
    // The divider words latched since the recorder was cleared, as the kHz they tune at 10 kHz.
    std::vector<int> tunedKHz() const {
        std::vector<int> kHz;
        for (const LatchedWord& word : latchedWords(recorder.writes(Register::Data))) {
            if (word.bits == 16) {
                kHz.push_back(word.value * 10 / receiver.state().DividerScale - 10700);
            }
        }
        return kHz;
    }
    // Stops the scan once it has begun `count` visits.
    void stopAfterVisits(std::size_t count) {
        onVisit = [this, count] {
            if (visits.size() == count) {
                scanner.stop();
            }
        };
    }

    TempFolder folder{"orvex-scan"};
    CollectedMessages bankMessages;
    ChannelBank bank{folder.path() / "channels.csv", bankMessages};
    ActivityScanner scanner{actions, bank};
    std::vector<int> visits;  // the channels it stepped to, in order
    std::vector<qint64> visitTimes;
    std::vector<int> writesUntilStay;  // the data register until it first stayed
    std::function<void()> onVisit;
    QElapsedTimer clock;
};

constexpr const char* FiveChannels =
    "Location,Name,Frequency,TStep,Skip\n"
    "1,low,136.000,10,\n2,skipped,136.100,10,S\n3,Beacon,137.500,10,\n"
    "4,mid,138.000,10,\n5,high,139.000,10,\n";

class ActivityScannerTest : public QObject {
    Q_OBJECT

private slots:
    void visitsTheBankInOrderStaysOnActivityResumesAfterTheDelayAndLogsTheHit() {
        ScanRig rig;
        rig.useBank(FiveChannels);
        const auto resumeDelay = 300ms;
        ScanOptions options;
        options.resumeDelay = resumeDelay;
        rig.scanner.setOptions(options);
        const fs::path log = rig.folder.path() / "hits.csv";
        QVERIFY(rig.scanner.logHitsTo(log.string()));
        rig.station(137500);
        rig.stopAfterVisits(5);
        rig.recorder.clear();

        QVERIFY(rig.scanner.scanBank().succeeded());
        QTRY_COMPARE(rig.scanner.state(), ActivityScanner::State::Staying);
        QCOMPARE(rig.scanner.channelKHz(), 137500);
        // Muted on every write while it stepped there; the squelch opens on the station.
        const std::vector<int>& stepping = rig.writesUntilStay;
        QVERIFY(!stepping.empty());
        QVERIFY(std::all_of(stepping.begin(), stepping.end(),
                            [](int byte) { return (byte & value(DataLine::Mute)) != 0; }));
        QTRY_VERIFY(!rig.receiver.muted());

        const qint64 gone = rig.clock.elapsed();
        rig.board.band().setStations({});
        QTRY_COMPARE(rig.scanner.state(), ActivityScanner::State::Stopped);

        QCOMPARE(rig.tunedKHz(), (std::vector<int>{136000, 137500, 138000, 139000, 136000}));
        QCOMPARE(rig.visits, (std::vector<int>{136000, 137500, 138000, 139000, 136000}));
        QVERIFY(rig.visitTimes[2] - gone >= resumeDelay.count());

        const std::string text = contents(log);
        const std::string header = std::string(HitLog::Header) + "\n";
        QVERIFY2(text.starts_with(header), text.c_str());
        const std::string line = text.substr(header.size());
        QCOMPARE(std::count(line.begin(), line.end(), '\n'), 1);
        QVERIFY2(line.starts_with("137500000," + std::to_string(dbOverS9(14.0)) + ","),
                 line.c_str());
        QVERIFY2(line.ends_with(",137.500,Beacon\n"), line.c_str());
        const double duration = std::stod(line.substr(line.find('Z', line.find('Z') + 1) + 2));
        QVERIFY(duration > 0.0 && duration < 10.0);
        QCOMPARE(rig.scanner.activity(137500), 1);
    }

    void lockOutLeavesAChannelForTheRunAndShiftLMarksItSkip() {
        ScanRig rig;
        rig.useBank(FiveChannels);
        rig.station(137500);
        QVERIFY(rig.scanner.scanBank().succeeded());
        QTRY_COMPARE(rig.scanner.state(), ActivityScanner::State::Staying);
        rig.visits.clear();
        rig.scanner.lockOut();
        QTRY_VERIFY(rig.visits.size() >= 6);
        QCOMPARE(std::count(rig.visits.begin(), rig.visits.end(), 137500), 0);
        rig.scanner.stop();

        QVERIFY(rig.scanner.scanBank().succeeded());  // a new run hears it again
        QTRY_COMPARE(rig.scanner.state(), ActivityScanner::State::Staying);
        rig.scanner.skipInBank();
        QVERIFY(rig.bank.find(3)->skip);
        QVERIFY(contents(rig.folder.path() / "channels.csv").find("137.500000,") !=
                std::string::npos);
        ChannelBank reread(rig.folder.path() / "channels.csv", rig.bankMessages);
        reread.load();
        QVERIFY(reread.find(3)->skip);
        QCOMPARE(rig.scanner.state(), ActivityScanner::State::Stepping);
        rig.scanner.stop();
    }

    void aRangeOnTheFineGridSetsTheFiveKilohertzStep() {
        ScanRig rig;
        rig.stopAfterVisits(4);
        QVERIFY(rig.scanner.scanRange({137000, 137010, 5}).succeeded());
        QTRY_COMPARE(rig.scanner.state(), ActivityScanner::State::Stopped);
        QCOMPARE(rig.receiver.stepKHz(), 5);
        QCOMPARE(rig.visits, (std::vector<int>{137000, 137005, 137010, 137000}));
        QVERIFY(!rig.scanner.scanRange({137000, 137010, 3}).succeeded());
    }

    void thePriorityChannelTakesOverWhileItStaysOnAnother() {
        ScanRig rig;
        rig.useBank(FiveChannels);
        ScanOptions options;
        options.priorityLocation = 3;
        options.priorityEvery = 50ms;
        rig.scanner.setOptions(options);
        rig.station(139000);
        QVERIFY(rig.scanner.scanBank().succeeded());
        QTRY_COMPARE(rig.scanner.channelKHz(), 139000);
        QTRY_COMPARE(rig.scanner.state(), ActivityScanner::State::Staying);
        QTest::qWait(200);  // a few looks at the priority channel find nothing there
        QCOMPARE(rig.scanner.channelKHz(), 139000);
        QCOMPARE(rig.scanner.state(), ActivityScanner::State::Staying);
        rig.board.band().setStations(
            {{"station", 139000, 14.0, 12.0}, {"priority", 137500, 14.0, 12.0}});
        QTRY_COMPARE(rig.scanner.channelKHz(), 137500);
        QCOMPARE(rig.scanner.state(), ActivityScanner::State::Staying);
        QCOMPARE(rig.scanner.activity(139000), 1);
    }

    void tuningByHandAnotherDriverOrPowerOffStopsIt() {
        const std::vector<std::pair<const char*, std::function<void(ScanRig&)>>> ways{
            {"tuned by hand", [](ScanRig& rig) { rig.actions.tuneTo(140.0); }},
            {"the Scan switch", [](ScanRig& rig) { rig.actions.setScan(true); }},
            {"a client's stop", [](ScanRig& rig) { rig.actions.stopScan(); }},
            {"switched off", [](ScanRig& rig) { rig.actions.setPower(false); }},
        };
        for (const auto& [way, stop] : ways) {
            ScanRig rig;
            rig.useBank(FiveChannels);
            QVERIFY(rig.actions.scanBank().succeeded());
            QVERIFY(rig.actions.driver() == TuningDriver::ActivityScanner);
            stop(rig);
            QVERIFY2(!rig.scanner.running(), way);
            QVERIFY2(rig.actions.driver() != TuningDriver::ActivityScanner, way);
            QVERIFY2(!rig.receiver.squelchHeld(), way);
        }
        ScanRig empty;
        QCOMPARE(empty.actions.scanBank(), ActionResult::refused(Refusal::NothingToScan));
    }
};

}  // namespace orvex::test

QTEST_GUILESS_MAIN(orvex::test::ActivityScannerTest)
#include "ActivityScannerTest.moc"
