#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <thread>

#include <gtest/gtest.h>

#include "settings/IniFileStore.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;

struct CollectedMessages : MessageSink {
    void post(std::string message) override { all.push_back(std::move(message)); }
    std::vector<std::string> all;
};

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

const SettingsStore::Values PowerOff{{"AUDIO", "3"},
                                     {"SQL", "0.25"},
                                     {"OFF_FREQUENCY", "137125"},
                                     {"STEP_FREQ", "10"},
                                     {"PORT", "888"}};
const std::string PowerOffFile =
    "[CONTROL]\nAUDIO=3\nSQL=0.25\nOFF_FREQUENCY=137125\nSTEP_FREQ=10\nPORT=888\n";

class SettingsFile : public ::testing::Test {
protected:
    ~SettingsFile() override {
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder);
    }

    // Permission bits do not stop root, who runs the suite in CI.
    static bool permissionsApply() { return ::geteuid() != 0; }

    void expectOneSaveMessage(const std::string& reason) {
        ASSERT_EQ(messages.all.size(), 1u);
        EXPECT_TRUE(messages.all[0].starts_with("Could not save the settings to " + file.string()))
            << messages.all[0];
        EXPECT_NE(messages.all[0].find(reason), std::string::npos) << messages.all[0];
        EXPECT_TRUE(
            messages.all[0].ends_with("Your settings are still in effect but were not saved."));
    }

    static fs::path makeFolder() {
        std::string pattern = (fs::temp_directory_path() / "orvex-settings-XXXXXX").string();
        return ::mkdtemp(pattern.data());
    }

    fs::path folder = makeFolder();
    fs::path file = folder / "ORVEX.ini";
    CollectedMessages messages;
    IniFileStore store{file, messages};
};

TEST_F(SettingsFile, PowerOffSaveCreatesTheFolderAndFileAndReadsBack) {
    file = folder / "config" / "orvex" / "ORVEX.ini";
    IniFileStore nested(file, messages);
    EXPECT_TRUE(nested.save(PowerOff));
    EXPECT_EQ(contents(file), PowerOffFile);
    const SettingsSnapshot read = nested.load();
    for (const auto& [key, value] : PowerOff) {
        EXPECT_EQ(read.value(key), value);
    }
    EXPECT_TRUE(messages.all.empty());
}

TEST_F(SettingsFile, SavedFileParsesWithPythonsConfigparser) {
    ASSERT_TRUE(store.save(PowerOff));
    const std::string command =
        "python3 -c 'import configparser, sys\n"
        "c = configparser.ConfigParser(interpolation=None)\n"
        "c.read(sys.argv[1])\n"
        "print(*(k + \"=\" + v for k, v in c[\"CONTROL\"].items()))' '" +
        file.string() + "'";
    FILE* python = ::popen(command.c_str(), "r");
    ASSERT_NE(python, nullptr);
    std::string output(4096, '\0');
    output.resize(std::fread(output.data(), 1, output.size(), python));
    ASSERT_EQ(::pclose(python), 0) << "python3 is needed; test.sh installs it";
    EXPECT_EQ(output, "audio=3 sql=0.25 off_frequency=137125 step_freq=10 port=888\n");
}

TEST_F(SettingsFile, SecondSaveReplacesEachValueInPlace) {
    ASSERT_TRUE(store.save(PowerOff));
    ASSERT_TRUE(store.save({{"PORT", "632"},
                            {"AUDIO", "7"},
                            {"SQL", "0"},
                            {"OFF_FREQUENCY", "143995"},
                            {"STEP_FREQ", "5"}}));
    EXPECT_EQ(contents(file),
              "[CONTROL]\nAUDIO=7\nSQL=0\nOFF_FREQUENCY=143995\nSTEP_FREQ=5\nPORT=632\n");
}

