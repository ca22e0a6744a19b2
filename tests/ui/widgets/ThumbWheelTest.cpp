#include <QTest>
#include <memory>

#include "WidgetTestSupport.h"
#include "ui/widgets/ThumbWheel.h"

using namespace orvex;
using namespace orvex::test;

class ThumbWheelTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ThumbWheel> wheel_;
    std::unique_ptr<QSignalSpy> turns_;

    static constexpr int Up = 0;
    static constexpr int Down = 1;

private slots:
    void init() {
        wheel_ = std::make_unique<ThumbWheel>();
        wheel_->resize(12, 110);
        wheel_->setPixelsPerStep(6);
        turns_ = std::make_unique<QSignalSpy>(wheel_.get(), &ThumbWheel::turned);
    }

    void mouseWheelNotchesGiveOneCodeEach() {
        turnWheel(wheel_.get(), 120);
        turnWheel(wheel_.get(), -240);
        QCOMPARE(intArguments(*turns_), (QList<int>{Up, Down, Down}));
    }

    void touchpadScrollingAddsUpToWholeNotches() {
        for (int i = 0; i < 11; ++i) {
            turnWheel(wheel_.get(), -24);
        }
        QCOMPARE(intArguments(*turns_), (QList<int>{Down, Down}));
    }

    void dragReportsOneCodePerStepOfTheMouse() {
        QTest::mousePress(wheel_.get(), Qt::LeftButton, {}, QPoint(6, 80));
        QTest::mouseMove(wheel_.get(), QPoint(6, 56));  // 24 pixels up: four steps
        QTest::mouseMove(wheel_.get(), QPoint(6, 53));  // half a step more: nothing yet
        QTest::mouseMove(wheel_.get(), QPoint(6, 68));  // back down below 2 steps up
        QTest::mouseRelease(wheel_.get(), Qt::LeftButton, {}, QPoint(6, 68));
        QTest::mouseMove(wheel_.get(), QPoint(6, 10));  // button up: no longer turning
        QCOMPARE(intArguments(*turns_), (QList<int>{Up, Up, Up, Up, Down, Down}));
    }

    void upAndDownKeysTurnOneStepEach() {
        QTest::keyClick(wheel_.get(), Qt::Key_Up);
        QTest::keyClick(wheel_.get(), Qt::Key_Down);
        QTest::keyClick(wheel_.get(), Qt::Key_Down);
        QCOMPARE(intArguments(*turns_), (QList<int>{Up, Down, Down}));
    }

    void pageKeysAndAssistiveActionsTurnHomeAndEndAskForTheEnds() {
        QSignalSpy ends(wheel_.get(), &ThumbWheel::endRequested);
        wheel_->setPageStep(3);
        QTest::keyClick(wheel_.get(), Qt::Key_PageUp);
        QTest::keyClick(wheel_.get(), Qt::Key_PageDown);
        QAccessibleActionInterface* actions = accessible(wheel_.get())->actionInterface();
        actions->doAction(QAccessibleActionInterface::increaseAction());
        QCOMPARE(intArguments(*turns_), (QList<int>{Up, Up, Up, Down, Down, Down, Up}));
        QTest::keyClick(wheel_.get(), Qt::Key_Home);
        QTest::keyClick(wheel_.get(), Qt::Key_End);
        QCOMPARE(intArguments(ends), (QList<int>{Down, Up}));
        wheel_->setEnabled(false);
        QVERIFY(!actions->actionNames().contains(QAccessibleActionInterface::decreaseAction()));
    }

    void ridgesMoveWithEachStepAndComeBackWithTheReverseStep() {
        const QImage rest = rendered(wheel_.get());
        QTest::keyClick(wheel_.get(), Qt::Key_Up);
        QVERIFY(rendered(wheel_.get()) != rest);
        QTest::keyClick(wheel_.get(), Qt::Key_Down);
        QCOMPARE(rendered(wheel_.get()), rest);
    }
};

QTEST_MAIN(ThumbWheelTest)
#include "ThumbWheelTest.moc"
