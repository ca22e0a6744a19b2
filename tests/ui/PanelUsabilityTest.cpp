#include <unistd.h>

#include <QFontMetrics>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <array>
#include <filesystem>
#include <map>

#include "PanelRig.h"
#include "support/Gestures.h"
#include "support/TestFiles.h"
#include "ui/Geometry.h"
#include "ui/WindowPlacement.h"
#include "ui/widgets/SevenSegmentDisplay.h"
#include "ui/widgets/ToggleSwitch.h"

namespace orvex::test {

namespace fs = std::filesystem;

// The panel as a newcomer meets it: zoom, the wheel over the display, typing, keys, help,
// feedback in the status line, the About window's keys and the remembered place of the window.
class PanelUsabilityTest : public QObject {
    Q_OBJECT

    fs::path folder = fs::temp_directory_path() / ("orvex-usability-" + std::to_string(::getpid()));

    static void activate(QWidget& window) {
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    static void chooseLpt1AndSwitchOn(PanelRig& rig) {
        QTest::mouseClick(rig.find("Toggle3"), Qt::LeftButton);
        QTest::mouseClick(rig.form.aboutWindow()->findChild<QPushButton*>("Command1"),
                          Qt::LeftButton);
        QTest::mouseClick(rig.find("Toggle7"), Qt::LeftButton);
        QVERIFY(rig.receiver.panel().Toggle7.on);
        rig.recorder.clear();
    }

    // Every caption on `window` is as wide as its box at most: labels and buttons at their
    // font, switch captions before the switch shrinks its font to fit.
    static void verifyNoCaptionClipped(QWidget& window) {
        for (auto* label : window.findChildren<QLabel*>()) {
            if (label->sizePolicy().horizontalPolicy() == QSizePolicy::Ignored) {
                continue;  // the status line and the badge wrap and cut short by design
            }
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <=
                         label->contentsRect().width(),
                     qPrintable(label->objectName()));
            QVERIFY2(window.rect().contains(label->geometry().translated(
                         label->parentWidget()->mapTo(&window, QPoint(0, 0)))),
                     qPrintable(label->objectName()));
        }
        for (auto* radio : window.findChildren<QRadioButton*>()) {
            QStyleOptionButton option;
            option.initFrom(radio);
            option.text = radio->text();
            const QRect text =
                radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, radio);
            QVERIFY2(radio->fontMetrics().horizontalAdvance(radio->text()) <= text.width(),
                     qPrintable(radio->objectName()));
        }
        for (auto* button : window.findChildren<QPushButton*>()) {
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) <= button->width() - 4,
                     qPrintable(button->objectName()));
        }
        for (auto* toggle : window.findChildren<ToggleSwitch*>()) {
            if (!toggle->pictureMode()) {
                QVERIFY2(toggle->fontMetrics().horizontalAdvance(toggle->caption()) <=
                             toggle->width() - 4,
                         qPrintable(toggle->objectName()));
            }
        }
    }

