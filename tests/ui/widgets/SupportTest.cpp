// The pieces the instruments share: the face cache, wheel and drag steps, scale marks and labels,
// and the digit patterns.

#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QTest>
#include <clocale>
#include <cmath>
#include <limits>

#include "ui/widgets/FaceCache.h"
#include "ui/widgets/ScaleMath.h"
#include "ui/widgets/SegmentFont.h"
#include "ui/widgets/StepAccumulator.h"

using namespace orvex;

class SupportTest : public QObject {
    Q_OBJECT

private slots:
    void faceIsRepaintedOnlyWhenStale() {
        FaceCache cache;
        int paints = 0;
        const auto paint = [&](QPainter&) { ++paints; };
        QImage target(200, 100, QImage::Format_ARGB32_Premultiplied);
        {
            QPainter painter(&target);
            cache.draw(painter, QSize(50, 20), paint);
            cache.draw(painter, QSize(50, 20), paint);
            QCOMPARE(paints, 1);
            cache.invalidate();
            cache.draw(painter, QSize(50, 20), paint);
            QCOMPARE(paints, 2);
            cache.draw(painter, QSize(51, 20), paint);
            QCOMPARE(paints, 3);
        }
        // The same size on a target with twice the pixels is a new face.
        target.setDevicePixelRatio(2.0);
        QPainter painter(&target);
        cache.draw(painter, QSize(51, 20), paint);
        QCOMPARE(paints, 4);
    }

    void faceHasThePixelsOfItsTarget() {
        FaceCache cache;
        for (auto [ratio, pixels] :
             {std::pair{1.0, QSize(50, 21)}, {1.5, QSize(75, 32)}, {2.0, QSize(100, 42)}}) {
            QImage target(QSize(200, 100), QImage::Format_ARGB32_Premultiplied);
            target.setDevicePixelRatio(ratio);
            QPainter painter(&target);
            cache.draw(painter, QSize(50, 21), [](QPainter&) {});
            QCOMPARE(cache.pixmap().size(), pixels);
            QCOMPARE(cache.pixmap().devicePixelRatio(), ratio);
        }
    }

    void emptyWidgetsPaintNoFace() {
        FaceCache cache;
        QImage target(10, 10, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&target);
        bool painted = false;
        cache.draw(painter, QSize(0, 10), [&](QPainter&) { painted = true; });
        QVERIFY(!painted);
    }

    void stepsAddUpAcrossEventsAndRestartWhenTheDirectionTurns() {
        StepAccumulator wheel;
        QCOMPARE(wheel.add(120), 1);
        QCOMPARE(wheel.add(360), 3);
        QCOMPARE(wheel.add(60), 0);
        QCOMPARE(wheel.add(70), 1);   // 130: a step, 10 left over
        QCOMPARE(wheel.add(-50), 0);  // the 10 are dropped, not set against the 50
        QCOMPARE(wheel.add(-70), -1);
        QCOMPARE(wheel.add(-250), -2);
        wheel.reset();
        QCOMPARE(wheel.add(-110), 0);
        QCOMPARE(wheel.add(-10), -1);

        StepAccumulator drag(6);
        QCOMPARE(drag.add(5), 0);
        QCOMPARE(drag.add(7), 2);
    }

    void scaleMarksRunFromMinimumToMaximum() {
        QCOMPARE(scaleMarks(132, 144, 2), (std::vector<double>{132, 134, 136, 138, 140, 142, 144}));
        QCOMPARE(scaleMarks(0, 15, 2.5), (std::vector<double>{0, 2.5, 5, 7.5, 10, 12.5, 15}));
        QCOMPARE(scaleMarks(0, 1, 0.3), (std::vector<double>{0, 0.3, 2 * 0.3, 3 * 0.3}));
        // Thirty steps of 0.1 reach 3, not one short of it.
        QCOMPARE(scaleMarks(0, 3, 0.1).size(), std::size_t{31});
        // A mark a rounding error away from zero is zero, so its label is "0".
        QCOMPARE(scaleMarks(-0.3, 0.3, 0.1).at(3), 0.0);
    }

