#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "settings/IniFileStore.h"

// A settings file of the test's own in a fresh temporary folder, and the store on it: what the
// tests of the store's INI text and of the file rules beneath it share.
namespace orvex::test {

namespace fs = std::filesystem;

struct CollectedMessages : MessageSink {
    void post(std::string message) override { all.push_back(std::move(message)); }
    std::vector<std::string> all;
};

// Every name in a folder but the file and its lock: what a save left behind.
inline std::vector<std::string> strayEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name != "ORVEX.ini" && name != "ORVEX.ini.lock") {
            names.push_back(name);
        }
    }
    return names;
}

inline std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline const SettingsStore::Values PowerOff{{"AUDIO", "3"},
                                            {"SQL", "0.25"},
                                            {"OFF_FREQUENCY", "137125"},
                                            {"STEP_FREQ", "10"},
                                            {"PORT", "888"}};
inline const std::string PowerOffFile =
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

}  // namespace orvex::test