private slots:
    void init() { fs::create_directories(folder); }
    void cleanup() { fs::remove_all(folder); }

    void zoomingTo200PercentDoublesEveryInstrumentAndClipsNoCaption() {
        PanelRig rig;
        chooseLpt1AndSwitchOn(rig);
        activate(rig.form);
        PanelRig::keep(rig.form, "panel-100");
        const QSize window = rig.form.size();
        std::map<QString, QRect> atFull;
        for (QWidget* widget : rig.form.findChildren<QWidget*>()) {
            atFull[widget->objectName()] = widget->geometry();
        }

        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(&rig.form, Qt::Key_Plus, Qt::ControlModifier);
        }
        QCOMPARE(rig.form.zoom(), 2.0);
        QCOMPARE(rig.form.size(), window * 2);
        PanelRig::keep(rig.form, "panel-200");
        for (const char* name : {"LedDisplay1", "LGAUGE1", "Wheel1", "Gauge1", "ind1", "Knob1",
                                 "Toggle7", "Toggle8", "Command2", "HSlider4", "StatusLine"}) {
            QCOMPARE(rig.find(name)->geometry(),
                     QRect(atFull[name].topLeft() * 2, atFull[name].size() * 2));
        }
        verifyNoCaptionClipped(rig.form);

        QTest::keyClick(&rig.form, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(rig.form.size(), window);
        QCOMPARE(rig.find("Knob1")->geometry(), atFull["Knob1"]);
    }

    void aFreeResizeZoomsThePanelAndTheWindowSettlesOnItsShape() {
        PanelRig rig;
        const QSize full = rig.form.size();
        const QSize tall(full.width() * 2, full.height() * 3);
        rig.form.resize(tall);
        QTRY_COMPARE(rig.form.zoom(), 2.0);
        QCOMPARE(rig.find("Frame3D1")->width(), tall.width());
        QTRY_COMPARE(rig.form.size(), full * 2);
    }

    // On a 1280 x 800 screen (the tests' offscreen screen) 300 % would be 1491 pixels wide.
    void theZoomIsHeldToTheScreenAndKeepsTheWindowOnIt() {
        PanelRig rig;
        const QSize full = rig.form.size();
        const QRect screen = rig.form.screen()->availableGeometry();
        QCOMPARE(screen.size(), QSize(1280, 800));
        rig.form.move(900, 500);
        QVERIFY(QTest::qWaitForWindowExposed(&rig.form));
        rig.form.setZoom(3.0);
        QVERIFY(rig.form.zoom() > 2.5 && rig.form.zoom() < 3.0);
        QCOMPARE(rig.form.size(), full * rig.form.zoom());
        QVERIFY(screen.contains(rig.form.frameGeometry()));
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(&rig.form, Qt::Key_Plus, Qt::ControlModifier);
        }
        QVERIFY(screen.contains(rig.form.frameGeometry()));
    }

    void theWheelOverThe100KilohertzDigitTunes100Kilohertz() {
        PanelRig rig;
        chooseLpt1AndSwitchOn(rig);
        auto* display = rig.find<SevenSegmentDisplay>("LedDisplay1");
        turnWheel(display, 120, display->digitRect(2).center());
        QCOMPARE(rig.words(), (std::vector<LatchedWord>{{16, 14280}}));
        QCOMPARE(rig.receiver.panel().LedDisplay1.text, std::string("132.100"));
        rig.recorder.clear();
        turnWheel(display, 120, display->digitRect(0).center());  // 1 kHz: no finer than the step
        QCOMPARE(rig.receiver.panel().LedDisplay1.text, std::string("132.110"));
    }

    void theWheelOverTheDisplayDoesNothingWhileTheKnobIsDisabled() {
        PanelRig rig;
        auto* display = rig.find<SevenSegmentDisplay>("LedDisplay1");
        turnWheel(display, 120, display->digitRect(2).center());
        QVERIFY(rig.recorder.events().empty());
    }

    void aFrequencyTypedInKilohertzTunesIt() {
        PanelRig rig;
        chooseLpt1AndSwitchOn(rig);
        QWidget* display = rig.find("LedDisplay1");
        display->setFocus();
        QTest::keyClicks(display, "137500");  // the first digit starts the entry
        QTest::keyClick(display, Qt::Key_Return);
        QCOMPARE(rig.receiver.panel().LedDisplay1.text, std::string("137.500"));
        QCOMPARE(rig.words(), (std::vector<LatchedWord>{{16, 14820}}));
    }

    void aFrequencyOffTheStepGridSaysWhereItWasRounded() {
        PanelRig rig;
        chooseLpt1AndSwitchOn(rig);
        QWidget* display = rig.find("LedDisplay1");
        QTest::mouseClick(display, Qt::LeftButton);
        QTest::keyClicks(display, "137503000");
        QTest::keyClick(display, Qt::Key_Return);
        QVERIFY(rig.form.statusLine()->text().contains(
            "137.503 MHz is not on the 10 kHz grid: tuned to 137.500 MHz"));
    }

    void aStorePostsItsConfirmation() {
        PanelRig rig;
        chooseLpt1AndSwitchOn(rig);
        activate(rig.form);
        rig.find<QSlider>("HSlider4")->setValue(4);
        rig.find<QSlider>("HSlider3")->setValue(250);
        rig.host.run([](Receiver& r) { r.LedDisplay1_Entry("137.1"); });
        QTest::keyClick(&rig.form, Qt::Key_R, Qt::ControlModifier);  // Write
        QTest::keyClick(&rig.form, Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(rig.settings.get("CHANNEL_2"), std::string("137100"));
        QVERIFY(rig.form.statusLine()->text().contains(
            "Ch-2 stored: 137.100 MHz, 10 kHz, volume 4, squelch 0.25"));
        QTest::keyClick(&rig.form, Qt::Key_2, Qt::ControlModifier);  // Read again: a recall
        QVERIFY(rig.form.statusLine()->text().contains("Ch-2 recalled: 137.100 MHz"));

        // Resting on a channel button says what it holds, in the status line.
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(rig.find("Command4"), &enter);
        QVERIFY(rig.form.statusLine()->text().contains("Ch-3 is empty"));
        QTest::keyClick(&rig.form, Qt::Key_R, Qt::ControlModifier);  // Write
        QTest::keyClick(&rig.form, Qt::Key_3, Qt::ControlModifier);  // stored under the mouse
        QVERIFY(!rig.form.statusLine()->text().contains("Ch-3 is empty"));
        QVERIFY(rig.form.statusLine()->text().contains("Ch-3 holds 137.100 MHz"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(rig.find("Command4"), &leave);
        QVERIFY(!rig.form.statusLine()->text().contains("Ch-3 holds"));
    }

    void aStaleProblemGoesOnceItsCauseIsGoneAndThePortChoiceIsConfirmed() {
        HostRig host;
        ReceiverForm form(host.host, "Test board");
        host.host.run([](Receiver& r) { r.Form_Load(); });
        host.host.run([](Receiver& r) { r.Toggle7_Change(true); });
        QVERIFY(form.statusLine()->text().contains("No printer port chosen"));
        host.host.run([](Receiver& r) { r.Toggle3_Change(true); });
        QVERIFY(!form.statusLine()->text().contains("No printer port chosen"));
        QVERIFY(form.statusLine()->text().contains("LPT1 (base 888) chosen"));
    }

    void f1OpensTheHelpWithEveryKey() {
        PanelRig rig;
        rig.form.move(400, 300);  // room around it for the larger help window
        activate(rig.form);
        QTest::keyClick(&rig.form, Qt::Key_F1);
        HelpWindow* help = rig.form.helpWindow();
        QVERIFY(help != nullptr && help->isVisible());
        QCOMPARE(help->parentWidget(), &rig.form);
        PanelRig::keep(*help, "help");
        for (const char* expected :
             {"Ctrl+P", "Ctrl+3", "Ctrl+Q", "F1", "Zoom in", "captioned Help",
              "takes the mute back", "closing it any other way ends"}) {
            QVERIFY2(help->plainText().contains(expected), expected);
        }
        QVERIFY((help->frameGeometry().center() - rig.form.frameGeometry().center())
                    .manhattanLength() <= 2);
        const QSize atFull = help->size();
        rig.form.setZoom(2.0);
        QCOMPARE(help->size(), atFull * 2);
        QCOMPARE(help->font().pointSizeF(), QApplication::font().pointSizeF() * 2);
        QTest::keyClick(help, Qt::Key_Escape);
        QVERIFY(!help->isVisible());
    }

    void aKeyDoesNothingWhileItsControlIsDisabled() {
        PanelRig rig;
        activate(rig.form);
        QVERIFY(!rig.find("Command2")->isEnabled());
        QTest::keyClick(&rig.form, Qt::Key_1, Qt::ControlModifier);
        QVERIFY(rig.recorder.events().empty());
        QCOMPARE(rig.form.statusLine()->messages().size(), 1);       // the greeting alone
        QTest::keyClick(&rig.form, Qt::Key_P, Qt::ControlModifier);  // enabled: switches on
        QVERIFY(rig.receiver.panel().Toggle7.on);
        QTest::keyClick(&rig.form, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(rig.form.statusLine()->text().contains("Scanning up from 132.000 MHz"));
    }

    void tabGoesLeftToRightAndTopToBottomPastControlsThatDoNothing() {
        PanelRig rig;
        chooseLpt1AndSwitchOn(rig);
        activate(rig.form);
        rig.find("LedDisplay1")->setFocus();
        QStringList visited;
        for (int i = 0; i < 18; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited.mid(0, 6),
                 (QStringList{"Wheel1", "Command2", "Command3", "Command4", "Toggle4", "Toggle2"}));
        QCOMPARE(visited.mid(6, 2), (QStringList{"Toggle7", "Knob1"}));
        for (const char* idle : {"Toggle1", "SSCommand3", "SSCommand4"}) {
            QVERIFY2(!visited.contains(idle), idle);
        }
    }

    void aLongMessageLeavesTheWindowsWidthAlone() {
        PanelRig rig;
        const QSize window = rig.form.size();
        const std::string typed(300, '7');
        rig.host.run([&typed](Receiver& r) { r.LedDisplay1_Entry(typed); });
        QApplication::processEvents();
        QCOMPARE(rig.form.size(), window);
        MessageLine* line = rig.form.statusLine();
        QCOMPARE(line->messages().size(), 2);  // the greeting and the refusal
        const QStringList shown = line->text().split('\n');
        QVERIFY(shown.size() <= 3);
        for (const QString& text : shown) {
            QVERIFY(line->fontMetrics().horizontalAdvance(text) <= line->contentsRect().width());
        }
    }

    void theAboutWindowBelongsToThePanelTakesEnterAndIgnoresEscape() {
        PanelRig rig;
        QTest::mouseClick(rig.find("Toggle3"), Qt::LeftButton);
        Form2* about = rig.form.aboutWindow();
        QCOMPARE(about->parentWidget(), &rig.form);
        QVERIFY(about->isWindow());
        QVERIFY((about->frameGeometry().center() - rig.form.frameGeometry().center())
                    .manhattanLength() <= 2);
        QTest::keyClick(about, Qt::Key_Escape);
        QVERIFY(rig.form.aboutWindow() != nullptr);
        QCOMPARE(rig.receiver.panel().ending, Ending::None);
        QTest::keyClick(about, Qt::Key_Return);
        QTRY_VERIFY(rig.form.aboutWindow() == nullptr);
        QCOMPARE(rig.receiver.panel().ending, Ending::None);
    }

    void theAboutWindowsControlsAreAtTheirPlacesAndTheirTextsFitAtEveryZoom() {
        PanelRig rig;
        QTest::mouseClick(rig.find("Toggle3"), Qt::LeftButton);
        Form2* about = rig.form.aboutWindow();
        QCOMPARE(about->size(), twips(0, 0, 3600, 2280).size());
        const std::array<std::pair<const char*, QRect>, 10> places{{
            {"SSPanel1", twips(240, 120, 3135, 615)},
            {"Label1", twips(120, 720, 3375, 255)},
            {"Label2", twips(120, 960, 3135, 165)},
            {"Label8", twips(120, 1200, 1935, 165)},
            {"Label6", twips(120, 1440, 1695, 255)},
            {"Label3", twips(120, 1680, 1815, 255)},
            {"Label5", twips(120, 1920, 2295, 255)},
            {"LPT1", twips(2760, 1200, 735, 255)},
            {"LPT2", twips(2760, 1440, 735, 255)},
            {"Command1", twips(2520, 1800, 975, 375)},
        }};
        for (const auto& [name, place] : places) {
            QCOMPARE(about->findChild<QWidget*>(name)->geometry(), place);
        }
        for (const double zoom : {1.0, 1.5, 2.0}) {
            rig.form.setZoom(zoom);
            QCOMPARE(about->size(), twips(0, 0, 3600, 2280).size() * zoom);
            verifyNoCaptionClipped(*about);
            for (auto* label : about->findChildren<QLabel*>()) {
                QVERIFY2(label->fontMetrics().height() <= label->contentsRect().height(),
                         qPrintable(label->objectName()));
            }
            PanelRig::keep(*about, QString("about-%1").arg(zoom * 100));
        }
    }

    // The first run does nothing and writes nothing; the second zooms twice at once after the
    // start and moves; the third finds both.
    void aZoomAtOnceAfterTheStartAndAMoveComeBackInAFreshRun() {
        const fs::path file = folder / "window.ini";
        HostRig rig;
        {
            ReceiverForm form(rig.host, "Test board");
            WindowPlacement placement(file);
            placement.attach(form);
            form.show();
            QTRY_VERIFY(placement.following());  // after the window manager placed it
            QTest::qWait(2 * WindowPlacement::SaveDelay.count());
            QVERIFY(!fs::exists(file));
        }
        {
            ReceiverForm form(rig.host, "Test board");
            WindowPlacement placement(file);
            placement.attach(form);
            form.show();
            form.setZoom(PanelZoom::zoomedIn(form.zoom()));  // what Ctrl++ does
            form.setZoom(PanelZoom::zoomedIn(form.zoom()));
            QTRY_VERIFY(placement.following());
            form.move(60, 40);
            QTRY_VERIFY(fs::exists(file) && !placement.savePending());
        }
        QVERIFY(readFile(file).find("ZOOM=150") != std::string::npos);
        ReceiverForm fresh(rig.host, "Test board");
        WindowPlacement placement(file);
        placement.attach(fresh);
        QCOMPARE(fresh.zoom(), 1.5);
        QCOMPARE(fresh.pos(), QPoint(60, 40));
        QCOMPARE(rig.settings.get("ZOOM"), std::string("<missing>"));  // not the receiver's file
    }

    void aHugeValueInTheFileIsQuotedOnlyByItsStart() {
        const fs::path file = folder / "huge.ini";
        writeFile(file, "[CONTROL]\nZOOM=" + std::string(15 << 20, '9') + "\n");
        HostRig rig;
        ReceiverForm form(rig.host, "Test board");
        WindowPlacement placement(file);
        placement.attach(form);
        const QStringList told = form.statusLine()->messages();
        QVERIFY(!told.isEmpty());
        QVERIFY2(told.back().size() < 300, qPrintable(told.back().left(300)));
        QVERIFY(told.back().contains("holds ZOOM=999999999999999999999999..., not a zoom"));
        QCOMPARE(form.zoom(), 1.0);
    }
};

}  // namespace orvex::test

QTEST_MAIN(orvex::test::PanelUsabilityTest)
#include "PanelUsabilityTest.moc"