    void unusableScalesHaveNoMarks() {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double infinity = std::numeric_limits<double>::infinity();
        QVERIFY(scaleMarks(0, 15, 0).empty());
        QVERIFY(scaleMarks(0, 15, -2.5).empty());
        QVERIFY(scaleMarks(0, 15, nan).empty());
        QVERIFY(scaleMarks(15, 0, 2.5).empty());
        QVERIFY(scaleMarks(0, infinity, 2.5).empty());
        QVERIFY(scaleMarks(0, 15, 1e-12).empty());  // too fine to draw, and to count
        QCOMPARE(scaleMarks(0, 15, 1e300), std::vector<double>{0});
    }

    void scaleFractionIsHeldToTheScale() {
        QCOMPARE(scaleFraction(138, 132, 144), 0.5);
        QCOMPARE(scaleFraction(-3.5, 0, 15), 0.0);
        QCOMPARE(scaleFraction(40, 0, 15), 1.0);
        QCOMPARE(scaleFraction(std::numeric_limits<double>::quiet_NaN(), 0, 15), 0.0);
        QCOMPARE(scaleFraction(5, 6, 6), 0.0);
        QCOMPARE(scaleFraction(5, 6, 0), 0.0);
    }

    void scaleLabelsAreWrittenLikePercentGWhateverTheLocale() {
        // A comma-decimal locale must not turn 2.5 into "2,5".
        const char* previous = std::setlocale(LC_ALL, "de_DE.UTF-8");
        QLocale::setDefault(QLocale(QLocale::German));
        QCOMPARE(scaleLabel(132), QStringLiteral("132"));
        QCOMPARE(scaleLabel(2.5), QStringLiteral("2.5"));
        QCOMPARE(scaleLabel(0.1 + 0.2), QStringLiteral("0.3"));
        QCOMPARE(scaleLabel(-7.25), QStringLiteral("-7.25"));
        QCOMPARE(scaleLabel(-0.0), QStringLiteral("0"));
        QCOMPARE(scaleLabel(1e6), QStringLiteral("1e+06"));
        QCOMPARE(scaleLabel(1234567), QStringLiteral("1.23457e+06"));
        QCOMPARE(scaleLabel(0.0001), QStringLiteral("0.0001"));
        QCOMPARE(scaleLabel(0.00001), QStringLiteral("1e-05"));
        QLocale::setDefault(QLocale::c());
        std::setlocale(LC_ALL, previous ? previous : "C");
    }

    void digitsLightTheirSegments() {
        using enum Segment;
        QCOMPARE(segmentsOf(u'1'), std::uint8_t(segmentBit(B) | segmentBit(C)));
        QCOMPARE(segmentsOf(u'7'), std::uint8_t(segmentBit(A) | segmentBit(B) | segmentBit(C)));
        QCOMPARE(segmentsOf(u'8'), std::uint8_t(0x7f));
        QCOMPARE(segmentsOf(u'-'), segmentBit(G));
        QCOMPARE(segmentsOf(u' '), std::uint8_t(0));
        QCOMPARE(segmentsOf(u'x'), std::uint8_t(0));
        // Each digit has its own pattern.
        for (char16_t a = u'0'; a <= u'9'; ++a) {
            for (char16_t b = a + 1; b <= u'9'; ++b) {
                QVERIFY(segmentsOf(a) != segmentsOf(b));
            }
        }
    }

    void aDecimalPointJoinsTheCellBeforeIt() {
        const std::vector<SegmentCell> cells = segmentCells(u"137.500");
        QCOMPARE(cells.size(), std::size_t{6});
        for (std::size_t i = 0; i < cells.size(); ++i) {
            QCOMPARE(cells[i].point, i == 2);
        }
        QCOMPARE(cells[2].segments, segmentsOf(u'7'));

        // A leading point and a second point in a row each take a blank cell of their own.
        const std::vector<SegmentCell> odd = segmentCells(u".5..");
        QCOMPARE(odd, (std::vector<SegmentCell>{{0, true}, {segmentsOf(u'5'), true}, {0, true}}));
    }
};

QTEST_MAIN(SupportTest)
#include "SupportTest.moc"
