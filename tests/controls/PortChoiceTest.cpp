#include "support/ReceiverFixture.h"

namespace orvex::test {
namespace {

class PortChoice : public ReceiverTest {
protected:
    void SetUp() override { startUp(); }
    void openAbout() { receiver.Toggle3_Change(true); }
};

TEST_F(PortChoice, SavedPort632OpensOnLPT2) {
    settings.set("PORT", "632");
    openAbout();
    EXPECT_EQ(state().PortBase, 632);
    EXPECT_TRUE(panel().Form2.open);
    EXPECT_TRUE(panel().Form2.LPT2.on);
    EXPECT_FALSE(panel().Form2.LPT1.on);
    EXPECT_TRUE(panel().LPT2.on);
    EXPECT_FALSE(panel().LPT1.on);
    EXPECT_TRUE(recorder.events().empty());  // choosing a port writes nothing
}

TEST_F(PortChoice, AnyOtherSavedPortOpensOnLPT1) {
    for (const char* saved : {"888", "0", "abc", "66168", "632.9", ""}) {
        settings.set("PORT", saved);
        Receiver fresh{recorder, recorder, settings, messages};
        fresh.Form_Load();
        fresh.Toggle3_Change(true);
        EXPECT_EQ(fresh.state().PortBase, 888) << saved;
        EXPECT_TRUE(fresh.panel().Form2.LPT1.on) << saved;
        EXPECT_TRUE(fresh.panel().LPT1.on) << saved;
    }
}

TEST_F(PortChoice, NoSavedPortOpensOnLPT1) {
    openAbout();
    EXPECT_EQ(state().PortBase, 888);
}

TEST_F(PortChoice, ChoosingLPT2TakesEffectAtOnceAndOkKeepsIt) {
    openAbout();
    receiver.Form2_LPT2_Click();
    EXPECT_EQ(state().PortBase, 632);
    EXPECT_FALSE(panel().LPT1.on);
    receiver.Form2_Command1_Click();
    EXPECT_FALSE(panel().Form2.open);
    EXPECT_FALSE(panel().Toggle3.on);
    EXPECT_EQ(panel().ending, Ending::None);
    EXPECT_EQ(state().PortBase, 632);
    receiver.HSlider4_Change(7);
    EXPECT_EQ(recorder.events().back().access.address, 634);
}

TEST_F(PortChoice, ReopeningBeforeAPowerOffRestoresTheSavedPort) {
    settings.set("PORT", "888");
    openAbout();
    receiver.Form2_LPT2_Click();
    receiver.Form2_Command1_Click();
    openAbout();
    EXPECT_EQ(state().PortBase, 888);
    EXPECT_TRUE(panel().LPT1.on);
    EXPECT_FALSE(panel().LPT2.on);
}

TEST_F(PortChoice, PowerOffSavesTheChosenPort) {
    openAbout();
    receiver.Form2_LPT2_Click();
    receiver.Form2_Command1_Click();
    receiver.Toggle7_Change(true);
    receiver.Toggle7_Change(false);
    EXPECT_EQ(settings.get("PORT"), "632");
}

TEST_F(PortChoice, ClosingTheAboutWindowOtherThanByOkEndsTheProgram) {
    openAbout();
    receiver.Form2_Unload();
    EXPECT_EQ(panel().ending, Ending::Quit);
    EXPECT_EQ(panel().Form2.OkPressed, 0);
}

TEST_F(PortChoice, SwitchingAboutOffWhileOpenEndsTheProgram) {
    openAbout();
    receiver.Toggle3_Change(false);
    EXPECT_FALSE(panel().Form2.open);
    EXPECT_EQ(panel().ending, Ending::Quit);
    EXPECT_EQ(settings.saves, 0);
}

}  // namespace
}  // namespace orvex::test
