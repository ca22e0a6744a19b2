#include <cerrno>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "hardware/ppdev/PpdevProbe.h"
#include "hardware/ppdev/PpdevSystem.h"
#include "support/TestFiles.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;

// The real calls, on ordinary files where no parallel port is needed.
TEST(LinuxPpdevSystem, ReadsTheKernelsFilesAndReportsWhatIsMissing) {
    const test::TempFolder temp("orvex-ppdev");
    const fs::path folder = temp.path() / "parport";
    fs::create_directories(folder / "parport0");
    std::ofstream(folder / "parport0" / "base-addr") << "888\t1912\n";

    const auto system = makeLinuxPpdevSystem();
    EXPECT_EQ(system->entries(folder.string()), std::vector<std::string>{"parport0"});
    EXPECT_EQ(system->readFile((folder / "parport0" / "base-addr").string()), "888\t1912\n");
    EXPECT_EQ(system->readFile((folder / "missing").string()), std::nullopt);
    EXPECT_TRUE(system->entries((folder / "missing").string()).empty());
    EXPECT_EQ(system->open((folder / "missing").string()).error, ENOENT);

    // A plain file is no port: the driver's request fails instead of reaching anything.
    const SysResult file = system->open((folder / "parport0" / "base-addr").string());
    ASSERT_FALSE(file.failed());
    EXPECT_TRUE(system->ioctl(file.value, 0, nullptr).failed());
    system->close(file.value);

    EXPECT_FALSE(probePpdev(*system, folder.string()).found());
}

}  // namespace
}  // namespace orvex