TEST_F(SettingsFile, KeepsEveryOtherLineByteForByte) {
    const std::string before =
        "; written by hand\r\n[Radio]\r\nAUDIO = 1\r\n\r\n[control]\r\n  audio = 1  \r\n"
        "CHANNEL_2=140125\r\nSQL=0.5 ; old\r\n\r\n# end\r\n[CONTROL]\r\nPORT = 632";
    write(file, before);
    ASSERT_TRUE(store.save(PowerOff));
    EXPECT_EQ(contents(file),
              "; written by hand\r\n[Radio]\r\nAUDIO = 1\r\n\r\n[control]\r\naudio=3\r\n"
              "CHANNEL_2=140125\r\nSQL=0.25\r\n\r\n# end\r\n[CONTROL]\r\nPORT=888\r\n"
              "OFF_FREQUENCY=137125\r\nSTEP_FREQ=10\r\n");
    EXPECT_EQ(store.load().value("CHANNEL_2"), "140125");
}

TEST_F(SettingsFile, MissingFileLoadsEmptyWithoutAMessage) {
    EXPECT_FALSE(store.load().value("AUDIO"));
    EXPECT_TRUE(messages.all.empty());
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(SettingsFile, FolderThatCannotBeCreatedFailsWithAMessage) {
    write(folder / "blocker", "not a folder");
    file = folder / "blocker" / "orvex" / "ORVEX.ini";
    IniFileStore blocked(file, messages);
    EXPECT_FALSE(blocked.save(PowerOff));
    expectOneSaveMessage((folder / "blocker").string() + " is a file, not a folder");
    EXPECT_EQ(contents(folder / "blocker"), "not a folder");
}

TEST_F(SettingsFile, WhatIsNoSettingsFileIsReportedAndLeftAlone) {
    const std::vector<std::pair<std::function<void()>, std::string>> cases{
        {[&] { fs::create_directory(file); }, "it is a folder, not a file"},
        {[&] { ::mkfifo(file.c_str(), 0600); }, "it is not a regular file"},
        {[&] {
             write(file, "");
             fs::resize_file(file, IniFileStore::MaxBytes + 1);
         },
         "it is larger than 16 MB, far too large for a settings file"},
    };
    for (const auto& [make, reason] : cases) {
        make();
        const fs::file_type type = fs::status(file).type();
        EXPECT_FALSE(store.load().value("AUDIO"));
        ASSERT_EQ(messages.all.size(), 1u);
        EXPECT_EQ(messages.all[0],
                  "Could not read the settings from " + file.string() + ": " + reason + ".");
        messages.all.clear();
        EXPECT_FALSE(store.save(PowerOff));
        expectOneSaveMessage("cannot be read, so it was left as it is: " + reason);
        messages.all.clear();
        EXPECT_EQ(fs::status(file).type(), type);
        fs::remove(file);
    }
}

TEST_F(SettingsFile, ValueThatWouldBreakTheFileIsRefusedAndNothingWritten) {
    write(file, PowerOffFile);
    EXPECT_FALSE(store.save({{"AUDIO", "5"}, {"SQL", "1\n[EVIL]"}}));
    expectOneSaveMessage("the value for SQL contains a line break");
    EXPECT_EQ(contents(file), PowerOffFile);
}

// Runs in a child process: exits 0 when the save failed, with the message on standard error.
void saveUnderFileSizeLimit(IniFileStore& store, CollectedMessages& messages) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{10, RLIM_INFINITY};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const bool saved = store.save({{"CHANNEL_1", "140125"}});
    limit.rlim_cur = RLIM_INFINITY;  // the message goes to a file too
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::cerr << (messages.all.empty() ? "" : messages.all[0]);
    std::_Exit(saved ? 1 : 0);
}

TEST_F(SettingsFile, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    write(file, PowerOffFile);
    // A file-size limit makes the write fail the way a full disk does, even for root.
    EXPECT_EXIT(saveUnderFileSizeLimit(store, messages), ::testing::ExitedWithCode(0),
                "the file would be larger than the system allows");
    EXPECT_EQ(contents(file), PowerOffFile);
    EXPECT_FALSE(fs::exists(folder / "ORVEX.ini.tmp"));
}

TEST_F(SettingsFile, KeepsTheFilesPermissionsAndALinkToIt) {
    fs::create_directory(folder / "dotfiles");
    write(folder / "dotfiles" / "ORVEX.ini", "[CONTROL]\nAUDIO=1\n");
    fs::permissions(folder / "dotfiles" / "ORVEX.ini", fs::perms(0640));
    fs::create_symlink(folder / "dotfiles" / "ORVEX.ini", file);
    ASSERT_TRUE(store.save({{"AUDIO", "2"}}));
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(contents(file), "[CONTROL]\nAUDIO=2\n");
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0640));
}

