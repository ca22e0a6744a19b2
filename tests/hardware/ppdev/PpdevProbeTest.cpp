#include <cerrno>

#include <gtest/gtest.h>

#include "FakePpdevSystem.h"
#include "hardware/ppdev/PpdevProbe.h"

namespace orvex {
namespace {

class BoardChoice : public ::testing::Test {
protected:
    PpdevProbe probe() { return probePpdev(system, "/fake/dev"); }

    FakeKernel kernel;
    FakePpdevSystem system{kernel};
};

TEST_F(BoardChoice, TakesTheFirstParportThatOpensInNumberOrderAndLeavesItClosed) {
    kernel.folders["/fake/dev"] = {"parport10", "tty0", "parport2", "parport1", "parportx"};
    kernel.devices = {"/fake/dev/parport2", "/fake/dev/parport10"};
    kernel.openErrors["/fake/dev/parport1"] = EACCES;

    const PpdevProbe found = probe();
    EXPECT_TRUE(found.found());
    EXPECT_EQ(found.device, "/fake/dev/parport2");
    EXPECT_EQ(kernel.calls, (std::vector<std::string>{"open /fake/dev/parport1",
                                                      "open /fake/dev/parport2", "close 3"}));
}

TEST_F(BoardChoice, SaysThereIsNoPortWhenNoDeviceExists) {
    kernel.folders["/fake/dev"] = {"tty0", "lp0"};
    const PpdevProbe found = probe();
    EXPECT_FALSE(found.found());
    EXPECT_EQ(found.reason,
              "No parallel port found in /fake/dev: load the parport_pc module (sudo modprobe "
              "parport_pc)");
}

TEST_F(BoardChoice, GivesTheFirstRefusalAsTheReason) {
    kernel.folders["/fake/dev"] = {"parport1", "parport0"};
    kernel.openErrors["/fake/dev/parport0"] = EACCES;
    kernel.openErrors["/fake/dev/parport1"] = ENXIO;

    const PpdevProbe found = probe();
    EXPECT_FALSE(found.found());
    EXPECT_EQ(found.reason,
              "No permission to use /fake/dev/parport0: join the lp group (sudo usermod -aG lp "
              "$USER) and log in again");
}

}  // namespace
}  // namespace orvex
