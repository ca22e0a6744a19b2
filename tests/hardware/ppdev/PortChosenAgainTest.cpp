#include <cerrno>
#include <functional>

#include <gtest/gtest.h>

#include "FakePpdevSystem.h"
#include "hardware/ppdev/PpdevPort.h"
#include "support/ReceiverFixture.h"

namespace orvex::test {
namespace {

// The receiver on LPT1 through ppdev, where the device first refuses (the user is not yet in
// group lp), and is then fixed while the program runs.
struct RefusedPort {
    RefusedPort() {
        kernel.devices = {"/fake/dev/parport0"};
        kernel.openErrors["/fake/dev/parport0"] = EACCES;
        receiver.Form_Load();
    }
    void chooseAndFix() {
        receiver.choosePort(Lpt1Base);
        kernel.openErrors.clear();
        kernel.calls.clear();
    }

    FakeKernel kernel;
    MessageQueue messages;
    PpdevPort port{messages, std::make_unique<FakePpdevSystem>(kernel),
                   PpdevPaths{"/fake/proc", "/fake/dev"}};
    Recorder recorder{&port};
    MemorySettings settings;
    Receiver receiver{recorder, recorder, settings, messages};
};

TEST(PortChosenAgain, TriesADeviceThatRefusedAgainAndKeepsOneThatOpened) {
    const std::vector<std::pair<const char*, std::function<void(Receiver&)>>> ways{
        {"--port or choosePort", [](Receiver& r) { r.choosePort(Lpt1Base); }},
        {"OK in the About window",
         [](Receiver& r) {
             r.Toggle3_Change(true);
             r.Form2_Command1_Click();
         }},
    };
    for (const auto& [way, choose] : ways) {
        SCOPED_TRACE(way);
        RefusedPort rig;
        rig.chooseAndFix();
        ASSERT_EQ(rig.messages.take().size(), 1u) << "the refusal was told";
        EXPECT_NE(rig.receiver.boardDescription(), "/fake/dev/parport0");

        choose(rig.receiver);
        EXPECT_EQ(rig.kernel.calls, (std::vector<std::string>{"open /fake/dev/parport0", "3 EXCL",
                                                              "3 CLAIM", "3 WCONTROL 11"}));
        EXPECT_EQ(rig.receiver.boardDescription(), "/fake/dev/parport0");
        EXPECT_TRUE(rig.messages.take().empty());

        rig.kernel.calls.clear();
        choose(rig.receiver);
        EXPECT_TRUE(rig.kernel.calls.empty()) << "an open port is not claimed twice";
    }
}

TEST(PortChosenAgain, AnAboutWindowThatJustTriedThePortTellsItsRefusalOnce) {
    RefusedPort rig;
    rig.receiver.Toggle3_Change(true);  // LPT1 turns on: its device is tried
    rig.receiver.Form2_Command1_Click();
    EXPECT_EQ(rig.kernel.calls, std::vector<std::string>{"open /fake/dev/parport0"});
    EXPECT_EQ(rig.messages.take().size(), 1u);
}

}  // namespace
}  // namespace orvex::test
