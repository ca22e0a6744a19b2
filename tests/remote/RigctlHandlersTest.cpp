#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/SessionRig.h"

namespace orvex::test {
namespace {

// What the operator can see and the board and the file receive, in one text to compare.
std::string outcome(SessionRig& rig) {
    const PanelModel& p = rig.receiver.panel();
    const ReceiverState& s = rig.receiver.state();
    std::ostringstream text;
    text << "display " << p.LedDisplay1.text << " knob " << p.Knob1.position << "/"
         << p.Knob1.maximum << " step " << s.StepKHz << " ref " << s.RefDivider << " power "
         << p.Toggle7.on << " toggles " << p.Toggle8.on << p.Toggle9.on << p.Toggle2.on
         << p.Toggle4.on << p.Toggle5.on << " volume " << p.HSlider4.position << " code "
         << s.VolumeCode << " squelch " << p.HSlider3.position << " text5 " << p.Text5 << " mute "
         << s.MuteBits << " timers " << p.Timer1.enabled << p.Timer2.enabled;
    for (const auto& [key, value] : rig.settings.entries) {
        text << " " << key << "=" << value;
    }
    for (const std::string& message : rig.said) {
        text << " [" << message << "]";
    }
    return text.str();
}

struct Equivalence {
    Start start;
    std::string sent;
    std::function<void(Receiver&)> operatorDoes;
};

std::ostream& operator<<(std::ostream& out, const Equivalence& row) {
    return out << "sent \"" << row.sent << "\"";
}

// Tuned to 137.130 MHz at the 10 kHz step, with channel 2 stored at 140.250 MHz.
void prepare(SessionRig& rig, Start start) {
    if (start != Start::On) {
        return;
    }
    rig.host.run([](Receiver& r) { r.Knob1_Change(r.PositionFromFrequency(140.25)); });
    rig.host.run([](Receiver& r) {
        r.Toggle4_Change(true);
        r.Command3_Click();
    });
    rig.host.run([](Receiver& r) { r.Knob1_Change(r.PositionFromFrequency(137.13)); });
    rig.recorder.clear();
    rig.said.clear();
}

}  // namespace

// Every change a client asks for reaches the board, the panel and the file exactly as the same
// change made by the operator with the panel's controls.
TEST(RigctlHandlersTest, ChangesGoThroughTheOperatorsOwnHandlers) {
    const Start on = Start::On;
    const auto tuneTo = [](double megahertz) {
        return [megahertz](Receiver& r) { r.Knob1_Change(r.PositionFromFrequency(megahertz)); };
    };
    const std::vector<Equivalence> table{
        {on, "F 137620000\n", tuneTo(137.62)},
        {on, "N 5000\n",
         [](Receiver& r) {
             r.Toggle9_Change(true);
             r.Knob1_Change(r.PositionFromFrequency(137.13));
         }},
        {on, "N 100000\n",
         [](Receiver& r) {
             r.Toggle8_Change(true);
             r.Knob1_Change(r.PositionFromFrequency(137.13));
         }},
        {on, "N 5000\nN 10000\n",
         [](Receiver& r) {
             r.Toggle9_Change(true);
             r.Knob1_Change(r.PositionFromFrequency(137.13));
             r.Toggle8_Change(true);
             r.Toggle8_Change(false);
             r.Knob1_Change(r.PositionFromFrequency(137.13));
         }},
        {on, "L AF 0.5\n", [](Receiver& r) { r.HSlider4_Change(4); }},
        {on, "L SQL 0.3\n", [](Receiver& r) { r.HSlider3_Change(300); }},
        {on, "U MUTE 1\n", [](Receiver& r) { r.Toggle2_Change(true); }},
        {on, "\\set_powerstat 0\n", [](Receiver& r) { r.Toggle7_Change(false); }},
        {Start::Off, "\\set_powerstat 1\n", [](Receiver& r) { r.Toggle7_Change(true); }},
        {on, "G UP\n", [](Receiver& r) { r.Wheel1_Change(0); }},
        {on, "G DOWN\n", [](Receiver& r) { r.Wheel1_Change(1); }},
        {on, "G FROM_VFO\n",
         [](Receiver& r) {
             r.Toggle4_Change(true);
             r.Command2_Click();
         }},
        {on, "E 2\nG TO_VFO\n", [](Receiver& r) { r.Command3_Click(); }},
        {on, "E 3\nG TO_VFO\n", [](Receiver& r) { r.Command4_Click(); }},  // empty
        {on, "g VFO 0\n", [](Receiver& r) { r.Toggle5_Change(true); }},
    };
    for (const Equivalence& row : table) {
        SCOPED_TRACE(row);
        SessionRig client(row.start);
        SessionRig panel(row.start);
        prepare(client, row.start);
        prepare(panel, row.start);
        client.ask(row.sent);
        panel.host.run(row.operatorDoes);
        EXPECT_EQ(client.recorder.events(), panel.recorder.events());
        EXPECT_EQ(outcome(client), outcome(panel));
    }
}

// The knob goes to the frequency shown before the step changed, on the new step's grid.
TEST(RigctlHandlersTest, AStepChangeKeepsTheFrequencyOnTheNewGrid) {
    SessionRig rig(Start::On);
    EXPECT_EQ(rig.ask("N 5000\nF 137125000\nN 100000\nf\nN 5000\nf\n"),
              "RPRT 0\nRPRT 0\nRPRT 0\n137100000\nRPRT 0\n137100000\n");
}

}  // namespace orvex::test
