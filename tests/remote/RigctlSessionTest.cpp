#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controls/ActivityScanner.h"
#include "remote/DumpState.h"
#include "remote/HamlibBits.h"
#include "support/SessionRig.h"
#include "support/SettingsFileRig.h"
#include "support/SimulatedRig.h"
#include "support/TestFiles.h"

namespace orvex::test {
namespace {

struct Exchange {
    Start start;
    std::string sent;
    std::string answered;
};

std::ostream& operator<<(std::ostream& out, const Exchange& exchange) {
    return out << "sent \"" << exchange.sent << "\"";
}

void expectAnswers(const std::vector<Exchange>& table) {
    for (const Exchange& row : table) {
        SCOPED_TRACE(row);
        SessionRig rig(row.start);
        EXPECT_EQ(rig.ask(row.sent), row.answered);
    }
}

}  // namespace

TEST(RigctlSessionTest, AnswersEveryCommandInThePlainStyle) {
    // Switched on with the start values: 132.000 MHz, 10 kHz step, volume and squelch at 0.
    const Start on = Start::On;
    expectAnswers({
        {on, "f\n", "132000000\n"},
        {on, "\\get_freq\n", "132000000\n"},
        {on, "F 137620000\nf\n", "RPRT 0\n137620000\n"},
        {on, "F  137100000\nf\n", "RPRT 0\n137100000\n"},
        {on, "\\set_freq 137500000.000000\nf\n", "RPRT 0\n137500000\n"},
        {on, "F 137625000\nf\n", "RPRT 0\n137620000\n"},  // onto the 10 kHz grid, half to even
        {on, "F 132010000\nf\n", "RPRT 0\n132010000\n"},  // never 132009999
        {on, "F 144000000\nf\n", "RPRT 0\n144000000\n"},
        {on, "F 131999999\n", "RPRT -1\n"},
        {on, "F 144000001\n", "RPRT -1\n"},
        {on, "m\n", "FM\n15000\n"},
        {on, "M FM 15000\n", "RPRT 0\n"},
        {on, "M AM 0\n", "RPRT -1\n"},
        {on, "M ?\n", "FM \nRPRT 0\n"},
        {on, "v\n", "VFOA\n"},
        {on, "V VFOA\n", "RPRT 0\n"},
        {on, "V VFOB\n", "RPRT -1\n"},
        {on, "s\n", "0\nVFOA\n"},
        {on, "t\n", "0\n"},
        {on, "T 0\n", "RPRT 0\n"},
        {on, "T 1\n", "RPRT -11\n"},
        {on, "n\n", "10000\n"},
        {on, "N 5000\nn\nf\n", "RPRT 0\n5000\n132000000\n"},
        {on, "N 100000\nn\n", "RPRT 0\n100000\n"},
        {on, "N 7000\n", "RPRT -1\n"},
        {on, "N 65541000\n", "RPRT -1\n"},  // no 5 kHz by way of 16-bit overflow
        {on, "l SQL\nl AF\n", "0.000000\n0.000000\n"},
        {on, "L SQL 0.3\nl SQL\n", "RPRT 0\n0.300000\n"},
        {on, "L AF 0.5\nl AF\n", "RPRT 0\n0.571429\n"},  // 3.5 of 7 rounds to 4
        {on, "L SQL 1.5\n", "RPRT -1\n"},
        {on, "L STRENGTH 0.5\n", "RPRT -11\n"},
        {on, "L RF 0.5\n", "RPRT -11\n"},
        {on, "l RF\n", "RPRT -1\n"},
        {on, "l ?\n", "STRENGTH RAWSTR SQL AF \n"},
        {on, "L ?\n", "SQL AF \nRPRT 0\n"},
        {on, "u MUTE\n", "0\n"},
        {on, "U MUTE 1\nu MUTE\n", "RPRT 0\n1\n"},
        {on, "U MUTE 2\n", "RPRT -1\n"},
        {on, "U NB 1\n", "RPRT -11\n"},
        {on, "u NB\n", "RPRT -1\n"},
        {on, "\\get_powerstat\n", "1\n"},
        {on, "\\set_powerstat 0\n\\get_powerstat\n", "RPRT 0\n0\n"},
        {on, "\\set_powerstat 1\n", "RPRT 0\n"},
        {on, "\\set_powerstat 2\n", "RPRT -1\n"},
        {on, "\\get_dcd\n\x8b\n", "0\n0\n"},
        {on, "e\nE 2\ne\n", "1\nRPRT 0\n2\n"},
        {on, "E 4\n", "RPRT -1\n"},
        {on, "G UP\nf\nG DOWN\nG DOWN\nf\n", "RPRT 0\n132010000\nRPRT 0\nRPRT 0\n132000000\n"},
        {on, "G TO_VFO\n", "RPRT -9\n"},  // memory 1 was never stored
        {on, "F 137620000\nG FROM_VFO\nF 140000000\nG TO_VFO\nf\n",
         "RPRT 0\nRPRT 0\nRPRT 0\nRPRT 0\n137620000\n"},
        {on, "G BAND_UP\n", "RPRT -11\n"},
        {on, "G ?\n", "FROM_VFO TO_VFO UP DOWN \nRPRT 0\n"},
        {on, "g VFO 0\ng STOP 0\n", "RPRT 0\nRPRT 0\n"},
        {on, "g MEM 0\n", "RPRT -9\n"},  // no channel bank to scan here
        {on, "\\chk_vfo\n", "0\n"},
        {on, "\\get_lock_mode\n", "0\n"},
        {on, "AOS\nLOS\n", "RPRT 0\nRPRT 0\n"},
        {on, "q\n", "RPRT 0\n"},
    });
}

TEST(RigctlSessionTest, InVfoModeEveryCommandButHamlibsOwnFewTakesTheVfoFirst) {
    const Start on = Start::On;
    const std::string vfoMode = "\\set_vfo_opt 1\n";
    expectAnswers({
        {on, "\\chk_vfo\n" + vfoMode + "\\chk_vfo\n", "0\nRPRT 0\n1\n"},
        {on, vfoMode + "F VFOA 137500000.000000\nf VFOA\n", "RPRT 0\nRPRT 0\n137500000\n"},
        {on, vfoMode + "F currVFO  137900000\nf currVFO\n", "RPRT 0\nRPRT 0\n137900000\n"},
        {on, vfoMode + "f Main\nf RX\n", "RPRT 0\n132000000\n132000000\n"},
        {on, vfoMode + "l VFOA STRENGTH\nl VFOA ?\n", "RPRT 0\n-54\nSTRENGTH RAWSTR SQL AF \n"},
        {on, vfoMode + "g VFOA VFO 0\ng currVFO STOP 0\n", "RPRT 0\nRPRT 0\nRPRT 0\n"},
        {on, vfoMode + "\x8b currVFO\nT currVFO 0\n", "RPRT 0\n0\nRPRT 0\n"},
        {on, vfoMode + "+f VFOA\n", "RPRT 0\nget_freq: VFOA\nFrequency: 132000000\nRPRT 0\n"},
        // Hamlib names no VFO for these.
        {on, vfoMode + "\\get_powerstat\nv\nV VFOA\n\\get_lock_mode\n\\set_powerstat 1\n",
         "RPRT 0\n1\nVFOA\nRPRT 0\n0\nRPRT 0\n"},
        // Another VFO, none, or the plain form: refused, and the next line is read as it is.
        {on, vfoMode + "f VFOB\nf\nF 137500000\nf VFOA\n",
         "RPRT 0\nRPRT -1\nRPRT -1\nRPRT -1\n132000000\n"},
        {on, vfoMode + "\\set_vfo_opt 0\nf\n\\chk_vfo\n", "RPRT 0\nRPRT 0\n132000000\n0\n"},
        {on, "\\set_vfo_opt 2\n", "RPRT -1\n"},
    });
}

// g MEM runs the activity scanner through the channel bank, g VFO the Scan switch's scanner, and
// g STOP whichever of them runs.
TEST(RigctlSessionTest, ScansTheChannelBankAndStopsEitherScan) {
    SimulatedRig rig;
    rig.actions.startUp();
    rig.actions.choosePort(Lpt1Base);
    rig.actions.setPower(true);
    const TempFolder folder("orvex-remote-bank");
    write(folder.path() / "channels.csv", "Location,Frequency\n4,140.250\n2,137.620\n");
    CollectedMessages messages;
    ChannelBank bank(folder.path() / "channels.csv", messages);
    bank.load();
    ActivityScanner scanner(rig.actions, bank);
    RigctlSession session(rig.actions);
    const auto ask = [&session](std::string_view bytes) { return answerAll(session, bytes).bytes; };

    EXPECT_EQ(ask("g MEM 0\nf\n"), "RPRT 0\n137620000\n");
    EXPECT_TRUE(scanner.running());
    EXPECT_EQ(ask("g VFO 0\n"), "RPRT 0\n");
    EXPECT_FALSE(scanner.running());
    EXPECT_TRUE(rig.receiver.scanning());
    EXPECT_EQ(ask("g MEM 0\n"), "RPRT 0\n");
    EXPECT_FALSE(rig.receiver.scanning());
    EXPECT_EQ(ask("g STOP 0\ng STOP 0\n"), "RPRT 0\nRPRT 0\n");
    EXPECT_FALSE(scanner.running());
    EXPECT_EQ(ask("g ?\n"), "VFO MEM STOP \nRPRT 0\n");
    // In Hamlib's VFO mode the VFO comes first.
    EXPECT_EQ(ask("\\set_vfo_opt 1\ng VFOA MEM 0\n"), "RPRT 0\nRPRT 0\n");
    EXPECT_TRUE(scanner.running());
    EXPECT_EQ(ask("g currVFO STOP 0\n\\set_vfo_opt 0\n"), "RPRT 0\nRPRT 0\n");
    EXPECT_FALSE(scanner.running());
    rig.actions.setPower(false);
    EXPECT_EQ(ask("g MEM 0\n"), "RPRT -20\n");
}

TEST(RigctlSessionTest, AnswersMissingMalformedAndUnknownInput) {
    const Start on = Start::On;
    expectAnswers({
        {on, "F\n", "RPRT -1\n"},
        {on, "F abc\n", "RPRT -1\n"},
        {on, "F 137000000 1\n", "RPRT -1\n"},
        {on, "f 1\n", "RPRT -1\n"},
        {on, "L SQL\n", "RPRT -1\n"},
        {on, "L SQL x\n", "RPRT -1\n"},
        {on, "T\n", "RPRT -1\n"},
        {on, "E 1.5\n", "RPRT -1\n"},
        {on, "g VFO x\n", "RPRT -1\n"},
        {on, "M FM\n", "RPRT -1\n"},
        {on, "X\n", "RPRT -11\n"},
        {on, "\\set_split_vfo 0 VFOA\n", "RPRT -11\n"},
        {on, "hello world\n", "RPRT -11\n"},
        {on, "+\n", "RPRT -11\n"},
        {on, "\x01\x02\xff\n", "RPRT -11\n"},
        // One line's error never reaches the next.
        {on, "F\nf\n", "RPRT -1\n132000000\n"},
        {on, "bogus\nf\n", "RPRT -11\n132000000\n"},
    });
}

TEST(RigctlSessionTest, RefusesWhatTheReceiverCannotDoSwitchedOffOrWithoutAPort) {
    const Start off = Start::Off;
    const Start none = Start::NoPort;
    expectAnswers({
        {off, "f\n", "132000000\n"},  // what power-on will restore
        {off, "F 137000000\n", "RPRT -20\n"},
        {off, "N 5000\n", "RPRT -20\n"},
        {off, "n\n", "10000\n"},
        {off, "L SQL 0.3\n", "RPRT -20\n"},
        {off, "L AF 0.3\n", "RPRT -20\n"},
        {off, "l SQL\n", "0.000000\n"},
        {off, "l STRENGTH\n", "RPRT -20\n"},
        {off, "l RAWSTR\n", "RPRT -20\n"},
        {off, "G UP\n", "RPRT -20\n"},
        {off, "G FROM_VFO\n", "RPRT -20\n"},
        {off, "\\get_powerstat\n\\get_dcd\n", "0\n0\n"},
        {off, "U MUTE 1\n", "RPRT 0\n"},
        {none, "F 137000000\n", "RPRT -9\n"},
        {none, "\\set_powerstat 1\n", "RPRT -9\n"},
        {none, "\\set_powerstat 0\n", "RPRT 0\n"},  // already there: nothing to write
        {none, "L AF 0.5\n", "RPRT -9\n"},
        {none, "N 5000\n", "RPRT -9\n"},
        {none, "G DOWN\n", "RPRT -9\n"},
        {none, "g VFO 0\n", "RPRT -9\n"},
        {none, "g STOP 0\n", "RPRT 0\n"},
        {none, "f\n", "132000000\n"},
    });
}

TEST(RigctlSessionTest, AnswersExtendedResponsesWithLabelsAndTheClientsSeparator) {
    const Start on = Start::On;
    expectAnswers({
        {on, "+f\n", "get_freq:\nFrequency: 132000000\nRPRT 0\n"},
        {on, "+\\set_freq 137500000\n", "set_freq: 137500000\nRPRT 0\n"},
        {on, "+l SQL\n", "get_level: SQL\n0.000000\nRPRT 0\n"},
        {on, "+u MUTE\n", "get_func: MUTE\n0\nRPRT 0\n"},
        {on, "+\\get_powerstat\n", "get_powerstat:\nPower Status: 1\nRPRT 0\n"},
        {on, "+m\n", "get_mode:\nMode: FM\nPassband: 15000\nRPRT 0\n"},
        {on, "+s\n", "get_split_vfo:\nSplit: 0\nTX VFO: VFOA\nRPRT 0\n"},
        {on, ";f\n", "get_freq:;Frequency: 132000000;RPRT 0\n"},
        {on, "|\\set_powerstat 0\n", "set_powerstat: 0|RPRT 0\n"},
        {on, "+F 1\n", "set_freq: 1\nRPRT -1\n"},
        {on, "+\\chk_vfo\n", "ChkVFO: 0\n"},
        {on, "+X\n", "RPRT -11\n"},
        {on, "+\\stream_caps\n", "RPRT -11\n"},  // what SDR programs probe for: one line
        {Start::Off, "+l STRENGTH\n", "get_level: STRENGTH\nRPRT -20\n"},
    });
}

TEST(RigctlSessionTest, EndsLinesAtLfCrOrCrlfEvenSplitAcrossArrivals) {
    SessionRig rig(Start::On);
    EXPECT_EQ(rig.ask("f\rf\r\nf\n\n \n"), "132000000\n132000000\n132000000\n");
    EXPECT_EQ(rig.ask("f\r"), "132000000\n");
    EXPECT_EQ(rig.ask("\nf"), "");  // the LF pairs with the CR before it
    EXPECT_EQ(rig.ask("\r\n"), "132000000\n");
    EXPECT_EQ(rig.ask("\\get_"), "");
    EXPECT_EQ(rig.ask("powerstat\n"), "1\n");
}

TEST(RigctlSessionTest, StopsAnsweringAfterQuit) {
    SessionRig rig(Start::On);
    EXPECT_EQ(rig.ask("T 1\nq\nf\n"), "RPRT -11\nRPRT 0\n");
    EXPECT_TRUE(rig.session.finished());
    EXPECT_EQ(rig.ask("f\n"), "");
}

TEST(RigctlSessionTest, ALineLongerThanOneKibibyteEndsTheConversation) {
    const std::string longest(RigctlSession::MaxLineBytes, 'x');
    SessionRig fits(Start::On);
    EXPECT_EQ(fits.ask(longest + "\nf\n"), "RPRT -11\n132000000\n");
    EXPECT_FALSE(fits.session.finished());

    for (const std::vector<std::string>& arrivals :
         {std::vector<std::string>{longest + "x\nf\n"},
          std::vector<std::string>{longest.substr(0, 600), longest.substr(600) + "x"},
          std::vector<std::string>{std::string(2048, 'y') + "\n"}}) {
        SessionRig rig(Start::On);
        std::string answered;
        for (const std::string& bytes : arrivals) {
            answered += rig.ask(bytes);
        }
        EXPECT_EQ(answered, "RPRT -8\n");
        EXPECT_TRUE(rig.session.finished());
    }
}

TEST(RigctlSessionTest, StrengthIsTheLastMeasuredLevelOnHamlibsSMeterScale) {
    // Converter bytes and the level the meter shows for each: S0, S9, the clamps at both ends,
    // and the NOAA 15 satellite as the simulated band hears it.
    const std::vector<std::pair<int, std::string>> table{
        {0, "-54\n"}, {33, "-54\n"}, {119, "0\n"}, {90, "-18\n"}, {255, "60\n"}};
    for (const auto& [signalByte, answered] : table) {
        SCOPED_TRACE(signalByte);
        SessionRig rig(Start::On);
        rig.board.setBytes(signalByte, 132);
        rig.host.run([](Receiver& r) { r.Timer1_Timer(); });
        EXPECT_EQ(rig.ask("l STRENGTH\n"), answered);
    }
}

TEST(RigctlSessionTest, CarrierDetectFollowsTheSquelchDecisionOfTheLastMeasurement) {
    SessionRig rig(Start::On);
    rig.host.run([](Receiver& r) { r.HSlider3_Change(500); });  // threshold 5
    rig.board.setBytes(119, 132);                               // level 9
    rig.host.run([](Receiver& r) { r.Timer1_Timer(); });
    EXPECT_EQ(rig.ask("\\get_dcd\n\x8b\n"), "1\n1\n");
    rig.board.setBytes(33, 132);  // level 0
    rig.host.run([](Receiver& r) { r.Timer1_Timer(); });
    EXPECT_EQ(rig.ask("\\get_dcd\n"), "0\n");
}

TEST(RigctlSessionTest, EachConnectionKeepsItsOwnMemorySelection) {
    SessionRig rig(Start::On);
    RigctlSession other(rig.actions);
    EXPECT_EQ(rig.ask("E 3\ne\n"), "RPRT 0\n3\n");
    EXPECT_EQ(answerAll(other, "e\n").bytes, "1\n");
}

TEST(RigctlSessionTest, RecallingAnEmptyMemoryIsRefusedAndThePanelSaysWhy) {
    SessionRig rig(Start::On);
    EXPECT_EQ(rig.ask("E 2\nG TO_VFO\n"), "RPRT 0\nRPRT -9\n");
    EXPECT_EQ(rig.said, std::vector<std::string>{"Channel 2 is empty"});
}

TEST(RigctlSessionTest, ReportsTheChangeItMadeAndARefusalForWantOfAPort) {
    SessionRig on(Start::On);
    EXPECT_EQ(answerAll(on.session, "F 137620000\nf\n").change, "tuned to 137.620 MHz");
    EXPECT_EQ(answerAll(on.session, "f\n").change, "");
    EXPECT_FALSE(answerAll(on.session, "F 1\n").refusedWithoutPort);

    SessionRig none(Start::NoPort);
    EXPECT_TRUE(answerAll(none.session, "F 137620000\n").refusedWithoutPort);
}

TEST(RigctlSessionTest, AnswersOneLineAtATimeAndSaysWhichCommandsHoldTheThread) {
    SessionRig rig(Start::On);
    rig.session.feed("f\nv\n\\get_");
    EXPECT_TRUE(rig.session.ready());
    EXPECT_EQ(rig.session.answerNext().bytes, "132000000\n");
    EXPECT_EQ(rig.session.answerNext().bytes, "VFOA\n");
    EXPECT_FALSE(rig.session.ready());  // half a line waits for the rest

    // Saving the settings and switching the power pace the client; nothing else does.
    const std::vector<std::pair<std::string, bool>> table{
        {"\\set_powerstat 0\n", true},
        {"\\set_powerstat 0\n", true},  // even when no change
        {"\\set_powerstat 1\n", true},
        {"G FROM_VFO\n", true},
        {"G TO_VFO\n", false},
        {"G UP\n", false},
        {"G ?\n", false},
        {"G\n", false},
        {"F 137500000\n", false},
    };
    SessionRig on(Start::On);
    for (const auto& [line, paced] : table) {
        SCOPED_TRACE(line);
        EXPECT_EQ(answerAll(on.session, line).paced, paced);
    }
}

// A client's session with the receiver on the simulated board, switched on at LPT1.
struct SimulatedSession : SimulatedRig {
    SimulatedSession() {
        actions.startUp();
        actions.choosePort(Lpt1Base);
        actions.setPower(true);
    }
    // The divider words latched since the last look.
    int dividerLoads() {
        int loads = 0;
        for (const LatchedWord& word : latchedWords(recorder.writes(Register::Data))) {
            loads += word.bits == 16 ? 1 : 0;
        }
        recorder.clear();
        return loads;
    }
    double boardTunedKHz() const { return board.snapshot().synthesizer.receiveKHz.value_or(0); }
    std::string ask(std::string_view bytes) { return answerAll(session, bytes).bytes; }

