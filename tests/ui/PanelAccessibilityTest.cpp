#include <QDir>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <functional>
#include <memory>

#include "PanelRig.h"
#include "hardware/monitor/AccessDecoder.h"
#include "ui/BoardMonitor.h"

namespace orvex::test {

// The panel for a keyboard user who must see where the focus is, and its windows for a screen
// reader.
class PanelAccessibilityTest : public QObject {
    Q_OBJECT

    // How the panel's code names its controls, never a name in words.
    const QRegularExpression internalName{
        QStringLiteral("\\b(Frame3D|Panel3D|SSPanel|SSCommand|Toggle|Command|HSlider|Knob|Wheel|"
                       "LedDisplay|LGAUGE|Gauge|ind|Label|Text|Form)\\d+\\b")};

    static void switchOn(PanelRig& rig) {
        rig.host.run([](Receiver& r) {
            r.Toggle3_Change(true);
            r.Form2_Command1_Click();
            r.Toggle7_Change(true);
        });
        rig.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&rig.form));
    }

    // The focus mark's dark ring along the middle row, from where it begins after its light
    // edge: its width in pixels, 0 when there is none.
    static int markWidth(const QImage& image) {
        const int y = image.height() / 2;
        const auto is = [&image, y](int x, Qt::GlobalColor colour) {
            return x < image.width() && image.pixelColor(x, y) == QColor(colour);
        };
        int x = 0;
        while (x < image.width() && !(is(x, Qt::white) && is(x + 1, Qt::black))) {
            ++x;
        }
        int width = 0;
        while (is(x + 1 + width, Qt::black)) {
            ++width;
        }
        return width;
    }

    // Every element of `window` a screen reader can reach or work has a name in words, and none
    // an internal name.
    void verifyReadable(QWidget& window) {
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&window);
        QCOMPARE(root->role(), QAccessible::Window);
        QCOMPARE(root->text(QAccessible::Name), window.windowTitle());
        std::function<void(QAccessibleInterface*)> visit = [&](QAccessibleInterface* element) {
            const QString name = element->text(QAccessible::Name);
            const QString where = window.objectName() + ": " + element->object()->objectName();
            QVERIFY2(!internalName.match(name).hasMatch(), qPrintable(where + " " + name));
            const QAccessibleActionInterface* actions = element->actionInterface();
            const bool works = actions != nullptr && !actions->actionNames().isEmpty();
            if (element->state().focusable || works) {
                QVERIFY2(name.contains(QRegularExpression("[A-Za-z]{2}")), qPrintable(where));
            }
            for (int i = 0; i < element->childCount(); ++i) {
                visit(element->child(i));
            }
        };
        visit(root);
    }

private slots:
    void theFocusMarkIsTwoPixelsAtActualSizeAndGrowsWithTheZoom_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<double>("zoom");
        for (const char* control : {"LedDisplay1", "Knob1", "Toggle2", "Command8", "HSlider4"}) {
            for (double zoom : {1.0, 2.0}) {
                QTest::addRow("%s at %g", control, zoom) << QString(control) << zoom;
            }
        }
    }
    void theFocusMarkIsTwoPixelsAtActualSizeAndGrowsWithTheZoom() {
        QFETCH(QString, control);
        QFETCH(double, zoom);
        PanelRig rig;
        switchOn(rig);
        rig.form.setZoom(zoom);
        QWidget* widget = rig.find(qPrintable(control));
        widget->setFocus(Qt::TabFocusReason);
        QVERIFY(widget->hasFocus());
        const QImage focused = widget->grab().toImage();
        const QString folder = QStringLiteral(ORVEX_TEST_ARTIFACTS "/focus");
        QDir().mkpath(folder);
        focused.save(QStringLiteral("%1/%2-%3.png").arg(folder, control).arg(int(zoom * 100)));
        QCOMPARE(markWidth(focused), int(2 * zoom));
        widget->clearFocus();
        QCOMPARE(markWidth(widget->grab().toImage()), 0);
    }

    void shiftF10AndTheMenuKeyOpenTheContextMenu_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
        QTest::addRow("Menu") << int(Qt::Key_Menu) << int(Qt::NoModifier);
    }
    void shiftF10AndTheMenuKeyOpenTheContextMenu() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        PanelRig rig;
        switchOn(rig);
        QWidget* knob = rig.find("Knob1");
        knob->setFocus();
        QTest::keyClick(knob, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTRY_VERIFY(rig.form.contextMenu()->isVisible());
        QVERIFY(
            rig.form.contextMenu()->geometry().contains(knob->mapToGlobal(knob->rect().center())));
        rig.form.contextMenu()->close();
    }

    void pageHomeAndEndOnTheWheelTuneAsOnTheKnob() {
        PanelRig rig;
        switchOn(rig);
        QWidget* wheel = rig.find("Wheel1");
        wheel->setFocus();
        const auto shown = [&rig] { return rig.receiver.panel().LedDisplay1.text; };
        QTest::keyClick(wheel, Qt::Key_PageUp);
        QCOMPARE(shown(), std::string("132.100"));
        QTest::keyClick(wheel, Qt::Key_End);
        QCOMPARE(shown(), std::string("144.000"));
        QTest::keyClick(wheel, Qt::Key_PageDown);
        QTest::keyClick(wheel, Qt::Key_Home);
        QCOMPARE(shown(), std::string("132.000"));
    }

    // The panel itself is read over AT-SPI, as a screen reader reads it (screen_reader_tests).
    void theAboutHelpAndMonitorWindowsReadInWords() {
        PanelRig rig;
        rig.host.run([](Receiver& r) { r.Toggle3_Change(true); });
        verifyReadable(*rig.form.aboutWindow());
        rig.form.showHelp();
        verifyReadable(*rig.form.helpWindow());
        AccessDecoder decoder;
        BoardMonitor monitor(decoder, [] { return std::optional(137700.0); });
        verifyReadable(monitor);
    }
};

}  // namespace orvex::test

QTEST_MAIN(orvex::test::PanelAccessibilityTest)
#include "PanelAccessibilityTest.moc"
