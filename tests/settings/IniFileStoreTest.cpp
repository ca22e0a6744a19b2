#include <cstdio>
#include <functional>

#include <gtest/gtest.h>

#include "settings/IniFileStore.h"
#include "support/SettingsFileRig.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;
using test::contents;
using test::PowerOff;
using test::PowerOffFile;
using test::SettingsFile;
using test::write;

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

TEST_F(SettingsFile, ValueThatWouldBreakTheFileIsRefusedAndNothingWritten) {
    write(file, PowerOffFile);
    EXPECT_FALSE(store.save({{"AUDIO", "5"}, {"SQL", "1\n[EVIL]"}}));
    expectOneSaveMessage("the value for SQL contains a line break");
    EXPECT_EQ(contents(file), PowerOffFile);
}

TEST_F(SettingsFile, AFileThatIsNoIniTextIsNeverWrittenAndTheMessageSaysWhy) {
    const std::vector<std::pair<std::string, int>> others{
        {"root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1::/usr/sbin:/usr/sbin/nologin\n", 1},
        {"# /etc/default/grub\nGRUB_DEFAULT=0\n[CONTROL]\n", 2},  // keys before any section
        {"\n#!/bin/sh\necho hello\n", 3},
    };
    for (const auto& [bytes, line] : others) {
        write(file, bytes);
        EXPECT_FALSE(store.save(PowerOff));
        expectOneSaveMessage("it is not an INI file (line " + std::to_string(line) +
                             ", its first line that is no comment, is no [SECTION] header), so it "
                             "was left as it is; name a file of its own with --settings");
        EXPECT_EQ(contents(file), bytes);
        messages.all.clear();
    }
    for (const std::string ini : {"", "; notes\n\n", "\xEF\xBB\xBF[Radio]\nAUDIO=1\n"}) {
        write(file, ini);
        EXPECT_TRUE(store.save(PowerOff)) << ini;
    }
    EXPECT_TRUE(messages.all.empty());
}

}  // namespace
}  // namespace orvex
