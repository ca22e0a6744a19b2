#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controls/ReceiverActions.h"
#include "controls/SatelliteTracking.h"
#include "remote/RigctlSession.h"
#include "support/SessionRig.h"
#include "support/TestFiles.h"

namespace orvex::test {
namespace {

using namespace std::chrono_literals;
using Time = std::chrono::system_clock::time_point;

// 2026-12-09T03:41:07Z
const Time Start = std::chrono::sys_days{std::chrono::year{2026} / 12 / 9} + 3h + 41min + 7s;

// A tracker's connection to the receiver (switched on at LPT1, the converter scripted), its
// passes logged into a folder of the test's own, on a clock the test moves.
struct TrackerRig : HostRig {
    explicit TrackerRig(PassChoices passChoices = {}) : choices(passChoices) {
        QObject::connect(&host, &ReceiverHost::message,
                         [this](const QString& text) { said.push_back(text.toStdString()); });
        host.run([](Receiver& r) { r.Form_Load(); });
        host.run([](Receiver& r) { r.choosePort(Lpt1Base); });
        host.run([](Receiver& r) { r.Toggle7_Change(true); });
        board.setBytes(90, 132);  // level 5.98, 12 V
        said.clear();
    }

    std::string ask(std::string_view bytes) { return answerAll(session, bytes).bytes; }
    // `ticks` measurements, 100 ms apart.
    void measure(int ticks) {
        for (int i = 0; i < ticks; ++i) {
            now += 100ms;
            host.run([](Receiver& r) { r.Timer1_Timer(); });
        }
    }
    std::vector<std::filesystem::path> logs() const {
        std::vector<std::filesystem::path> found;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
            found.push_back(entry.path());
        }
        return found;
    }

    TempFolder folder{"orvex-passes"};
    PassChoices choices;
    Time now = Start;
    ReceiverActions actions{host};
    SatelliteTracking tracking{actions, folder.path(), choices, [this] { return now; }};
    RigctlSession session{actions, {"127.0.0.1:40112", false, &tracking}};
    std::vector<std::string> said;
};

// A log line of the scripted converter's measurement, `ms` after the start.
std::string line(int ms, const std::string& hertz) {
    const int second = 7 + ms / 1000;
    return "2026-12-09T03:41:" + std::string(second < 10 ? "0" : "") + std::to_string(second) +
           "." + std::to_string(1000 + ms % 1000).substr(1) + "Z," + hertz + ",90,5.98,-18,12,1";
}

}  // namespace

TEST(SatellitePassTest, AosToLosLogsTheMarginBeforeEveryTickOfThePassAndTheMarginAfter) {
    TrackerRig rig({.marginBefore = 1s, .marginAfter = 1s});
    ASSERT_EQ(rig.ask("N 5000\n"), "RPRT 0\n");
    rig.measure(15);  // 1.5 s before AOS; the last second of it is kept
    rig.now += 50ms;
    ASSERT_EQ(rig.ask("AOS\n"), "RPRT 0\n");
    EXPECT_EQ(rig.actions.driver(), TuningDriver::Pass);
    ASSERT_EQ(rig.ask("F  137903200\n"), "RPRT 0\n");
    rig.measure(2);
    ASSERT_EQ(rig.ask("F  137904000\n"), "RPRT 0\n");  // the same grid point
    rig.measure(1);
    ASSERT_EQ(rig.ask("LOS\n"), "RPRT 0\n");
    EXPECT_EQ(rig.actions.driver(), std::nullopt);
    rig.measure(12);  // 1 s after LOS, and what comes after is not logged

    std::vector<std::string> expected{
        "time_utc,frequency_hz,converter_byte,level,db_over_s9,supply_volts,squelch_open"};
    for (int ms = 600; ms <= 1500; ms += 100) {
        expected.push_back(line(ms, "132000000"));
    }
    for (int ms = 1650; ms <= 2850; ms += 100) {  // three during the pass, ten after LOS
        expected.push_back(line(ms, "137905000"));
    }
    const std::vector<std::filesystem::path> logs = rig.logs();
    ASSERT_EQ(logs.size(), 1U);
    EXPECT_EQ(logs.front().filename(), "20261209T034108Z-132.000MHz.csv");
    std::string text;
    for (const std::string& l : expected) {
        text += l + "\n";
    }
    EXPECT_EQ(readFile(logs.front()), text);
    EXPECT_EQ(rig.tracking.log(), nullptr);
    EXPECT_TRUE(rig.receiver.poweredOn());  // switching off was not chosen
}

TEST(SatellitePassTest, APassWithoutLosEndsWhenTheTrackerSendsNoFrequencyForTheQuietTime) {
    TrackerRig rig({.switchOffAtLos = true, .marginBefore = 0s, .quietTimeout = 120s});
    ASSERT_EQ(rig.ask("AOS\nF  137100000\n"), "RPRT 0\nRPRT 0\n");
    rig.now += 100s;
    ASSERT_EQ(rig.ask("F  137100000\n"), "RPRT 0\n");  // the quiet time counts from here
    rig.now += 119s;
    rig.measure(1);
    ASSERT_NE(rig.tracking.log(), nullptr);
    rig.measure(10);
    EXPECT_EQ(rig.tracking.log(), nullptr);
    EXPECT_EQ(rig.actions.driver(), std::nullopt);
    EXPECT_FALSE(rig.receiver.poweredOn());
    EXPECT_NE(std::find_if(rig.said.begin(), rig.said.end(),
                           [](const std::string& text) {
                               return text.ends_with(
                                   "is complete, 10 lines: gpredict sent no frequency for 120 s");
                           }),
              rig.said.end());
}

