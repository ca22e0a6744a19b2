// Cost of redrawing the two-needle dial: with both needles moving over a cached face (what every
// measurement tick asks for), against a full repaint with the face drawn afresh.

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <array>

#include <benchmark/benchmark.h>

#include "ui/widgets/Dial.h"

namespace {

using orvex::Dial;

constexpr QSize PanelSize(145, 73);

void lightUp(Dial& dial) {
    dial.setFaceColor(QColor(0x80, 0x80, 0x00));
    dial.setScaleColor(QColor(0x00, 0xff, 0xff));
    dial.setMinimum(-5);
    dial.setMaximum(25);
    dial.setMajorStep(2.5);
    dial.setMinorStep(0.2);
    dial.setLabelsVisible(true);
    dial.setThreshold(0.5);
}

// Needle values that differ from one redraw to the next, like a live signal and supply.
double signalAt(std::int64_t i) {
    return -3.5 + static_cast<double>(i % 97) * 0.055;
}
double supplyAt(std::int64_t i) {
    return 11.5 + static_cast<double>(i % 31) * 0.05;
}

void renderDial(Dial& dial, QImage& image) {
    QPainter painter(&image);
    dial.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
}

QImage targetFor(QSize size, double ratio) {
    QImage image((QSizeF(size) * ratio).toSize() + QSize(2, 2),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::gray);
    return image;
}

// range(0): the scale in percent (100 or 200).
void BM_DialNeedlesMoveOverCachedFace(benchmark::State& state) {
    const double ratio = static_cast<double>(state.range(0)) / 100.0;
    Dial dial;
    dial.resize(PanelSize);
    lightUp(dial);
    QImage image = targetFor(PanelSize, ratio);
    renderDial(dial, image);  // fills the face cache
    std::int64_t i = 0;
    for (auto _ : state) {
        dial.setNeedleValue(0, signalAt(i));
        dial.setNeedleValue(1, supplyAt(i));
        renderDial(dial, image);
        ++i;
    }
    benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_DialNeedlesMoveOverCachedFace)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

void BM_DialFullRepaint(benchmark::State& state) {
    const double ratio = static_cast<double>(state.range(0)) / 100.0;
    Dial dial;
    lightUp(dial);
    // Alternating between two sizes one pixel apart makes every redraw paint the face again.
    const std::array<QSize, 2> sizes{PanelSize, PanelSize + QSize(1, 0)};
    QImage image = targetFor(sizes[1], ratio);
    std::int64_t i = 0;
    for (auto _ : state) {
        dial.resize(sizes[static_cast<std::size_t>(i % 2)]);
        dial.setNeedleValue(0, signalAt(i));
        dial.setNeedleValue(1, supplyAt(i));
        renderDial(dial, image);
        ++i;
    }
    benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_DialFullRepaint)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