    RigctlSession session{actions};
};

TEST(RigctlSessionTest, ATrackersRepeatedFrequencyLoadsTheSynthesizerOnlyWhenTheGridPointChanges) {
    SimulatedSession rig;
    ASSERT_EQ(rig.ask("N 5000\nF 137500000\n"), "RPRT 0\nRPRT 0\n");
    rig.dividerLoads();
    for (int cycle = 0; cycle < 10; ++cycle) {
        EXPECT_EQ(rig.ask("F  137900000\nf\n"), "RPRT 0\n137900000\n");
    }
    EXPECT_EQ(rig.dividerLoads(), 1);
    EXPECT_EQ(rig.ask("F 137905000\nF 137905000\n"), "RPRT 0\nRPRT 0\n");
    EXPECT_EQ(rig.dividerLoads(), 1);
    EXPECT_DOUBLE_EQ(rig.boardTunedKHz(), 137905);

    // A load the display does not show (a survey's) leaves the board elsewhere: the tune back
    // must reach it.
    ASSERT_TRUE(rig.actions.loadDividerFor(137000).succeeded());
    EXPECT_DOUBLE_EQ(rig.boardTunedKHz(), 137000);
    rig.dividerLoads();
    EXPECT_EQ(rig.ask("F 137905000\n"), "RPRT 0\n");
    EXPECT_EQ(rig.dividerLoads(), 1);
    EXPECT_DOUBLE_EQ(rig.boardTunedKHz(), 137905);

    // So must one after the port was opened afresh: the board behind it may hold anything.
    rig.actions.choosePort(Lpt1Base);
    EXPECT_EQ(rig.ask("F 137905000\n"), "RPRT 0\n");
    EXPECT_EQ(rig.dividerLoads(), 1);
}

TEST(RigctlSessionTest, ASaveThatFailsIsAnsweredWithAnInputOutputError) {
    SessionRig rig(Start::On);
    rig.settings.failing = true;
    EXPECT_EQ(rig.ask("G FROM_VFO\n\\set_powerstat 0\n\\get_powerstat\n"), "RPRT -6\nRPRT -6\n0\n");
}

TEST(RigctlSessionTest, DumpStateAnnouncesTheLevelsFunctionsAndOperationsTheCommandsServe) {
    const auto offered = [](std::string_view command) {
        return std::string(rigctl::findCommand(command)->choices);
    };
    // Every name a command offers is one Hamlib knows, so none is lost from a mask.
    const auto known = [&](std::string_view command, auto table) {
        std::istringstream names(offered(command));
        for (std::string name; names >> name;) {
            EXPECT_NE(rigctl::bitOf(table, name), 0U) << command << " offers " << name;
        }
        return rigctl::hexMask(rigctl::maskOf(table, offered(command)));
    };
    const std::vector<std::string> masks{
        known("u", rigctl::HamlibFunctions),
        known("U", rigctl::HamlibFunctions),
        known("l", rigctl::HamlibLevels),
        known("L", rigctl::HamlibLevels),
    };
    const std::vector<std::string> lines = rigctl::dumpStateLines();
    const auto at = std::search(lines.begin(), lines.end(), masks.begin(), masks.end());
    EXPECT_NE(at, lines.end()) << "the four masks in a row, functions then levels";
    const std::string vfoOperations = "vfo_ops=" + known("G", rigctl::HamlibVfoOperations);
    EXPECT_NE(std::find(lines.begin(), lines.end(), vfoOperations), lines.end());
    // Hamlib's own values for what is served today.
    EXPECT_EQ(masks, (std::vector<std::string>{"0x20000", "0x20000", "0x44000028", "0x28"}));
}

}  // namespace orvex::test