TEST(SatellitePassTest, AosSwitchesOnTakesTheTuningFromTheScanAndTheTrackersFrequenciesKeepIt) {
    TrackerRig rig;
    ASSERT_EQ(rig.ask("\\set_powerstat 0\ng VFO 0\n"), "RPRT 0\nRPRT 0\n");
    ASSERT_EQ(rig.ask("AOS\n"), "RPRT 0\n");
    EXPECT_TRUE(rig.receiver.poweredOn());
    EXPECT_FALSE(rig.receiver.scanning());
    ASSERT_EQ(rig.ask("F  137620000\nF  137620000\n"), "RPRT 0\nRPRT 0\n");
    EXPECT_EQ(rig.actions.driver(), TuningDriver::Pass);

    // The operator's scan takes the tuning: the pass is over.
    ASSERT_TRUE(rig.actions.setScan(true).succeeded());
    EXPECT_EQ(rig.tracking.log(), nullptr);
    EXPECT_EQ(rig.said.back().substr(rig.said.back().rfind(':')),
              ": something else took the tuning");
}

TEST(SatellitePassTest, AClientsFrequencyStopsAScanEvenOnTheGridPointShownAndSaysWhoStoppedIt) {
    TrackerRig rig;
    const auto scanThenTune = [&](const std::string& frequency) {
        rig.said.clear();
        EXPECT_EQ(rig.ask("g VFO 0\n" + frequency), "RPRT 0\nRPRT 0\n");
        EXPECT_FALSE(rig.receiver.scanning());
        EXPECT_EQ(rig.actions.driver(), std::nullopt);
        return rig.said;
    };
    EXPECT_EQ(
        scanThenTune("F 137500000\n"),
        std::vector<std::string>{"127.0.0.1:40112 stopped the scanner and tuned to 137.500 MHz"});
    const std::string shown = std::to_string(*rig.receiver.displayedKHz()) + "000";
    EXPECT_EQ(scanThenTune("F  " + shown + "\n"),
              std::vector<std::string>{"gpredict stopped the scanner and tuned to " +
                                       megahertzText(*rig.receiver.displayedKHz())});
}

TEST(SatellitePassTest, ThePanelNotesWhatTheClientAskedBesideTheGridPointForAsLongAsItSteers) {
    TrackerRig rig;
    ASSERT_EQ(rig.ask("N 5000\nF  137903200\n"), "RPRT 0\nRPRT 0\n");
    EXPECT_EQ(rig.tracking.steeringNote(), "gpredict asks 137.9032 MHz, tuned 137.905");
    rig.now += SatelliteTracking::SteeringQuiet;
    rig.measure(1);
    EXPECT_EQ(rig.tracking.steeringNote(), "");

    ASSERT_EQ(rig.ask("F  137903200\n"), "RPRT 0\n");
    ASSERT_TRUE(rig.actions.stepUp().succeeded());  // the wheel: the client's point is gone
    EXPECT_EQ(rig.tracking.steeringNote(), "");

    {
        RigctlSession other(rig.actions, {"127.0.0.1:40113", false, &rig.tracking});
        ASSERT_EQ(answerAll(other, "F 137500000\n").bytes, "RPRT 0\n");
        EXPECT_EQ(rig.tracking.steeringNote(), "127.0.0.1:40113 asks 137.5 MHz, tuned 137.500");
    }
    EXPECT_EQ(rig.tracking.steeringNote(), "");  // the client left
}

TEST(SatellitePassTest, APassFolderThatCannotBeMadeIsReportedAndChangesNothing) {
    TrackerRig rig;
    ASSERT_EQ(rig.ask("\\set_powerstat 0\n"), "RPRT 0\n");
    writeFile(rig.folder.path() / "passes", "a file where the folder should be");
    SatelliteTracking blocked(rig.actions, rig.folder.path() / "passes", {});
    RigctlSession session(rig.actions, {"127.0.0.1:40114", false, &blocked});
    rig.said.clear();
    EXPECT_EQ(answerAll(session, "AOS\n").bytes, "RPRT -6\n");
    EXPECT_FALSE(rig.receiver.poweredOn());
    ASSERT_EQ(rig.said.size(), 1U);
    EXPECT_NE(rig.said.front().find("Cannot make a pass log in"), std::string::npos);
}

TEST(SatellitePassTest, TheChoicesFileKeepsEachChoiceOnItsOwnAndWritesOnlyWhatChanged) {
    MemorySettings file;
    MessageQueue messages;
    file.set("SWITCH_OFF_AT_LOS", "1");
    file.set("MARGIN_BEFORE", "45");
    file.set("MARGIN_AFTER", "-3");
    file.set("LONGEST_PASS", "twenty");
    PassChoicesFile choices(file, messages, "passes.ini");
    const PassChoices loaded = choices.load();
    PassChoices expected;
    expected.switchOffAtLos = true;
    expected.marginBefore = 45s;
    EXPECT_EQ(loaded, expected);
    EXPECT_EQ(messages.take(),
              (std::vector<std::string>{
                  "passes.ini holds MARGIN_AFTER=-3, not a whole number of seconds up to a day: "
                  "the default is used",
                  "passes.ini holds LONGEST_PASS=twenty, not a whole number of seconds up to a "
                  "day: the default is used"}));

    PassChoices changed = loaded;
    changed.switchOnAtAos = false;
    changed.marginAfter = 0s;
    ASSERT_TRUE(choices.saveChanges(loaded, changed));
    EXPECT_EQ(file.lastSave,
              (SettingsStore::Values{{"SWITCH_ON_AT_AOS", "0"}, {"MARGIN_AFTER", "0"}}));
    EXPECT_EQ(choices.load(), changed);
}

}  // namespace orvex::test
