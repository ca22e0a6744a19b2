#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include "PanelRig.h"
#include "support/Gestures.h"

namespace orvex::test {

class ReceiverFormTest : public QObject {
    Q_OBJECT

    // Chooses LPT1 in the About window and switches the receiver on, by clicking.
    static void chooseLpt1AndSwitchOn(PanelRig& rig) {
        QTest::mouseClick(rig.find("Toggle3"), Qt::LeftButton);
        QWidget* about = rig.form.aboutWindow();
        QVERIFY(about != nullptr);
        QTest::mouseClick(about->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QTest::mouseClick(rig.find("Toggle7"), Qt::LeftButton);
        QVERIFY(rig.receiver.panel().Toggle7.on);
        rig.recorder.clear();
    }

private slots:
    void startUpLeavesThePanelDarkWithEveryControlInPlace() {
        PanelRig rig;
        PanelRig::keep(rig.form, "panel-start");
        for (const char* name :
             {"LedDisplay1", "LGAUGE1",  "Label5",   "Wheel1",   "Command2",   "Command3",
              "Command4",    "Toggle4",  "Toggle1",  "Toggle2",  "Gauge1",     "ind1",
              "SSPanel3",    "SSPanel8", "Frame4",   "Toggle7",  "Knob1",      "Command10",
              "Command8",    "Toggle8",  "Toggle9",  "Toggle10", "SSCommand3", "SSCommand4",
              "Toggle3",     "Toggle5",  "HSlider3", "Label4",   "Label7",     "Label8",
              "Label6",      "HSlider4"}) {
            QWidget* widget = rig.find(name);
            QVERIFY2(widget != nullptr, name);
            QVERIFY2(widget->isVisible(), name);
        }
        for (const char* hidden : {"HScroll1", "Command1", "SSPanel5", "LPT1", "LPT2", "Text1",
                                   "Text5", "Command14", "SSCommand1"}) {
            QVERIFY2(rig.find(hidden) == nullptr, hidden);
        }
        QVERIFY(!rig.find("Knob1")->isEnabled());
        QCOMPARE(rig.find("Knob1")->geometry(), QRect(8, 0, 89, 65));
        QCOMPARE(rig.find("Command4")->accessibleDescription(), QString("CHANNEL 3 "));
    }

    void thePoweredPanelIsLit() {
        PanelRig rig;
        chooseLpt1AndSwitchOn(rig);
        PanelRig::keep(rig.form, "panel-on");
        QVERIFY(rig.find("Knob1")->isEnabled());
        QVERIFY(rig.find("HSlider4")->isEnabled());
    }

    void knobMouseWheelTunesOneStepPerNotchAndTouchpadDeltasAddUp() {
        PanelRig rig;
        chooseLpt1AndSwitchOn(rig);
        QWidget* knob = rig.find("Knob1");
        turnWheel(knob, 120);
        QCOMPARE(rig.words(), (std::vector<LatchedWord>{{16, 14271}}));
        rig.recorder.clear();
        turnWheel(knob, 40);
        turnWheel(knob, 40);
        QVERIFY(rig.words().empty());
        turnWheel(knob, 40);
        QCOMPARE(rig.words(), (std::vector<LatchedWord>{{16, 14272}}));
        QCOMPARE(rig.receiver.panel().LedDisplay1.text, std::string("132.020"));
    }

    void knobKeysTune() {
        PanelRig rig;
        chooseLpt1AndSwitchOn(rig);
        QWidget* knob = rig.find("Knob1");
        knob->setFocus();
        QTest::keyClick(knob, Qt::Key_Right);
        QTest::keyClick(knob, Qt::Key_PageUp);
        QCOMPARE(rig.receiver.panel().Knob1.position, std::int16_t{11});
        QCOMPARE(rig.words(), (std::vector<LatchedWord>{{16, 14271}, {16, 14281}}));
    }

    void stepButtonsTune() {
        PanelRig rig;
        chooseLpt1AndSwitchOn(rig);
        QTest::mouseClick(rig.find("Command8"), Qt::LeftButton);
        QTest::mouseClick(rig.find("Command8"), Qt::LeftButton);
        QTest::mouseClick(rig.find("Command10"), Qt::LeftButton);
        QCOMPARE(rig.words(), (std::vector<LatchedWord>{{16, 14271}, {16, 14272}, {16, 14271}}));
    }

    void typedFrequencyTunes() {
        PanelRig rig;
        chooseLpt1AndSwitchOn(rig);
        QWidget* display = rig.find("LedDisplay1");
        QTest::mouseClick(display, Qt::LeftButton);
        QTest::keyClicks(display, "137.7");
        QVERIFY(rig.words().empty());
        QTest::keyClick(display, Qt::Key_Return);
        QCOMPARE(rig.words(), (std::vector<LatchedWord>{{16, 14840}}));
        QCOMPARE(rig.receiver.panel().Knob1.position, std::int16_t{570});
    }

    void typedFrequencyOutsideTheBandIsRefusedInTheStatusLine() {
        PanelRig rig;
        chooseLpt1AndSwitchOn(rig);
        QWidget* display = rig.find("LedDisplay1");
        QTest::mouseClick(display, Qt::LeftButton);
        QTest::keyClicks(display, "150");
        QTest::keyClick(display, Qt::Key_Return);
        QVERIFY(rig.words().empty());
        QVERIFY(rig.form.statusLine()->text().contains("between 132.000 and 144.000 MHz"));
    }

    void typingNeedsTheReceiverOn() {
        PanelRig rig;
        QWidget* display = rig.find("LedDisplay1");
        QTest::mouseClick(display, Qt::LeftButton);
        QTest::keyClicks(display, "137.7");
        QTest::keyClick(display, Qt::Key_Return);
        QVERIFY(rig.recorder.events().empty());
    }

    void volumeSliderWritesTheControlRegister() {
        PanelRig rig;
        chooseLpt1AndSwitchOn(rig);
        auto* volume = rig.find<QSlider>("HSlider4");
        volume->setFocus();
        QTest::keyClick(volume, Qt::Key_Right);
        QTest::keyClick(volume, Qt::Key_End);
        QCOMPARE(rig.recorder.writes(Register::Control), (std::vector<int>{3, 0}));
    }

    void wheelTurnsTuneOnlyWhileOn() {
        PanelRig rig;
        QWidget* thumb = rig.find("Wheel1");
        turnWheel(thumb, 120);
        QVERIFY(rig.recorder.events().empty());
        chooseLpt1AndSwitchOn(rig);
        turnWheel(thumb, 120);
        QCOMPARE(rig.words(), (std::vector<LatchedWord>{{16, 14271}}));
    }

    void aboutWindowChoosesThePortAndOkClosesIt() {
        PanelRig rig;
        QTest::mouseClick(rig.find("Toggle3"), Qt::LeftButton);
        QWidget* about = rig.form.aboutWindow();
        QVERIFY(about != nullptr);
        PanelRig::keep(*about, "about");
        QTest::mouseClick(about->findChild<QRadioButton*>("LPT2"), Qt::LeftButton);
        QCOMPARE(rig.receiver.state().PortBase, std::int16_t{632});
        QTest::mouseClick(about->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QTRY_VERIFY(rig.form.aboutWindow() == nullptr);
        QVERIFY(!rig.receiver.panel().Toggle3.on);
        QCOMPARE(rig.receiver.panel().ending, Ending::None);
    }

    void theStatusLineKeepsTheLatestMessages() {
        PanelRig rig;
        chooseLpt1AndSwitchOn(rig);
        for (const char* typed : {"150", "151", "152", "153"}) {
            rig.host.run([typed](Receiver& r) { r.LedDisplay1_Entry(typed); });
        }
        const QString shown = rig.form.statusLine()->text();
        QVERIFY(!shown.contains("\"150\""));
        QVERIFY(shown.contains("\"151\"") && shown.contains("\"152\"") &&
                shown.contains("\"153\""));
    }

    void controlsWithoutCaptionsHaveSpokenNames() {
        PanelRig rig;
        QCOMPARE(rig.find("Knob1")->accessibleName(), QString("Tuning knob"));
        QCOMPARE(rig.find("HSlider4")->accessibleName(), QString("Volume"));
        QCOMPARE(rig.find("Command2")->accessibleName(), QString("Ch-1"));
    }

    void whyTheBoardIsSimulatedIsToldOnHoverAndInTheHelpNotInTheTitleOrTheBadgesBox() {
        HostRig rig;
        const QString why = "No parallel port found in /dev: load the parport_pc module";
        ReceiverForm form(rig.host, "Simulated board", why);
        rig.host.run([](Receiver& r) { r.Form_Load(); });
        QCOMPARE(form.windowTitle(),
                 QString::fromUtf8("ORVEX 132 MHz - 144 MHz — simulated board"));
        QCOMPARE(form.boardBadge()->text(), QString("Simulated board"));
        QCOMPARE(form.boardBadge()->fullText(), "Simulated board: " + why);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(form.boardBadge(), &enter);
        QVERIFY(form.statusLine()->text().contains("parport_pc"));
        form.showHelp();
        QVERIFY(form.helpWindow()->plainText().contains(why));
        rig.host.run([](Receiver& r) { r.Toggle3_Change(true); });
        QCOMPARE(form.aboutWindow()->findChild<QLabel*>("Label8")->text(),
                 QString("Simulated board"));
    }

    void closingTheAboutWindowEndsTheProgram() {
        PanelRig rig;
        QSignalSpy ending(&rig.host, &ReceiverHost::endRequested);
        QTest::mouseClick(rig.find("Toggle3"), Qt::LeftButton);
        rig.form.aboutWindow()->close();
        QCOMPARE(ending.count(), 1);
        QCOMPARE(ending.at(0).at(0).value<Ending>(), Ending::Quit);
    }
};

}  // namespace orvex::test

QTEST_MAIN(orvex::test::ReceiverFormTest)
#include "ReceiverFormTest.moc"
