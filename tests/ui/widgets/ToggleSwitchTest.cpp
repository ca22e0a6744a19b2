#include <QTest>
#include <memory>

#include "WidgetTestSupport.h"
#include "ui/widgets/ToggleSwitch.h"

using namespace orvex;
using namespace orvex::test;

class ToggleSwitchTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ToggleSwitch> toggle_;
    std::unique_ptr<QSignalSpy> switched_;

    static QList<bool> states(const QSignalSpy& spy) {
        QList<bool> values;
        for (const QList<QVariant>& arguments : spy) {
            values.append(arguments.at(0).toBool());
        }
        return values;
    }

private slots:
    void init() {
        toggle_ = std::make_unique<ToggleSwitch>();
        toggle_->setObjectName(QStringLiteral("Toggle4"));
        toggle_->resize(57, 17);
        toggle_->setOffCaption(QStringLiteral("Read"));
        toggle_->setOnCaption(QStringLiteral("Write"));
        toggle_->setOffLampColor(QColor(0x80, 0xff, 0x80));
        toggle_->setOnLampColor(QColor(0xff, 0xc0, 0x80));
        switched_ = std::make_unique<QSignalSpy>(toggle_.get(), &ToggleSwitch::switched);
    }

    void eachClickSwitchesItOverOnce() {
        QTest::mouseClick(toggle_.get(), Qt::LeftButton);
        QVERIFY(toggle_->isOn());
        QTest::mouseClick(toggle_.get(), Qt::LeftButton);
        QVERIFY(!toggle_->isOn());
        QCOMPARE(states(*switched_), (QList<bool>{true, false}));
    }

    void spaceAndEnterSwitchItOver() {
        QTest::keyClick(toggle_.get(), Qt::Key_Space);
        QTest::keyClick(toggle_.get(), Qt::Key_Return);
        QTest::keyClick(toggle_.get(), Qt::Key_Enter);
        QCOMPARE(states(*switched_), (QList<bool>{true, false, true}));
    }

    void aHeldKeySwitchesOnlyOnce() {
        QTest::keyPress(toggle_.get(), Qt::Key_Space);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "),
                         true);
        QApplication::sendEvent(toggle_.get(), &repeat);
        QTest::keyRelease(toggle_.get(), Qt::Key_Space);
        QCOMPARE(states(*switched_), (QList<bool>{true}));
    }

    void aClickFromCodeActsAsTheOperatorsExceptWhileDisabled() {
        toggle_->click();
        toggle_->setEnabled(false);
        toggle_->click();
        QCOMPARE(states(*switched_), (QList<bool>{true}));
    }

    void releasingTheMouseOutsideLeavesItAsItWas() {
        QTest::mousePress(toggle_.get(), Qt::LeftButton);
        QTest::mouseMove(toggle_.get(), QPoint(80, 8));
        QTest::mouseRelease(toggle_.get(), Qt::LeftButton, {}, QPoint(80, 8));
        QVERIFY(!toggle_->isOn());
        QCOMPARE(switched_->count(), 0);
    }

    void settingTheStateFromCodeIsAChangeButNoSwitch() {
        QSignalSpy changes(toggle_.get(), &ToggleSwitch::onChanged);
        toggle_->setOn(true);
        toggle_->setOn(false);
        toggle_->setOn(true);
        toggle_->setOn(true);
        QVERIFY(toggle_->isOn());
        QCOMPARE(switched_->count(), 0);
        QCOMPARE(states(changes), (QList<bool>{true, false, true}));
    }

    void captionAndLampFollowTheState() {
        QCOMPARE(toggle_->caption(), QStringLiteral("Read"));
        QCOMPARE(toggle_->lampColor(), QColor(0x80, 0xff, 0x80));
        const QImage off = rendered(toggle_.get());
        toggle_->setOn(true);
        QCOMPARE(toggle_->caption(), QStringLiteral("Write"));
        QCOMPARE(toggle_->lampColor(), QColor(0xff, 0xc0, 0x80));
        QVERIFY(rendered(toggle_.get()) != off);
    }

    void captionsAndLampsChangedAtRunTimeShowAtOnce() {
        // The step switches rewrite their captions and power-off greys the lamps.
        toggle_->setOn(true);
        QImage previous = rendered(toggle_.get());
        const auto changed = [&] {
            const QImage now = rendered(toggle_.get());
            const bool different = now != previous;
            previous = now;
            return different;
        };
        toggle_->setOnCaption(QStringLiteral("5kHz"));
        QVERIFY(changed());
        toggle_->setOnLampColor(QColor(0x80, 0x80, 0x80));
        QVERIFY(changed());
        toggle_->setOffLampColor(Qt::red);  // not showing while on
        QVERIFY(!changed());
        toggle_->setOn(false);
        QVERIFY(changed());
    }

    void pictureModeShowsAPowerButtonInEachState() {
        toggle_->resize(73, 33);
        const QImage withCaption = rendered(toggle_.get());
        toggle_->setPictureMode(true);
        const QImage pictureOff = rendered(toggle_.get());
        QVERIFY(pictureOff != withCaption);
        toggle_->setOn(true);
        QVERIFY(rendered(toggle_.get()) != pictureOff);
        // Transparent round the picture.
        QCOMPARE(QColor(rendered(toggle_.get()).pixel(2, 16)), QColor(Qt::magenta));
    }

    void assistiveActionsWorkLikeAClickOnlyWhileEnabled() {
        QAccessibleActionInterface* actions = accessible(toggle_.get())->actionInterface();
        for (const QString& action : {QAccessibleActionInterface::toggleAction(),
                                      QAccessibleActionInterface::pressAction()}) {
            QVERIFY(actions->actionNames().contains(action));
            actions->doAction(action);
        }
        QCOMPARE(states(*switched_), (QList<bool>{true, false}));
        toggle_->setEnabled(false);
        QVERIFY(!actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
        actions->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(switched_->count(), 2);
    }

    void screenReaderHearsBothCaptionsAndTheState() {
        QAccessibleInterface* face = accessible(toggle_.get());
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Read / Write"));
        QCOMPARE(face->text(QAccessible::Value), QStringLiteral("Read"));
        QCOMPARE(face->role(), QAccessible::CheckBox);
        QVERIFY(face->state().checkable);
        QVERIFY(!face->state().checked);
        toggle_->setOn(true);
        QCOMPARE(face->text(QAccessible::Value), QStringLiteral("Write"));
        QVERIFY(face->state().checked);

        toggle_->setCaption(QStringLiteral("Mute"));
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Mute"));
        QCOMPARE(face->text(QAccessible::Value), QStringLiteral("on"));
    }
};

QTEST_MAIN(ToggleSwitchTest)
#include "ToggleSwitchTest.moc"
