#include <QPushButton>
#include <QTest>
#include <memory>

#include "WidgetTestSupport.h"
#include "ui/widgets/InstrumentAccessible.h"
#include "ui/widgets/Panel3D.h"
#include "ui/widgets/Slider.h"

using namespace orvex;
using namespace orvex::test;

// What the widgets show assistive technology beyond their own tests: what a container shows of its
// children, and the slider's spoken scale.
class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void aContainerShowsItsChildrenButThoseHiddenFromAssistiveTechnology() {
        Panel3D panel;
        auto* first = new QPushButton(QStringLiteral("Ch-1"), &panel);
        auto* idle = new QPushButton(&panel);
        auto* last = new QPushButton(QStringLiteral("Ch-2"), &panel);
        hideFromAssistiveTechnology(*idle);
        QAccessibleInterface* face = accessible(&panel);
        QCOMPARE(face->childCount(), 2);
        QCOMPARE(face->child(0)->object(), first);
        QCOMPARE(face->child(1)->object(), last);
        QCOMPARE(face->indexOfChild(accessible(idle)), -1);
        QCOMPARE(face->indexOfChild(accessible(last)), 1);
    }

    void aSliderIsSpokenAndSetInTheScaleItIsGiven() {
        Slider squelch;
        squelch.setRange(0, 1000);
        squelch.setValue(300);
        squelch.spokenValue().setScale(0.0, 0.01);
        squelch.spokenValue().setWords(
            [&squelch] { return QStringLiteral("squelch %1").arg(squelch.value() / 100.0); });
        QSignalSpy moved(&squelch, &QSlider::valueChanged);
        QAccessibleInterface* face = accessible(&squelch);
        QCOMPARE(face->role(), QAccessible::Slider);
        QCOMPARE(face->valueInterface()->currentValue().toDouble(), 3.0);
        QCOMPARE(face->valueInterface()->maximumValue().toDouble(), 10.0);
        face->valueInterface()->setCurrentValue(2.5);
        QCOMPARE(intArguments(moved), (QList<int>{250}));
        QCOMPARE(face->textInterface()->text(0, -1), QStringLiteral("squelch 2.5"));
        squelch.setEnabled(false);
        face->valueInterface()->setCurrentValue(4.0);
        QCOMPARE(squelch.value(), 250);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
