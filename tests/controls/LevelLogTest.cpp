#include <gtest/gtest.h>

#include "controls/LevelLog.h"
#include "support/SimulatedRig.h"
#include "support/TestFiles.h"

namespace orvex::test {
namespace {

using namespace std::chrono_literals;

// 2026-12-09 03:41:07.123 UTC
constexpr std::chrono::system_clock::time_point LogTime{std::chrono::seconds{1796787667} + 123ms};

// The receiver on the beacon of the steady band, level 14 (byte 166, shown as 13.98).
struct OnTheBeacon : SimulatedRig {
    OnTheBeacon() {
        actions.startUp();
        actions.choosePort(Lpt1Base);
        actions.setPower(true);
        actions.tuneTo(137.5);
        host.run([](Receiver& r) { r.Timer1_Timer(); });
    }
};

TEST(LevelLog, AMeasurementIsOneLineOfTheSharedFormat) {
    const OnTheBeacon rig;
    EXPECT_EQ(levelLogLine(lastMeasurement(rig.receiver, LogTime)),
              "2026-12-09T03:41:07.123Z,137500000,166,13.98,30,12,1\n");
}

TEST(LevelLog, EndsOnAWholeLineAtItsLimitAndSaysSoOnce) {
    const OnTheBeacon rig;
    const TempFolder folder("orvex-level-log");
    const auto path = (folder.path() / "levels.csv").string();
    const std::string line = levelLogLine(lastMeasurement(rig.receiver, LogTime));
    MessageQueue messages;
    auto opened = LevelLog::open(path, "", LevelLogHeader.size() + 2 * line.size() + 10, messages);
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<LevelLog>>(opened));
    LevelLog& log = *std::get<std::unique_ptr<LevelLog>>(opened);
    std::vector<bool> written;
    for (int i = 0; i < 4; ++i) {
        written.push_back(log.write(lastMeasurement(rig.receiver, LogTime)));
    }
    EXPECT_EQ(written, (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(readFile(path), std::string(LevelLogHeader) + line + line);
    const std::vector<std::string> told = messages.take();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("reached its limit"), std::string::npos);
}

TEST(LevelLog, NeverEmptiesTheSettingsFile) {
    const TempFolder folder("orvex-level-log");
    const auto settings = (folder.path() / "ORVEX.ini").string();
    writeFile(settings, "[CONTROL]\nAUDIO=3\n");
    MessageQueue messages;
    auto opened = LevelLog::open(settings, settings, 0, messages);
    ASSERT_TRUE(std::holds_alternative<std::string>(opened));
    EXPECT_NE(std::get<std::string>(opened).find("is the settings file"), std::string::npos);
    EXPECT_EQ(readFile(settings), "[CONTROL]\nAUDIO=3\n");
}

}  // namespace
}  // namespace orvex::test
