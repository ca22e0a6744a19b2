#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <iostream>
#include <iterator>
#include <thread>

#include <gtest/gtest.h>

#include "files/WriteRights.h"
#include "settings/IniFileStore.h"
#include "support/SettingsFileRig.h"
#include "support/SudoEnvironment.h"

// The rules every write of the program keeps, shown through the settings store, their chief
// user: folders made or refused, temporaries, links, modes, the lock, and runs with root rights.
namespace orvex {
namespace {

namespace fs = std::filesystem;
using test::CollectedMessages;
using test::contents;
using test::PowerOff;
using test::PowerOffFile;
using test::SettingsFile;
using test::strayEntries;
using test::write;

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
    EXPECT_TRUE(strayEntries(folder).empty());
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

TEST_F(SettingsFile, ALinkWhoseTargetIsNotThereYetGetsItsTargetMadeThroughIt) {
    fs::create_directory(folder / "dotfiles");
    for (const fs::path& target :
         {folder / "dotfiles" / "absolute.ini", fs::path("..") / "dotfiles" / "relative.ini"}) {
        fs::create_directory(folder / "config");
        const fs::path link = folder / "config" / "ORVEX.ini";
        fs::create_symlink(target, link);
        IniFileStore linked(link, messages);
        EXPECT_TRUE(linked.save(PowerOff));
        EXPECT_TRUE(fs::is_symlink(link)) << target;
        EXPECT_EQ(contents(folder / "dotfiles" / target.filename()), PowerOffFile);
        fs::remove_all(folder / "config");
    }
    EXPECT_TRUE(messages.all.empty());
}

TEST_F(SettingsFile, NothingPlantedAtTheTemporaryOrLockNameIsFollowedOrBlocksASave) {
    fs::create_directory(folder / "ORVEX.ini.tmp");  // the name older versions used
    EXPECT_TRUE(store.save(PowerOff));
    EXPECT_EQ(contents(file), PowerOffFile);
    EXPECT_TRUE(fs::is_directory(folder / "ORVEX.ini.tmp"));

    fs::remove(folder / "ORVEX.ini.lock");
    fs::create_symlink(folder / "elsewhere.lock", folder / "ORVEX.ini.lock");
    EXPECT_FALSE(store.save({{"AUDIO", "5"}}));
    expectOneSaveMessage("ORVEX.ini.lock is a symbolic link, which is never followed; remove it");
    EXPECT_FALSE(fs::exists(folder / "elsewhere.lock"));
    EXPECT_EQ(contents(file), PowerOffFile);
}

TEST_F(SettingsFile, ATemporaryLeftByAKilledCopyIsRemovedByTheNextSave) {
    write(folder / ".ORVEX.ini.tmp-a1B2c3D4e5", "[CONTROL]\nAUDIO=");
    EXPECT_TRUE(store.save(PowerOff));
    EXPECT_TRUE(strayEntries(folder).empty());
}

TEST_F(SettingsFile, ReadOnlyFileIsLeftAsItWasEvenByRoot) {
    write(file, PowerOffFile);
    fs::permissions(file, fs::perms(0444));
    EXPECT_FALSE(store.save({{"AUDIO", "5"}}));
    expectOneSaveMessage("the file is read-only");
    EXPECT_EQ(contents(file), PowerOffFile);
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0444));
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

TEST_F(SettingsFile, TheLockFileIsItsOwnersAloneEvenOneAnOlderVersionMadeForAll) {
    const fs::path lock = folder / "ORVEX.ini.lock";
    for (const bool older : {false, true}) {
        if (older) {
            write(lock, "");
            fs::permissions(lock, fs::perms(0644));
        }
        ASSERT_TRUE(store.save(PowerOff));
        EXPECT_EQ(fs::status(lock).permissions(), fs::perms(0600)) << older;
        fs::remove(lock);
    }
}

// Each writer owns some keys and saves them many times; without the lock, one writer's save
// based on an older read would drop another's keys.
constexpr int Rounds = 25;

void saveRepeatedly(const fs::path& file, int writer) {
    CollectedMessages ignored;
    // Writers that save without a pause can keep one waiting past the program's short wait;
    // here every save must wait its turn.
    IniFileStore store(file, ignored, std::chrono::seconds(30));
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

// The user who started the program with sudo, and a user with nothing to do with it.
constexpr uid_t Invoker = 65534;
constexpr uid_t Stranger = 65533;

void own(const fs::path& path, uid_t user) {
    ASSERT_EQ(::lchown(path.c_str(), user, user), 0) << path;
}

uid_t ownerOf(const fs::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_uid : static_cast<uid_t>(-1);
}

// Files of other users can only be made by root, as CI runs the suite.
class OtherUsersFiles : public SettingsFile {
protected:
    void SetUp() override {
        if (::geteuid() != 0) {
            GTEST_SKIP() << "making files of other users needs root, as in CI";
        }
    }
};

// The program as `sudo -E orvex` starts it: root rights, SUDO_UID and SUDO_GID naming Invoker.
class RootRun : public OtherUsersFiles {
protected:
    test::SudoEnvironment sudoEnvironment{Invoker};
};

TEST_F(RootRun, WritesThroughNoLinkIntoNoFolderAndOverNoFileOfAnotherUser) {
    const fs::path system = folder / "etc";  // stands for /etc: root's
    fs::create_directory(system);
    const std::string passwd = "root:x:0:0:root:/root:/bin/sh\n";
    write(system / "passwd", passwd);
    const auto link = [&](const fs::path& to, uid_t owner) {
        fs::create_symlink(to, file);
        own(file, owner);
        return file;
    };
    const std::vector<std::pair<std::string, std::function<fs::path()>>> cases{
        {"another user's link", [&] { return link(system / "passwd", Stranger); }},
        {"the invoking user's link to root's file",
         [&] { return link(system / "passwd", Invoker); }},
        {"the invoking user's link into root's folder",
         [&] { return link(system / "new.ini", Invoker); }},
        {"another user's file",
         [&] {
             write(file, PowerOffFile);
             own(file, Stranger);
             return file;
         }},
        {"another user's folder",
         [&] {
             fs::create_directory(folder / "other");
             own(folder / "other", Stranger);
             return folder / "other" / "ORVEX.ini";
         }},
    };
    for (const auto& [name, plant] : cases) {
        SCOPED_TRACE(name);
        const fs::path path = plant();
        IniFileStore sudo(path, messages);
        EXPECT_FALSE(sudo.save(PowerOff));
        ASSERT_EQ(messages.all.size(), 1u);
        EXPECT_NE(messages.all[0].find("belongs to"), std::string::npos) << messages.all[0];
        EXPECT_NE(messages.all[0].find("run it as yourself instead"), std::string::npos);
        EXPECT_EQ(contents(system / "passwd"), passwd);
        EXPECT_EQ(std::distance(fs::directory_iterator(system), {}), 1);  // no lock, no new file
        if (fs::is_regular_file(fs::symlink_status(file))) {
            EXPECT_EQ(contents(file), PowerOffFile);
        }
        if (fs::exists(folder / "other")) {
            EXPECT_TRUE(fs::is_empty(folder / "other"));
        }
        messages.all.clear();
        fs::remove(file);
        fs::remove_all(folder / "other");
    }
}

TEST_F(RootRun, WhatItMakesInTheUsersHomeIsTheUsersAndTheUsersLinksAreFollowed) {
    const fs::path home = folder / "home";
    fs::create_directories(home / "dotfiles");
    own(home, Invoker);
    own(home / "dotfiles", Invoker);
    const fs::path config = home / ".config" / "orvex";
    IniFileStore sudo(config / "ORVEX.ini", messages);
    ASSERT_TRUE(sudo.save(PowerOff)) << messages.all[0];
    fs::create_symlink(home / "dotfiles" / "ORVEX.ini", config / "linked.ini");
    own(config / "linked.ini", Invoker);
    IniFileStore linked(config / "linked.ini", messages);
    ASSERT_TRUE(linked.save(PowerOff)) << messages.all[0];

    for (const fs::path& made :
         {home / ".config", config, config / "ORVEX.ini", config / "ORVEX.ini.lock",
          home / "dotfiles" / "ORVEX.ini", home / "dotfiles" / "ORVEX.ini.lock"}) {
        struct stat info {};
        ASSERT_EQ(::lstat(made.c_str(), &info), 0) << made;
        EXPECT_EQ(info.st_uid, Invoker) << made;
        EXPECT_EQ(info.st_gid, Invoker) << made;
    }
    EXPECT_EQ(contents(home / "dotfiles" / "ORVEX.ini"), PowerOffFile);
    EXPECT_EQ(ownerOf(folder / "ORVEX.ini.lock"), static_cast<uid_t>(-1));
}

// Saves as `user` in a child process that has given up root; returns what the store said.
std::string saveAs(uid_t user, const fs::path& path) {
    int pipe[2];
    if (::pipe(pipe) != 0) {
        return "no pipe";
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        if (::setgroups(0, nullptr) != 0 || ::setresgid(user, user, user) != 0 ||
            ::setresuid(user, user, user) != 0) {
            std::_Exit(1);
        }
        CollectedMessages messages;
        IniFileStore store(path, messages);
        store.save(PowerOff);
        for (const std::string& message : messages.all) {
            [[maybe_unused]] const ssize_t written =
                ::write(pipe[1], message.data(), message.size());
        }
        std::_Exit(0);
    }
    ::close(pipe[1]);
    std::string told;
    char chunk[4096];
    for (ssize_t got = 0; (got = ::read(pipe[0], chunk, sizeof chunk)) > 0;) {
        told.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(pipe[0]);
    ::waitpid(child, nullptr, 0);
    return told;
}

TEST_F(OtherUsersFiles, ThatTheUserCannotWriteAreNamedWithTheirOwnerAndTheFix) {
    fs::permissions(folder, fs::perms(0755));
    const fs::path home = folder / "home";
    const fs::path config = home / ".config" / "orvex";  // left to root by an earlier sudo run
    fs::create_directories(config);
    own(home, Invoker);
    own(home / ".config", Invoker);
    const fs::path own = home / "ORVEX.ini";  // a file of root's in the user's own folder
    write(own, PowerOffFile);
    const fs::path shared = folder / "shared";  // as /tmp
    fs::create_directory(shared);
    fs::permissions(shared, fs::perms(01777));
    write(shared / "ORVEX.ini", PowerOffFile);
    ::chown((shared / "ORVEX.ini").c_str(), Stranger, Stranger);
    const std::string user = userName(Invoker);

    const std::vector<std::pair<fs::path, std::string>> cases{
        {config / "ORVEX.ini", "the folder " + config.string() +
                                   " belongs to root, not to you (Permission denied); to give it "
                                   "back: sudo chown -R " +
                                   user + ": " + config.string()},
        {own, "the file " + own.string() +
                  " belongs to root, not to you (Permission denied); to give it back: sudo chown " +
                  user + ": " + own.string()},
        {shared / "ORVEX.ini", "the file " + (shared / "ORVEX.ini").string() + " belongs to " +
                                   userName(Stranger) + ", and in the shared folder " +
                                   shared.string() + " only a file's owner may replace it"},
    };
    for (const auto& [path, reason] : cases) {
        const std::string told = saveAs(Invoker, path);
        EXPECT_NE(told.find(reason), std::string::npos) << told;
        EXPECT_EQ(told.find("read-only"), std::string::npos) << told;
    }
    EXPECT_EQ(contents(own), PowerOffFile);
    EXPECT_EQ(contents(shared / "ORVEX.ini"), PowerOffFile);
}

TEST_F(OtherUsersFiles, ALockFileOfAnotherUserIsNamedWithItsOwnerAndTheSaveGivesUp) {
    fs::permissions(folder, fs::perms(0755));
    const fs::path home = folder / "home";
    fs::create_directory(home);
    own(home, Invoker);
    const fs::path lock = home / "ORVEX.ini.lock";
    write(lock, "");
    own(lock, Stranger);
    const std::string prefix =
        "the lock file " + lock.string() + " belongs to " + userName(Stranger);
    const std::string fix = ", so the settings cannot be saved beside it; remove it";

    fs::permissions(lock, fs::perms(0644));  // as older versions made it: anyone may take it
    const int held = ::open(lock.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    std::string told = saveAs(Invoker, home / "ORVEX.ini");
    ::close(held);
    EXPECT_NE(told.find(prefix + " and is held" + fix), std::string::npos) << told;

    fs::permissions(lock, fs::perms(0600));
    told = saveAs(Invoker, home / "ORVEX.ini");
    EXPECT_NE(told.find(prefix + ", who alone may open it" + fix), std::string::npos) << told;
    EXPECT_FALSE(fs::exists(home / "ORVEX.ini"));
}

}  // namespace
}  // namespace orvex
