#include <QTest>
#include <memory>

#include "WidgetTestSupport.h"
#include "ui/widgets/Knob.h"

using namespace orvex;
using namespace orvex::test;

class KnobTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Knob> knob_;
    std::unique_ptr<QSignalSpy> moves_;
    std::unique_ptr<QSignalSpy> releases_;
    std::unique_ptr<QSignalSpy> changes_;  // every change of position, also from code

    // The knob is 90 x 90, so its centre is (45, 45): these points are 30 pixels from it.
    static constexpr QPoint TwelveOClock{45, 15};
    static constexpr QPoint ThreeOClock{75, 45};

private slots:
    void init() {
        knob_ = std::make_unique<Knob>();
        knob_->setObjectName(QStringLiteral("Knob1"));
        knob_->resize(90, 90);
        knob_->setMaximum(1200);
        knob_->setPosition(600);
        moves_ = std::make_unique<QSignalSpy>(knob_.get(), &Knob::moved);
        releases_ = std::make_unique<QSignalSpy>(knob_.get(), &Knob::released);
        changes_ = std::make_unique<QSignalSpy>(knob_.get(), &Knob::positionChanged);
    }

    void emitsOneChangePerWheelNotch() {
        turnWheel(knob_.get(), 120);
        turnWheel(knob_.get(), 240);
        turnWheel(knob_.get(), -120);
        QCOMPARE(intArguments(*moves_), (QList<int>{601, 602, 603, 602}));
        QCOMPARE(releases_->count(), 0);
    }

    void addsUpTouchpadScrollingToWholeNotches() {
        for (int i = 0; i < 7; ++i) {
            turnWheel(knob_.get(), 40);
        }
        QCOMPARE(intArguments(*moves_), (QList<int>{601, 602}));
    }

    void dropsAPartNotchWhenTheScrollingTurnsBack() {
        turnWheel(knob_.get(), 90);
        turnWheel(knob_.get(), -90);
        QCOMPARE(moves_->count(), 0);
        turnWheel(knob_.get(), -30);  // -90 - 30 completes a notch down; the +90 is forgotten
        QCOMPARE(intArguments(*moves_), (QList<int>{599}));
    }

    void keysStepPageAndJumpToTheEnds() {
        for (Qt::Key key : {Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_PageUp,
                            Qt::Key_PageDown, Qt::Key_End, Qt::Key_Home}) {
            QTest::keyClick(knob_.get(), key);
        }
        const QList<int> expected{601, 602, 601, 600, 610, 600, 1200, 0};
        QCOMPARE(intArguments(*moves_), expected);
        QCOMPARE(intArguments(*changes_), expected);  // a move is a change too
    }

    void staysAtTheEndsWithoutAnnouncingAChange() {
        knob_->setPosition(1200);
        turnWheel(knob_.get(), 120);
        QTest::keyClick(knob_.get(), Qt::Key_PageUp);
        knob_->setPosition(0);
        QTest::keyClick(knob_.get(), Qt::Key_Down);
        QCOMPARE(moves_->count(), 0);
    }

    void settingPositionOrMaximumFromCodeIsAChangeButNoMove() {
        knob_->setPosition(700);
        knob_->setMaximum(120);  // below the position: the position follows, silently
        QCOMPARE(knob_->position(), 120);
        knob_->setPosition(5000);
        QCOMPARE(knob_->position(), 120);
        knob_->setMaximum(-3);
        QCOMPARE(knob_->maximum(), 0);
        QCOMPARE(knob_->position(), 0);
        QCOMPARE(moves_->count(), 0);
        QCOMPARE(releases_->count(), 0);
        QCOMPARE(intArguments(*changes_), (QList<int>{700, 120, 0}));
    }

    void dragTurnsWithTheMouseAndEndsOnceOnRelease() {
        QTest::mousePress(knob_.get(), Qt::LeftButton, {}, TwelveOClock);
        QTest::mouseMove(knob_.get(), ThreeOClock);  // a quarter turn clockwise: +400
        QCOMPARE(intArguments(*moves_), (QList<int>{1000}));
        QCOMPARE(releases_->count(), 0);
        QTest::mouseRelease(knob_.get(), Qt::LeftButton, {}, ThreeOClock);
        QCOMPARE(intArguments(*releases_), (QList<int>{1000}));

        // A second drag, back the other way, ends once more.
        QTest::mousePress(knob_.get(), Qt::LeftButton, {}, ThreeOClock);
        QTest::mouseMove(knob_.get(), TwelveOClock);
        QTest::mouseRelease(knob_.get(), Qt::LeftButton, {}, TwelveOClock);
        QCOMPARE(intArguments(*moves_), (QList<int>{1000, 600}));
        QCOMPARE(intArguments(*releases_), (QList<int>{1000, 600}));
    }

    void dragAcrossTheLeftSideTurnsTheShortWay() {
        // From just above nine o'clock to just below it: a small turn anticlockwise, not most of
        // a turn clockwise.
        QTest::mousePress(knob_.get(), Qt::LeftButton, {}, QPoint(15, 42));
        QTest::mouseMove(knob_.get(), QPoint(15, 48));
        QVERIFY(knob_->position() < 600);
        QVERIFY(knob_->position() > 500);
    }

    void dragPastTheEndTurnsBackAsSoonAsTheMouseDoes() {
        knob_->setPosition(1100);
        QTest::mousePress(knob_.get(), Qt::LeftButton, {}, TwelveOClock);
        QTest::mouseMove(knob_.get(), ThreeOClock);
        QCOMPARE(knob_->position(), 1200);
        QTest::mouseMove(knob_.get(), QPoint(74, 37));  // 15 degrees back
        QVERIFY(knob_->position() < 1200);
        QCOMPARE(moves_->last().at(0).toInt(), knob_->position());
    }

    void releaseWithoutAPressEndsNoDrag() {
        QTest::mouseRelease(knob_.get(), Qt::LeftButton, {}, ThreeOClock);
        QCOMPARE(releases_->count(), 0);
    }

    void disablingInTheMiddleOfADragEndsItWithoutAnnouncement() {
        QTest::mousePress(knob_.get(), Qt::LeftButton, {}, TwelveOClock);
        knob_->setEnabled(false);
        knob_->setEnabled(true);
        QTest::mouseMove(knob_.get(), ThreeOClock);
        QTest::mouseRelease(knob_.get(), Qt::LeftButton, {}, ThreeOClock);
        QCOMPARE(moves_->count(), 0);
        QCOMPARE(releases_->count(), 0);
    }

    void disabledKnobIgnoresTheOperator() {
        knob_->setEnabled(false);
        QTest::ignoreMessage(QtWarningMsg, "Keyboard event not accepted by receiving widget");
        QTest::ignoreMessage(QtWarningMsg, "Keyboard event not accepted by receiving widget");
        QTest::ignoreMessage(QtWarningMsg,
                             "Mouse event \"MousePress\" not accepted by receiving widget");
        QTest::ignoreMessage(QtWarningMsg,
                             "Mouse event \"MouseRelease\" not accepted by receiving widget");
        turnWheel(knob_.get(), 120);
        QTest::keyClick(knob_.get(), Qt::Key_Up);
        QTest::mouseClick(knob_.get(), Qt::LeftButton, {}, TwelveOClock);
        QCOMPARE(knob_->position(), 600);
        QCOMPARE(moves_->count(), 0);
        QCOMPARE(releases_->count(), 0);
    }

    void screenReaderSeesNameAndPositionAndCanTurnIt() {
        QAccessibleInterface* face = accessible(knob_.get());
        QVERIFY(face);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Knob1"));
        QCOMPARE(face->text(QAccessible::Value), QStringLiteral("600"));
        QAccessibleValueInterface* value = face->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->maximumValue().toInt(), 1200);
        value->setCurrentValue(750);
        QCOMPARE(intArguments(*moves_), (QList<int>{750}));
        QCOMPARE(value->currentValue().toInt(), 750);
    }

    void markerAndFaceAreRedrawnWhenTheirColoursChange() {
        const QImage before = rendered(knob_.get());
        knob_->setFaceColor(Qt::blue);
        const QImage blueFace = rendered(knob_.get());
        QVERIFY(blueFace != before);
        knob_->setMarkerColor(Qt::green);
        QVERIFY(rendered(knob_.get()) != blueFace);
    }
};

QTEST_MAIN(KnobTest)
#include "KnobTest.moc"
