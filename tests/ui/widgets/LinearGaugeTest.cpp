#include <QTest>
#include <memory>

#include "WidgetTestSupport.h"
#include "ui/widgets/LinearGauge.h"

using namespace orvex;
using namespace orvex::test;

class LinearGaugeTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LinearGauge> gauge_;

private slots:
    void init() {
        gauge_ = std::make_unique<LinearGauge>();
        gauge_->setObjectName(QStringLiteral("LGAUGE1"));
        gauge_->resize(241, 17);
    }

    void pointerBeyondTheScaleIsKeptAsSetAndDrawnAtItsEnd() {
        gauge_->setValue(144);
        const QImage atTop = rendered(gauge_.get());
        gauge_->setValue(150.5);
        QCOMPARE(gauge_->value(), 150.5);
        QCOMPARE(rendered(gauge_.get()), atTop);
        gauge_->setValue(0);
        QVERIFY(rendered(gauge_.get()) != atTop);
    }

    void pointerMovesAlongTheScale() {
        // The pointer's colour is found further right as the value rises.
        const QColor pointer(0xc0, 0x00, 0x00);
        int previous = -1;
        for (double value : {132.0, 135.0, 138.0, 141.0, 144.0}) {
            gauge_->setValue(value);
            const QImage image = rendered(gauge_.get());
            int column = -1;
            for (int x = 0; x < image.width() && column < 0; ++x) {
                if (QColor(image.pixel(x, 1)) == pointer) {
                    column = x;
                }
            }
            QVERIFY2(column > previous, qPrintable(QString::number(value)));
            previous = column;
        }
    }

    void everyColourSettingShows() {
        QImage previous = rendered(gauge_.get());
        const auto changed = [&] {
            const QImage now = rendered(gauge_.get());
            const bool different = now != previous;
            previous = now;
            return different;
        };
        gauge_->setBackgroundColor(Qt::black);
        QVERIFY(changed());
        gauge_->setBarColor(Qt::black);
        QVERIFY(changed());
        gauge_->setScaleColor(Qt::black);
        QVERIFY(changed());
        gauge_->setPointerColor(Qt::black);
        QVERIFY(changed());
    }

    void screenReaderHearsTheFrequency() {
        gauge_->setValue(137.7);
        QAccessibleInterface* face = accessible(gauge_.get());
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("137.7"));
        QCOMPARE(face->valueInterface()->minimumValue().toDouble(), 132.0);
        QCOMPARE(face->valueInterface()->maximumValue().toDouble(), 144.0);
    }
};

QTEST_MAIN(LinearGaugeTest)
#include "LinearGaugeTest.moc"
