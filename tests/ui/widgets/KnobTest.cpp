#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <cstdlib>
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

    void dragMovesByDistanceAndEndsOnceOnRelease() {
        const QPoint from{45, 45};
        QTest::mousePress(knob_.get(), Qt::LeftButton, {}, from);
        QTest::mouseMove(knob_.get(), from + QPoint(8, 0));   // right: two steps up
        QTest::mouseMove(knob_.get(), from + QPoint(8, -4));  // up: one more
        QCOMPARE(intArguments(*moves_), (QList<int>{602, 603}));
        QCOMPARE(releases_->count(), 0);
        QTest::mouseRelease(knob_.get(), Qt::LeftButton, {}, from + QPoint(8, -4));
        QCOMPARE(intArguments(*releases_), (QList<int>{603}));

        // A second drag, down, ends once more.
        QTest::mousePress(knob_.get(), Qt::LeftButton, {}, from);
        QTest::mouseMove(knob_.get(), from + QPoint(0, 12));
        QTest::mouseRelease(knob_.get(), Qt::LeftButton, {}, from + QPoint(0, 12));
        QCOMPARE(intArguments(*moves_), (QList<int>{602, 603, 600}));
        QCOMPARE(intArguments(*releases_), (QList<int>{603, 600}));
    }

    void aShortDragRoundTheKnobNeverJumpsFar() {
        // A quarter turn round the rim, which by angle would be 400 positions.
        QTest::mousePress(knob_.get(), Qt::LeftButton, {}, TwelveOClock);
        QTest::mouseMove(knob_.get(), ThreeOClock);
        QVERIFY(std::abs(knob_->position() - 600) <= 15);
    }

    void shiftMakesADragFiner() {
        const QPoint from{45, 45};
        QTest::mousePress(knob_.get(), Qt::LeftButton, {}, from);
        const QPoint to = from + QPoint(32, 0);
        QMouseEvent move(QEvent::MouseMove, to, knob_->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(knob_.get(), &move);
        QCOMPARE(knob_->position(), 602);
    }

    void dragPastTheEndTurnsBackAsSoonAsTheMouseDoes() {
        knob_->setPosition(1195);
        const QPoint from{20, 45};
        QTest::mousePress(knob_.get(), Qt::LeftButton, {}, from);
        QTest::mouseMove(knob_.get(), from + QPoint(60, 0));
        QCOMPARE(knob_->position(), 1200);
        QTest::mouseMove(knob_.get(), from + QPoint(56, 0));
        QCOMPARE(knob_->position(), 1199);
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

    void screenReaderTurnsItInTheUnitsItIsSpokenIn() {
        QAccessibleInterface* face = accessible(knob_.get());
        QVERIFY(face);
        QCOMPARE(face->text(QAccessible::Value), QStringLiteral("600"));
        knob_->spokenValue().setScale(132.0, 0.01);  // MHz at a 10 kHz step
        knob_->spokenValue().setWords([this] { return QString::number(knob_->position()); });
        QAccessibleValueInterface* value = face->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->currentValue().toDouble(), 138.0);
        QCOMPARE(value->maximumValue().toDouble(), 144.0);
        QCOMPARE(value->minimumStepSize().toDouble(), 0.01);
        value->setCurrentValue(139.5);
        QCOMPARE(intArguments(*moves_), (QList<int>{750}));
        QCOMPARE(face->textInterface()->text(0, -1), QStringLiteral("750"));
        knob_->setEnabled(false);
        value->setCurrentValue(140.0);
        QCOMPARE(knob_->position(), 750);
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
