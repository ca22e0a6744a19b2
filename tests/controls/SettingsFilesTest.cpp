#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "controls/MessageQueue.h"
#include "controls/Receiver.h"
#include "hardware/Recorder.h"
#include "settings/IniFileStore.h"
#include "support/TestFiles.h"

namespace orvex::test {
namespace {

namespace fs = std::filesystem;

fs::path freshFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "-" + test->name();
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    const fs::path folder =
        fs::temp_directory_path() / ("orvex-" + std::to_string(::getpid()) + "-" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

// The receiver on a real settings file in a folder of its own.
class SettingsFileTest : public ::testing::Test {
protected:
    ~SettingsFileTest() override { fs::remove_all(folder); }

    Receiver& startReceiver() {
        receiver = std::make_unique<Receiver>(recorder, recorder, store, messages);
        receiver->Form_Load();
        return *receiver;
    }

    fs::path folder = freshFolder();
    fs::path path = folder / "ORVEX.ini";
    Recorder recorder;
    MessageQueue messages;
    IniFileStore store{path, messages};
    std::unique_ptr<Receiver> receiver;
};

class PowerOffSave : public SettingsFileTest {
protected:
    // Volume 3, squelch 250, 137.125 at 10 kHz is off the grid: use 137.130, then LPT1.
    void powerOffWith(int volume, int squelch, int knob) {
        Receiver& r = startReceiver();
        r.Toggle3_Change(true);
        r.Form2_Command1_Click();
        r.Toggle7_Change(true);
        r.HSlider4_Change(volume);
        r.HSlider3_Change(squelch);
        r.Knob1_Change(knob);
        r.Toggle7_Change(false);
    }
};

TEST_F(PowerOffSave, WritesTheFiveKeysThatReadBackExactly) {
    powerOffWith(3, 250, 513);
    EXPECT_EQ(readFile(path),
              "[CONTROL]\nAUDIO=3\nSQL=0.25\nOFF_FREQUENCY=137130\nSTEP_FREQ=10\nPORT=888\n");
    Receiver next(recorder, recorder, store, messages);
    next.Form_Load();
    EXPECT_EQ(next.panel().HSlider4.position, 3);
    EXPECT_EQ(next.panel().HSlider3.position, 250);
    EXPECT_EQ(next.state().OffFrequency, 137130.0);
    EXPECT_EQ(next.state().StepKHz, 10);
    EXPECT_TRUE(messages.take().empty());
}

TEST_F(PowerOffSave, ParsesWithPythonsConfigparser) {
    powerOffWith(3, 250, 513);
    const std::string script =
        "import configparser,sys\n"
        "c=configparser.ConfigParser(); c.optionxform=str; c.read(sys.argv[1])\n"
        "s=c['CONTROL']\n"
        "assert (s['AUDIO'],s['SQL'],s['OFF_FREQUENCY'],s['STEP_FREQ'],s['PORT'])=="
        "('3','0.25','137130','10','888'), dict(s)\n";
    writeFile(folder / "check.py", script);
    const std::string command = "python3 " + (folder / "check.py").string() + " " + path.string();
    EXPECT_EQ(std::system(command.c_str()), 0);
}

TEST_F(PowerOffSave, ASecondSaveReplacesTheValuesInPlaceAndKeepsOtherLines) {
    writeFile(path,
              "; written by hand\n[OTHER]\nAUDIO=7\n\n[CONTROL]\n  AUDIO = 1 \nCHANNEL_1=140000\n"
              "SQL=0.5\r\n\n# end\n");
    powerOffWith(3, 250, 513);
    powerOffWith(5, 0, 570);
    EXPECT_EQ(readFile(path),
              "; written by hand\n[OTHER]\nAUDIO=7\n\n[CONTROL]\nAUDIO=5\nCHANNEL_1=140000\n"
              "SQL=0\r\nOFF_FREQUENCY=137700\r\nSTEP_FREQ=10\r\nPORT=888\r\n\n# end\n");
}

TEST_F(SettingsFileTest, NoFileStartsSilentlyWithTheStartValues) {
    Receiver& r = startReceiver();
    EXPECT_TRUE(messages.take().empty());
    EXPECT_EQ(r.state().OffFrequency, 132000.0);
    EXPECT_EQ(r.state().StepKHz, 10);
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(SettingsFileTest, AFileThatCannotBeReplacedGivesAMessageAndTheReceiverRunsOn) {
    fs::create_directories(path);  // a folder where the file should be
    Receiver& r = startReceiver();
    messages.take();
    r.Toggle7_Change(true);
    r.Toggle7_Change(false);
    const std::vector<std::string> told = messages.take();
    ASSERT_FALSE(told.empty());
    EXPECT_NE(told.back().find(path.string()), std::string::npos) << told.back();
    r.Toggle7_Change(true);
    EXPECT_EQ(r.state().PowerBits, 128);
}

TEST_F(SettingsFileTest, AFolderThatCannotBeCreatedGivesAMessage) {
    writeFile(folder / "plain-file", "x");
    IniFileStore blocked(folder / "plain-file" / "orvex" / "ORVEX.ini", messages);
    Receiver r(recorder, recorder, blocked, messages);
    r.Form_Load();
    r.Toggle7_Change(true);
    r.Toggle7_Change(false);
    const std::vector<std::string> told = messages.take();
    ASSERT_FALSE(told.empty());
    EXPECT_NE(told.back().find("plain-file is a file"), std::string::npos) << told.back();
    EXPECT_NE(told.back().find("were not saved"), std::string::npos) << told.back();
}

TEST_F(SettingsFileTest, ReadOnlyFileGivesAMessageAndStaysAsItWas) {
    writeFile(path, "[CONTROL]\nAUDIO=2\n");
    fs::permissions(path, fs::perms::owner_read);
    Receiver& r = startReceiver();
    r.Toggle7_Change(true);
    r.Toggle7_Change(false);
    EXPECT_FALSE(messages.take().empty());
    EXPECT_EQ(readFile(path), "[CONTROL]\nAUDIO=2\n");
}

TEST_F(SettingsFileTest, AFileNotUnderstoodIsToldOnceNotAtEveryRead) {
    writeFile(path, std::string("\x7F"
                                "ELF\x02\x01\x01\0\0\0",
                                10));
    Receiver& r = startReceiver();
    r.Toggle3_Change(true);  // About reads the file again
    r.Form2_Command1_Click();
    r.Command2_Click();  // so does recalling a memory
    const std::vector<std::string> told = messages.take();
    EXPECT_EQ(std::count_if(told.begin(), told.end(),
                            [](const std::string& m) {
                                return m.find("was not understood") != std::string::npos;
                            }),
              1);
}

// A damaged settings file: start-up keeps every good key and names the bad one.
struct DamagedFile {
    const char* name;
    std::string bytes;
    int audio;         // volume slider
    int squelch;       // squelch slider
    double frequency;  // OffFrequency, kHz
    int step;
    const char* told;  // in the one message ("AUDIO=" for a bad key), or nullptr: silent start
};

class DamagedSettingsFile : public SettingsFileTest,
                            public ::testing::WithParamInterface<DamagedFile> {};

TEST_P(DamagedSettingsFile, StartsWithTheGoodKeysAndNamesTheBadOne) {
    const DamagedFile& file = GetParam();
    writeFile(path, file.bytes);
    Receiver& r = startReceiver();
    EXPECT_EQ(r.panel().HSlider4.position, file.audio);
    EXPECT_EQ(r.panel().HSlider3.position, file.squelch);
    EXPECT_EQ(r.state().OffFrequency, file.frequency);
    EXPECT_EQ(r.state().StepKHz, file.step);
    const std::vector<std::string> told = messages.take();
    if (file.told == nullptr) {
        EXPECT_TRUE(told.empty()) << told.front();
    } else {
        ASSERT_EQ(told.size(), 1u);
        EXPECT_NE(told[0].find(file.told), std::string::npos) << told[0];
    }
    EXPECT_EQ(readFile(path), file.bytes);  // start-up never writes
}

const std::string Good = "[CONTROL]\nAUDIO=3\nSQL=0.25\nOFF_FREQUENCY=137500\nSTEP_FREQ=100\n";

std::string withLine(const std::string& key, const std::string& value) {
    std::string bytes = Good;
    const std::size_t at = bytes.find(key + "=");
    const std::size_t end = bytes.find('\n', at);
    return bytes.replace(at, end - at, key + "=" + value);
}

std::string binaryGarbage() {
    std::string bytes;
    for (int i = 0; i < 4096; ++i) {
        bytes += static_cast<char>((i * 7919 + 13) % 256);
    }
    return bytes;
}

// What a Windows editor saves as "Unicode": a byte-order mark, then two bytes a character.
std::string utf16(const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (const char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    DamagedFiles, DamagedSettingsFile,
    ::testing::Values(
        DamagedFile{"Binary", binaryGarbage(), 0, 0, 132000, 10,
                    "ORVEX.ini was not understood (it holds binary data, not text): the receiver "
                    "starts with its start values"},
        DamagedFile{"Utf16", utf16("[CONTROL]\r\nAUDIO=3\r\n"), 0, 0, 132000, 10,
                    "ORVEX.ini was not understood (it is UTF-16 text"},
        DamagedFile{"BinaryWithSection", "[CONTROL]\n" + binaryGarbage(), 0, 0, 132000, 10,
                    nullptr},
        DamagedFile{"HugeVolume", withLine("AUDIO", "99999999999999999999"), 0, 250, 137500, 100,
                    "AUDIO="},
        DamagedFile{"CommaDecimal", withLine("SQL", "0,25"), 3, 0, 137500, 100, "SQL="},
        DamagedFile{"OverflowingFrequency", withLine("OFF_FREQUENCY", "1e400"), 3, 250, 132000, 100,
                    "OFF_FREQUENCY="},
        DamagedFile{"NoSection", "AUDIO=3\nSQL=0.25\n", 0, 0, 132000, 10, nullptr},
        DamagedFile{"OtherSectionOnly", "[OTHER]\nAUDIO=5\n", 0, 0, 132000, 10, nullptr},
        DamagedFile{"DuplicateKeyLastWins", Good + "AUDIO=6\n", 6, 250, 137500, 100, nullptr},
        DamagedFile{"OneBadAmongGood", withLine("SQL", "abc"), 3, 0, 137500, 100, "SQL="},
        DamagedFile{"StepSeven", withLine("STEP_FREQ", "7"), 3, 250, 137500, 10, "STEP_FREQ="},
        DamagedFile{"StepZero", withLine("STEP_FREQ", "0"), 3, 250, 137500, 10, "STEP_FREQ="},
        DamagedFile{"StepWithText", withLine("STEP_FREQ", "10abc"), 3, 250, 137500, 10,
                    "STEP_FREQ="},
        DamagedFile{"NegativeVolume", withLine("AUDIO", "-1"), 0, 250, 137500, 100, "AUDIO="},
        DamagedFile{"VolumeEight", withLine("AUDIO", "8"), 0, 250, 137500, 100, "AUDIO="},
        DamagedFile{"NegativeSquelch", withLine("SQL", "-0.1"), 3, 0, 137500, 100, "SQL="},
        DamagedFile{"SquelchAboveOne", withLine("SQL", "1.001"), 3, 0, 137500, 100, "SQL="},
        DamagedFile{"BelowTheBand", withLine("OFF_FREQUENCY", "131999"), 3, 250, 132000, 100,
                    "OFF_FREQUENCY="},
        DamagedFile{"AboveTheBand", withLine("OFF_FREQUENCY", "144001"), 3, 250, 132000, 100,
                    "OFF_FREQUENCY="},
        DamagedFile{"EmptyValue", withLine("OFF_FREQUENCY", ""), 3, 250, 132000, 100,
                    "OFF_FREQUENCY="},
        DamagedFile{"NotANumber", withLine("AUDIO", "nan"), 0, 250, 137500, 100, "AUDIO="},
        DamagedFile{"Infinite", withLine("SQL", "inf"), 3, 0, 137500, 100, "SQL="},
        DamagedFile{"Hexadecimal", withLine("OFF_FREQUENCY", "0x2171C"), 3, 250, 132000, 100,
                    "OFF_FREQUENCY="},
        DamagedFile{"VeryLongValue", withLine("SQL", std::string(100000, '9')), 3, 0, 137500, 100,
                    "SQL="},
        DamagedFile{"LowerCaseNames", "[control]\naudio=4\nstep_freq=5\n", 4, 0, 132000, 5,
                    nullptr},
        DamagedFile{"CrLfAndSpaces", "[CONTROL]\r\n AUDIO = 6 \r\nSTEP_FREQ=5.0\r\n", 6, 0, 132000,
                    5, nullptr},
        DamagedFile{"ByteOrderMark", "\xEF\xBB\xBF" + Good, 3, 250, 137500, 100, nullptr}),
    [](const ::testing::TestParamInfo<DamagedFile>& param) { return param.param.name; });

}  // namespace
}  // namespace orvex::test