TEST_F(SettingsFile, ReadOnlyFileIsLeftAsItWas) {
    if (!permissionsApply()) {
        GTEST_SKIP() << "root writes read-only files";
    }
    write(file, PowerOffFile);
    fs::permissions(file, fs::perms(0444));
    EXPECT_FALSE(store.save({{"AUDIO", "5"}}));
    expectOneSaveMessage("the file is read-only (Permission denied)");
    EXPECT_EQ(contents(file), PowerOffFile);
}

TEST_F(SettingsFile, ReadOnlyFolderIsLeftAsItWas) {
    if (!permissionsApply()) {
        GTEST_SKIP() << "root writes into read-only folders";
    }
    write(file, PowerOffFile);
    fs::permissions(folder, fs::perms(0555));
    EXPECT_FALSE(store.save({{"AUDIO", "5"}}));
    expectOneSaveMessage("the folder is read-only (Permission denied)");
    EXPECT_EQ(contents(file), PowerOffFile);
}

TEST_F(SettingsFile, UnreadableFileIsReportedAndNeverReplaced) {
    if (!permissionsApply()) {
        GTEST_SKIP() << "root reads any file";
    }
    write(file, PowerOffFile);
    fs::permissions(file, fs::perms(0200));
    EXPECT_FALSE(store.load().value("AUDIO"));
    ASSERT_EQ(messages.all.size(), 1u);
    EXPECT_NE(messages.all[0].find("you do not have permission to read it"), std::string::npos);
    messages.all.clear();
    EXPECT_FALSE(store.save({{"AUDIO", "5"}}));
    expectOneSaveMessage("cannot be read, so it was left as it is");
    fs::permissions(file, fs::perms(0600));
    EXPECT_EQ(contents(file), PowerOffFile);
}

TEST_F(SettingsFile, SaveGivesUpWhenAnotherCopyHoldsTheLock) {
    write(file, PowerOffFile);
    const int held = ::open((folder / "ORVEX.ini.lock").c_str(), O_RDONLY | O_CREAT, 0600);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    IniFileStore impatient(file, messages, std::chrono::milliseconds(50));
    EXPECT_FALSE(impatient.save({{"AUDIO", "5"}}));
    ::close(held);
    expectOneSaveMessage("another copy of the program is saving the settings");
    EXPECT_EQ(contents(file), PowerOffFile);
}

// Each writer owns some keys and saves them many times; without the lock, one writer's save
// based on an older read would drop another's keys.
constexpr int Rounds = 25;

void saveRepeatedly(const fs::path& file, int writer) {
    CollectedMessages ignored;
    IniFileStore store(file, ignored);
    for (int round = 0; round < Rounds; ++round) {
        const std::string n = std::to_string(writer);
        store.save(
            {{"KEY_" + n + "_" + std::to_string(round), n}, {"LAST_" + n, std::to_string(round)}});
    }
}

void expectEveryWritersKeys(IniFileStore& store, int writers) {
    const SettingsSnapshot read = store.load();
    for (int writer = 0; writer < writers; ++writer) {
        const std::string n = std::to_string(writer);
        EXPECT_EQ(read.value("LAST_" + n), std::to_string(Rounds - 1));
        for (int round = 0; round < Rounds; ++round) {
            EXPECT_EQ(read.value("KEY_" + n + "_" + std::to_string(round)), n);
        }
    }
}

TEST_F(SettingsFile, SavesFromTwoProcessesBothLand) {
    std::vector<pid_t> children;
    for (int writer = 0; writer < 2; ++writer) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            saveRepeatedly(file, writer);
            std::_Exit(0);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    expectEveryWritersKeys(store, 2);
}

TEST_F(SettingsFile, SavesFromThreadsWithTheirOwnStoresAllLand) {
    std::vector<std::thread> threads;
    for (int writer = 0; writer < 3; ++writer) {
        threads.emplace_back(saveRepeatedly, file, writer);
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    expectEveryWritersKeys(store, 3);
}

}  // namespace
}  // namespace orvex
