#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "controls/ChannelBank.h"
#include "support/SettingsFileRig.h"
#include "support/TestFiles.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;
using test::contents;
using test::write;

constexpr const char* TwoChannels =
    "Location,Frequency,Name,TStep\n# first\n1,137.620,NOAA 15,10\n2,137.500,Beacon,100\n";

// A bank file of the test's own in a fresh folder.
class Bank : public ::testing::Test {
protected:
    Channel channel(int location, std::int32_t kHz) const {
        Channel made;
        made.location = location;
        made.kHz = kHz;
        made.stepKHz = 10;
        return made;
    }

    test::TempFolder folder{"orvex-bank"};
    fs::path file = folder.path() / "channels.csv";
    test::CollectedMessages messages;
    ChannelBank bank{file, messages};
};

struct Damage {
    const char* what;
    bool needsPermissionBits;
    void (*make)(const fs::path& file);
};

std::ostream& operator<<(std::ostream& out, const Damage& damage) {
    return out << damage.what;
}

class DamagedBankFile : public Bank, public ::testing::WithParamInterface<Damage> {};

// One clear message, an empty bank that refuses every change, and the file as it was.
TEST_P(DamagedBankFile, IsToldOnceAndNeverWrittenOver) {
    if (GetParam().needsPermissionBits && ::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    GetParam().make(file);
    struct stat before {};
    ::stat(file.c_str(), &before);
    const std::string bytes = fs::is_regular_file(file) && ::access(file.c_str(), R_OK) == 0
                                  ? contents(file)
                                  : std::string();

    const BankReport report = bank.load();
    EXPECT_FALSE(report.problem.empty());
    ASSERT_EQ(messages.all.size(), 1u);
    EXPECT_NE(messages.all.front().find(file.string()), std::string::npos) << messages.all.front();
    EXPECT_TRUE(bank.empty());

    EXPECT_FALSE(bank.put(1, channel(1, 137620)));
    fs::path other = folder.path() / "other.csv";
    write(other, TwoChannels);
    EXPECT_FALSE(bank.importFrom(other).problem.empty());

    struct stat after {};
    ::stat(file.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(after.st_size, before.st_size);
    if (!bytes.empty()) {
        EXPECT_EQ(contents(file), bytes);
    }
    fs::permissions(file, fs::perms::owner_all, fs::perm_options::add);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DamagedBankFile,
    ::testing::Values(Damage{"binary", false,
                             [](const fs::path& file) {
                                 write(file, std::string("Loc\0\x01\x02 tion", 12));
                             }},
                      Damage{"twenty megabytes", false,
                             [](const fs::path& file) {
                                 std::string bytes(20u << 20, '\0');
                                 for (std::size_t i = 0; i < bytes.size(); i += 7) {
                                     bytes[i] = static_cast<char>(i * 31);
                                 }
                                 write(file, bytes);
                             }},
                      Damage{"not readable", true,
                             [](const fs::path& file) {
                                 write(file, TwoChannels);
                                 fs::permissions(file, fs::perms::owner_write);
                             }},
                      Damage{"no regular file", false, [](const fs::path& file) {
                                 ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
                             }}));

TEST_F(Bank, ChangesAreSavedAtOnceKeepingCommentsAndRowsItCannotTake) {
    write(file,
          "Location,Frequency,Name,TStep\n# first\n1,137.620,NOAA 15,10\n"
          "2,136.7083,odd,5\n3,137.500,Beacon,100\n");
    const BankReport report = bank.load();
    EXPECT_EQ(report.taken, 2);
    ASSERT_EQ(report.refused.size(), 1u);

    ASSERT_TRUE(bank.put(4, channel(4, 140250)));
    ASSERT_TRUE(bank.setSkip(3, true));
    ASSERT_TRUE(bank.remove(1));
    const std::string saved = contents(file);
    EXPECT_NE(saved.find("# first\r\n2,odd,136.7083,"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\r\n3,Beacon,137.500000,"), std::string::npos) << saved;
    EXPECT_NE(saved.find(",100.00,S,"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\r\n4,,140.250000,"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("NOAA"), std::string::npos) << saved;

    ChannelBank again(file, messages);
    again.load();
    EXPECT_EQ(again.channels(), bank.channels());
}

TEST_F(Bank, ImportMergesByLocationAndLeavesTheBankAloneWhenTheFileIsBad) {
    write(file, TwoChannels);
    bank.load();
    const fs::path bad = folder.path() / "bad.csv";
    write(bad, std::string("Location,Frequency\n1,\0", 22));
    EXPECT_FALSE(bank.importFrom(bad).problem.empty());
    EXPECT_FALSE(bank.importFrom(folder.path() / "missing.csv").problem.empty());
    EXPECT_EQ(contents(file), TwoChannels);

    const fs::path other = folder.path() / "other.csv";
    write(other, "Location,Frequency,Name\n2,140.250,Telemetry\n7,138.000,New\n9,150.000,far\n");
    const BankReport report = bank.importFrom(other);
    EXPECT_EQ(report.taken, 2);
    EXPECT_EQ(report.replaced, 1);
    EXPECT_EQ(report.refused.size(), 1u);
    EXPECT_FALSE(report.allTaken());
    ASSERT_EQ(bank.channels().size(), 3u);
    EXPECT_EQ(bank.find(2)->name, "Telemetry");
    EXPECT_EQ(bank.find(7)->kHz, 138000);
    EXPECT_NE(contents(file).find("# first\r\n1,NOAA 15"), std::string::npos);
}

TEST_F(Bank, AChangeByAnotherProgramIsNeverOverwritten) {
    write(file, TwoChannels);
    bank.load();
    const std::string theirs = std::string(TwoChannels) + "3,139.000,theirs,10\n";
    write(file, theirs);
    EXPECT_FALSE(bank.put(5, channel(5, 141000)));
    EXPECT_EQ(contents(file), theirs);
    EXPECT_TRUE(bank.find(3).has_value());  // read again
    EXPECT_TRUE(bank.put(5, channel(5, 141000)));
}

TEST_F(Bank, ExportNeverReplacesAFileOfAnotherKind) {
    write(file, TwoChannels);
    bank.load();
    const fs::path settings = folder.path() / "ORVEX.ini";
    write(settings, "[CONTROL]\nAUDIO=3\n");
    EXPECT_FALSE(bank.exportTo(settings));
    EXPECT_EQ(contents(settings), "[CONTROL]\nAUDIO=3\n");

    const fs::path exported = folder.path() / "export.csv";
    ASSERT_TRUE(bank.exportTo(exported));
    ASSERT_TRUE(bank.exportTo(exported));  // an earlier export may be replaced
    ChannelBank copy(exported, messages);
    copy.load();
    EXPECT_EQ(copy.channels(), bank.channels());
}

}  // namespace
}  // namespace orvex
