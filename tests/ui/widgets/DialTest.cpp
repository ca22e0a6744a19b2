#include <QTest>
#include <cmath>
#include <limits>
#include <memory>

#include "WidgetTestSupport.h"
#include "ui/widgets/Dial.h"

using namespace orvex;
using namespace orvex::test;

class DialTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Dial> dial_;

    void lightUp() {
        dial_->setFaceColor(QColor(0x80, 0x80, 0x00));
        dial_->setScaleColor(QColor(0x00, 0xff, 0xff));
        dial_->setMinimum(0);
        dial_->setMaximum(15);
        dial_->setMajorStep(2.5);
        dial_->setMinorStep(0.2);
        dial_->setLabelsVisible(true);
    }

private slots:
    void init() {
        dial_ = std::make_unique<Dial>();
        dial_->setObjectName(QStringLiteral("Gauge1"));
        dial_->resize(145, 73);
        lightUp();
    }

    void valueOperationsAddressTheSelectedNeedle() {
        dial_->setSelectedNeedle(1);
        dial_->setValue(12.3);
        dial_->setSelectedNeedle(0);
        dial_->setValue(1.86);
        QCOMPARE(dial_->value(), 1.86);
        QCOMPARE(dial_->needleValue(0), 1.86);
        QCOMPARE(dial_->needleValue(1), 12.3);
        dial_->setSelectedNeedle(1);
        QCOMPARE(dial_->value(), 12.3);
    }

    void aNeedleNumberOtherThanZeroOrOneChangesNothing() {
        dial_->setSelectedNeedle(1);
        dial_->setSelectedNeedle(2);
        dial_->setSelectedNeedle(-1);
        QCOMPARE(dial_->selectedNeedle(), 1);
        dial_->setNeedleValue(2, 5.0);
        QCOMPARE(dial_->needleValue(2), 0.0);
        QCOMPARE(dial_->needleValue(0), 0.0);
        QCOMPARE(dial_->needleValue(1), 0.0);
    }

    void valuesBeyondTheScaleAreKeptAsSet() {
        dial_->setValue(-3.5);
        QCOMPARE(dial_->value(), -3.5);
        dial_->setValue(1e9);
        QCOMPARE(dial_->value(), 1e9);
        dial_->setThreshold(-7.25);
        QCOMPARE(dial_->threshold(), -7.25);
        dial_->setValue(std::numeric_limits<double>::quiet_NaN());
        QVERIFY(std::isnan(dial_->value()));
    }

    void needlesAndMarkBeyondTheScaleAreDrawnAtItsEnds() {
        const QImage atMinimum = rendered(dial_.get());
        dial_->setValue(-3.5);
        dial_->setThreshold(-100);
        QCOMPARE(rendered(dial_.get()), atMinimum);
        dial_->setValue(std::numeric_limits<double>::quiet_NaN());
        QCOMPARE(rendered(dial_.get()), atMinimum);

        dial_->setValue(15);
        dial_->setThreshold(15);
        const QImage atMaximum = rendered(dial_.get());
        QVERIFY(atMaximum != atMinimum);
        dial_->setValue(40);
        dial_->setThreshold(1e300);
        QCOMPARE(rendered(dial_.get()), atMaximum);
    }

    void movingANeedleChangesOnlyWhatMoves() {
        const QImage before = rendered(dial_.get());
        dial_->setNeedleValue(1, 12.0);
        const QImage after = rendered(dial_.get());
        QVERIFY(after != before);
        // The corners of the face are far from every needle.
        QCOMPARE(after.pixel(20, 12), before.pixel(20, 12));
    }

    void darkDialLooksSwitchedOff() {
        dial_->setFaceColor(Qt::black);
        dial_->setScaleColor(Qt::black);
        dial_->setMajorStep(0);
        dial_->setMinorStep(0);
        dial_->setNeedleValue(0, 0);
        dial_->setNeedleValue(1, 0);
        dial_->setThreshold(0.35);
        const QImage image = rendered(dial_.get());
        // Everything inside the outline is black: no scale, label, needle or mark shows. (The
        // pixels on the outline itself blend with what lies behind the dial.)
        const QPolygonF outline =
            QTransform::fromScale(145 / 1000.0, 73 / 1000.0).map(dial_->outline());
        const auto inside = [&](int x, int y) {
            for (QPointF corner :
                 {QPointF(-1, -1), QPointF(2, -1), QPointF(-1, 2), QPointF(2, 2)}) {
                if (!outline.containsPoint(QPointF(x, y) + corner, Qt::OddEvenFill)) {
                    return false;
                }
            }
            return true;
        };
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (inside(x, y)) {
                    QCOMPARE(QColor(image.pixel(x, y)), QColor(Qt::black));
                }
            }
        }
    }

    void scaleSettingsRedrawTheFace() {
        QImage previous = rendered(dial_.get());
        const auto changed = [&] {
            const QImage now = rendered(dial_.get());
            const bool different = now != previous;
            previous = now;
            return different;
        };
        dial_->setMajorStep(5);
        QVERIFY(changed());
        dial_->setLabelsVisible(false);
        QVERIFY(changed());
        dial_->setMaximum(20);
        QVERIFY(changed());
        dial_->setScaleColor(Qt::white);
        QVERIFY(changed());
        dial_->setNeedle1Label(QStringLiteral("Supply"));
        QVERIFY(changed());
    }

    void theOutlineShapesTheFace() {
        const QColor olive(0x80, 0x80, 0x00);
        // The default octagon leaves the corners out.
        QCOMPARE(QColor(rendered(dial_.get()).pixel(1, 1)), QColor(Qt::magenta));
        dial_->setOutline(QPolygonF(QRectF(0, 0, 1000, 1000)));
        QCOMPARE(QColor(rendered(dial_.get()).pixel(2, 2)), olive);
    }

    void screenReaderHearsBothNeedlesByTheirLabels() {
        dial_->setNeedleValue(0, 1.86);
        dial_->setNeedleValue(1, 12.5);
        QAccessibleInterface* face = accessible(dial_.get());
        QVERIFY(face);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Signal level 1.86, Ubat 12.5"));
        QCOMPARE(face->role(), QAccessible::ProgressBar);
        QCOMPARE(face->valueInterface()->currentValue().toDouble(), 1.86);
    }
};

QTEST_MAIN(DialTest)
#include "DialTest.moc"
