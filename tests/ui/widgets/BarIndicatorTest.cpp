#include <QTest>
#include <climits>
#include <memory>

#include "WidgetTestSupport.h"
#include "ui/widgets/BarIndicator.h"

using namespace orvex;
using namespace orvex::test;

class BarIndicatorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<BarIndicator> bar_;
    const QColor green_{0x00, 0xe0, 0x00};

    int litPixels() {
        const QImage image = rendered(bar_.get());
        int count = 0;
        for (int x = 0; x < image.width(); ++x) {
            count += QColor(image.pixel(x, image.height() / 2)) == green_ ? 1 : 0;
        }
        return count;
    }

private slots:
    void init() {
        bar_ = std::make_unique<BarIndicator>();
        bar_->setObjectName(QStringLiteral("ind1"));
        bar_->resize(140, 9);
        bar_->setMinimum(0);
        bar_->setMaximum(6);
        bar_->setBarColor(green_);
    }

    void eachUnitLightsMoreOfTheBar() {
        int previous = -1;
        for (int value = 0; value <= 6; ++value) {
            bar_->setValue(value);
            const int lit = litPixels();
            QVERIFY2(lit > previous, qPrintable(QString::number(value)));
            previous = lit;
        }
        bar_->setValue(0);
        QCOMPARE(litPixels(), 0);
    }

    void valuesOutsideTheRangeAreKeptAndDrawnAtTheEnds() {
        const QImage empty = rendered(bar_.get());
        bar_->setValue(-2);
        QCOMPARE(bar_->value(), -2);
        QCOMPARE(rendered(bar_.get()), empty);
        bar_->setValue(6);
        const QImage full = rendered(bar_.get());
        bar_->setValue(9);
        QCOMPARE(bar_->value(), 9);
        QCOMPARE(rendered(bar_.get()), full);
    }

    void anEmptyOrUpsideDownRangeShowsNoBar() {
        bar_->setValue(3);
        for (auto [minimum, maximum] : {std::pair{5, 5}, {6, 0}, {INT_MIN, INT_MAX}}) {
            bar_->setMinimum(minimum);
            bar_->setMaximum(maximum);
            if (maximum <= minimum) {
                QCOMPARE(litPixels(), 0);
            } else {
                QVERIFY(litPixels() > 0);  // 3 is just past the middle of the whole int range
            }
        }
    }

    void largeRangesAreDrawnAsAContinuousBar() {
        bar_->setMaximum(100);
        bar_->setValue(50);
        const int half = litPixels();
        bar_->setValue(51);
        QVERIFY(litPixels() > half);
    }

    void onlyAValueThatLightsMoreOrLessOfTheBarIsRedrawn() {
        struct PaintCounter : QObject {
            int paints = 0;
            bool eventFilter(QObject*, QEvent* event) override {
                paints += event->type() == QEvent::Paint ? 1 : 0;
                return false;
            }
        } counter;
        bar_->show();
        QVERIFY(QTest::qWaitForWindowExposed(bar_.get()));
        bar_->installEventFilter(&counter);
        // From, to, and whether the bar looks different (0..6 in blocks; 0..1000 continuous, 0.13
        // pixels a unit).
        const struct {
            int maximum, from, to;
            bool redrawn;
        } cases[] = {{6, 3, 4, true},  {6, 9, 12, false},       {6, -2, -5, false},
                     {6, 6, 7, false}, {1000, 500, 501, false}, {1000, 500, 520, true}};
        for (const auto& step : cases) {
            bar_->setMaximum(step.maximum);
            bar_->setValue(step.from);
            QTest::qWait(20);
            counter.paints = 0;
            bar_->setValue(step.to);
            QTest::qWait(20);
            const QString what = QStringLiteral("%1 to %2 of %3").arg(step.from).arg(step.to);
            QVERIFY2((counter.paints > 0) == step.redrawn, qPrintable(what.arg(step.maximum)));
        }
    }

    void screenReaderHearsTheValueAsSetInTheNameAndCannotChangeIt() {
        bar_->setValue(-2);
        bar_->setAccessibleName(QStringLiteral("Signal bar"));
        QAccessibleInterface* face = accessible(bar_.get());
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Signal bar, -2"));
        QCOMPARE(face->textInterface()->text(0, -1), QStringLiteral("-2"));
        QCOMPARE(face->valueInterface()->maximumValue().toInt(), 6);
        QVERIFY(face->state().readOnly);
        face->valueInterface()->setCurrentValue(4);
        QCOMPARE(bar_->value(), -2);
    }
};

QTEST_MAIN(BarIndicatorTest)
#include "BarIndicatorTest.moc"
