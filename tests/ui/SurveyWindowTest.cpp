#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QTest>
#include <map>
#include <sstream>

#include "controls/MessageQueue.h"
#include "support/ReceiverFixture.h"
#include "support/SurveyRig.h"
#include "support/TestFiles.h"
#include "ui/SurveyWindow.h"

namespace orvex::test {
namespace {

// The survey window offscreen over a survey on simulated time; its choices in memory.
struct WindowRig : SurveyRig {
    WindowRig() {
        window.show();
        QObject::connect(&survey, &Survey::sweepDone, [this] { recorder.clear(); });
    }

    void choose(double lowMHz, double highMHz, int stepKHz) {
        window.findChild<QDoubleSpinBox*>("surveyLow")->setValue(lowMHz);
        window.findChild<QDoubleSpinBox*>("surveyHigh")->setValue(highMHz);
        auto* step = window.findChild<QComboBox*>("surveyStep");
        step->setCurrentIndex(step->findData(stepKHz));
    }
    // Starts from the window and lets `count` sweeps run.
    void sweep(std::size_t count) {
        window.startOrStop();
        while (sweeps.size() < count && time->waiting()) {
            time->run(1);
        }
    }
    int channelOf(double kHz) const {
        return static_cast<int>(std::lround((kHz - window.plan().lowKHz) / window.plan().stepKHz));
    }

    MemorySettings choicesFile;
    MessageQueue choiceMessages;
    SurveyChoices choices{choicesFile, "survey.ini", choiceMessages};
    TempFolder folder{"orvex-survey-window"};
    SurveyWindow window{actions, survey, choices, folder.path() / "ORVEX.ini", nullptr};
};

// A line of rtl_power's CSV as heatmap.py reads it: split on commas, each field stripped, empty
// ones dropped; the bins at low + i x step, counting while they stay at or below high.
struct HeatmapRow {
    std::string time;
    std::vector<double> hertz;
    std::vector<double> db;
};

std::vector<HeatmapRow> heatmapRows(const std::string& csv) {
    std::map<std::string, HeatmapRow> byTime;
    std::istringstream lines(csv);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, ',');) {
            field.erase(0, field.find_first_not_of(" \t\r"));
            field.erase(field.find_last_not_of(" \t\r") + 1);
            if (!field.empty()) {
                fields.push_back(field);
            }
        }
        HeatmapRow& row = byTime[fields[0] + " " + fields[1]];
        row.time = fields[0] + " " + fields[1];
        const long long low = std::stoll(fields[2]);
        const long long high = std::stoll(fields[3]);
        const double step = std::stod(fields[4]);
        for (std::size_t i = 6; i < fields.size(); ++i) {
            const double bin = static_cast<double>(low) + static_cast<double>(i - 6) * step;
            if (bin <= static_cast<double>(high)) {
                row.hertz.push_back(bin);
                row.db.push_back(std::stod(fields[i]));
            }
        }
    }
    std::vector<HeatmapRow> rows;
    for (auto& [time, row] : byTime) {
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace

class SurveyWindowTest : public QObject {
    Q_OBJECT

private slots:
    void theExportReadWithHeatmapsRulesGivesTheWindowsLevels() {
        WindowRig rig;
        rig.choose(137.0, 138.0, 10);
        rig.sweep(3);
        rig.window.startOrStop();
        const auto path = rig.folder.path() / "survey.csv";
        rig.window.exportSweeps(QString::fromStdString(path.string()));

        const std::vector<HeatmapRow> rows = heatmapRows(readFile(path));
        const std::deque<Sweep>& shown = rig.window.history().sweeps();
        QCOMPARE(rows.size(), shown.size());
        QCOMPARE(rows.size(), std::size_t{3});
        for (std::size_t s = 0; s < rows.size(); ++s) {
            QCOMPARE(rows[s].db.size(), shown[s].bytes.size());
            for (std::size_t i = 0; i < rows[s].db.size(); ++i) {
                QCOMPARE(rows[s].hertz[i], shown[s].channelKHz(i) * 1000.0);
                QVERIFY(std::abs(rows[s].db[i] - shown[s].db(i)) < 0.005);
            }
        }
        QCOMPARE(rig.choicesFile.lastSave.size(), std::size_t{4});  // the choices are kept
    }

    void aClickTunesThereOnlyOnceTheSurveyHasStopped() {
        WindowRig rig;
        rig.actions.tuneTo(137.0);
        rig.choose(137.0, 138.0, 10);
        rig.sweep(1);
        BandView* view = rig.window.view();
        view->setCursorChannel(rig.channelOf(137500));
        QTest::keyClick(view, Qt::Key_Return);
        QVERIFY(rig.window.statusText().startsWith("Stop the survey"));
        rig.window.startOrStop();
        QCOMPARE(rig.receiver.displayedKHz(), std::optional(137000));
        QTest::keyClick(view, Qt::Key_Right);
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(rig.receiver.displayedKHz(), std::optional(137510));
    }

    void theCursorReadsTheLevelAsTheSMeterAndTheMemoriesAreMarked() {
        WindowRig rig;
        rig.actions.tuneTo(137.62);
        rig.actions.store(2);
        rig.choose(137.0, 138.0, 10);
        rig.sweep(1);
        rig.window.view()->setCursorChannel(rig.channelOf(137500));
        QCOMPARE(rig.window.view()->accessibleValueText(),
                 "137.500 MHz  S9+30 dB (+30 dB over S9)");  // the beacon, level 14
        QCOMPARE(rig.window.view()->marks().size(), 1);
        QCOMPARE(rig.window.view()->marks().front().kHz, 137620.0);
        QCOMPARE(rig.window.view()->marks().front().label, "Ch-2");
    }

    // Half an hour of the live band: transmissions come and go, the satellite passes.
    void picturesOfTheLiveBandAt100And150Percent() {
        WindowRig rig;
        rig.board.band().goLive(2026);
        rig.choose(136.0, 144.0, 10);
        rig.window.resize(900, 560);
        rig.sweep(BandView::WaterfallRows);
        const QString folder = QStringLiteral(ORVEX_TEST_ARTIFACTS "/survey");
        QDir().mkpath(folder);
        rig.window.view()->setCursorChannel(rig.channelOf(137900));
        QVERIFY(rig.window.grab().save(folder + "/survey-window.png"));
        rig.window.setZoom(1.5);
        QVERIFY(rig.window.grab().save(folder + "/survey-window-150.png"));
    }
};

}  // namespace orvex::test

QTEST_MAIN(orvex::test::SurveyWindowTest)
#include "SurveyWindowTest.moc"
