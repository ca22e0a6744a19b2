// Renders every instrument in its states at 100 %, 150 % and 200 % into PNG sheets under the test
// artifacts, for a person to look at, and checks what can be checked without eyes: that each
// state looks different from the others and that faces are drawn at the target resolution.

#include <QDir>
#include <QPainter>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "ui/widgets/BarIndicator.h"
#include "ui/widgets/Dial.h"
#include "ui/widgets/GroupFrame.h"
#include "ui/widgets/Knob.h"
#include "ui/widgets/LinearGauge.h"
#include "ui/widgets/Panel3D.h"
#include "ui/widgets/SevenSegmentDisplay.h"
#include "ui/widgets/ThumbWheel.h"
#include "ui/widgets/ToggleSwitch.h"

using namespace orvex;

namespace {

const QColor PanelGrey(0xc0, 0xc0, 0xc0);
const QColor Cyan(0x00, 0xff, 0xff);
const QColor Olive(0x80, 0x80, 0x00);
const QColor Teal(0x00, 0x80, 0x80);
const QColor LightGreen(0x80, 0xff, 0x80);
const QColor LightOrange(0xff, 0xc0, 0x80);
const QColor Grey(0x80, 0x80, 0x80);

struct Sample {
    QString label;
    QWidget* widget;
};

// One widget kind in its states, side by side on the panel's grey.
struct Sheet {
    QString name;
    std::vector<Sample> samples;
};

constexpr int Gap = 10;
constexpr int LabelHeight = 14;

QImage render(QWidget* widget, qreal ratio, QColor backdrop = PanelGrey) {
    QImage image((QSizeF(widget->size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(backdrop);
    QPainter painter(&image);
    widget->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

QImage renderSheet(const Sheet& sheet, qreal ratio) {
    int width = Gap;
    int height = 0;
    for (const Sample& sample : sheet.samples) {
        width += std::max(sample.widget->width(), 70) + Gap;
        height = std::max(height, sample.widget->height());
    }
    const QSize logical(width, height + 2 * Gap + LabelHeight);
    QImage image((QSizeF(logical) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(PanelGrey);
    QPainter painter(&image);
    QFont labelFont(QStringLiteral("DejaVu Sans"));
    labelFont.setPixelSize(10);
    int x = Gap;
    for (const Sample& sample : sheet.samples) {
        sample.widget->render(&painter, QPoint(x, Gap), QRegion(), QWidget::DrawChildren);
        painter.setFont(labelFont);
        painter.setPen(Qt::black);
        painter.drawText(
            QRectF(x, Gap + height + 2, std::max(sample.widget->width(), 70), LabelHeight),
            Qt::AlignLeft | Qt::AlignTop, sample.label);
        x += std::max(sample.widget->width(), 70) + Gap;
    }
    return image;
}

}  // namespace

class GalleryTest : public QObject {
    Q_OBJECT

private:
    QWidget host_;  // shown, so that a sample can hold the keyboard focus
    std::vector<Sheet> sheets_;
    QWidget* focused_ = nullptr;

    template <typename W>
    W* make(QSize size, const std::function<void(W&)>& setUp) {
        auto* widget = new W(&host_);
        widget->resize(size);
        setUp(*widget);
        return widget;
    }

    void addKnobs();
    void addThumbWheels();
    void addDials();
    void addLinearGauges();
    void addDisplays();
    void addBars();
    void addToggles();
    void addPanels();

private slots:
    void initTestCase();
    void everyStateOfAWidgetLooksDifferent();
    void sheetsAreWrittenAtThreeScales();
    void facesAreDrawnAtTheResolutionOfTheTarget();
    void opaqueInstrumentsCoverEveryPixelAtEveryScale();
};

void GalleryTest::initTestCase() {
    // The panel's font; fontconfig gives Liberation Sans for Arial.
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);
    host_.setFont(font);
    QPalette grey = host_.palette();  // the panel's grey
    grey.setColor(QPalette::Window, PanelGrey);
    grey.setColor(QPalette::Button, PanelGrey);
    host_.setPalette(grey);
    host_.resize(600, 400);

    addKnobs();
    addThumbWheels();
    addDials();
    addLinearGauges();
    addDisplays();
    addBars();
    addToggles();
    addPanels();

    host_.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host_));
    host_.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&host_));
    focused_->setFocus();
    QVERIFY(focused_->hasFocus());
}

void GalleryTest::addKnobs() {
    const QSize size(89, 65);
    const auto lit = [](Knob& k) {
        k.setMaximum(1200);
        k.setFaceColor(Grey);
        k.setMarkerColor(Qt::red);
    };
    auto* focused = make<Knob>(size, [&](Knob& k) {
        lit(k);
        k.setPosition(300);
    });
    focused_ = focused;
    sheets_.push_back({QStringLiteral("knob"),
                       {{"0", make<Knob>(size, lit)},
                        {"550", make<Knob>(size,
                                           [&](Knob& k) {
                                               lit(k);
                                               k.setPosition(550);
                                           })},
                        {"1200", make<Knob>(size,
                                            [&](Knob& k) {
                                                lit(k);
                                                k.setPosition(1200);
                                            })},
                        {"red face", make<Knob>(size,
                                                [&](Knob& k) {
                                                    lit(k);
                                                    k.setFaceColor(Qt::red);
                                                    k.setMarkerColor(Grey);
                                                    k.setPosition(900);
                                                })},
                        {"off", make<Knob>(size,
                                           [&](Knob& k) {
                                               lit(k);
                                               k.setMarkerColor(Grey);
                                               k.setPosition(550);
                                               k.setEnabled(false);
                                           })},
                        {"focus", focused}}});
}

void GalleryTest::addThumbWheels() {
    const QSize size(12, 110);
    sheets_.push_back(
        {QStringLiteral("wheel"),
         {{"rest", make<ThumbWheel>(size, [](ThumbWheel&) {})},
          {"1 up", make<ThumbWheel>(size, [](ThumbWheel& w) { QTest::keyClick(&w, Qt::Key_Up); })},
          {"wide", make<ThumbWheel>(QSize(24, 110), [](ThumbWheel&) {})}}});
}

void GalleryTest::addDials() {
    const QSize size(145, 73);
    const auto lit = [](Dial& d) {
        d.setFaceColor(Olive);
        d.setScaleColor(Cyan);
        d.setMajorStep(2.5);
        d.setMinorStep(0.2);
        d.setLabelsVisible(true);
        d.setThreshold(3.0);
    };
    sheets_.push_back({QStringLiteral("dial"),
                       {{"lit", make<Dial>(size,
                                           [&](Dial& d) {
                                               lit(d);
                                               d.setNeedleValue(0, 1.86);
                                               d.setNeedleValue(1, 12.0);
                                           })},
                        {"beyond", make<Dial>(size,
                                              [&](Dial& d) {
                                                  lit(d);
                                                  d.setNeedleValue(0, -3.5);
                                                  d.setNeedleValue(1, 40.0);
                                                  d.setThreshold(99.0);
                                              })},
                        {"dark", make<Dial>(size,
                                            [](Dial& d) {
                                                d.setFaceColor(Qt::black);
                                                d.setScaleColor(Qt::black);
                                                d.setMajorStep(0);
                                                d.setMinorStep(0);
                                            })},
                        {"defaults", make<Dial>(size, [](Dial& d) { d.setNeedleValue(1, 7.5); })},
                        {"large", make<Dial>(QSize(290, 146), [&](Dial& d) {
                             lit(d);
                             d.setNeedleValue(0, 4.5);
                             d.setNeedleValue(1, 12.6);
                         })}}});
}

void GalleryTest::addLinearGauges() {
    const QSize size(241, 17);
    const auto dark = [](LinearGauge& g) {
        g.setBackgroundColor(Qt::black);
        g.setBarColor(Qt::black);
        g.setScaleColor(Qt::black);
        g.setPointerColor(Qt::black);
    };
    sheets_.push_back(
        {QStringLiteral("gauge"),
         {{"137.5", make<LinearGauge>(size, [](LinearGauge& g) { g.setValue(137.5); })},
          {"144", make<LinearGauge>(size, [](LinearGauge& g) { g.setValue(144.0); })},
          {"dark", make<LinearGauge>(size, dark)},
          {"tall",
           make<LinearGauge>(QSize(241, 30), [](LinearGauge& g) { g.setValue(140.125); })}}});
}

void GalleryTest::addDisplays() {
    const QSize size(209, 65);
    const auto lit = [](SevenSegmentDisplay& d) {
        d.setBackgroundColor(Cyan);
        d.setSegmentColor(Qt::black);
        d.setUnlitColor(QColor(0x00, 0xe0, 0xe0));
        d.setText(QStringLiteral("137.500"));
    };
    sheets_.push_back(
        {QStringLiteral("display"),
         {{"lit", make<SevenSegmentDisplay>(size, lit)},
          {"defaults",
           make<SevenSegmentDisplay>(size, [](SevenSegmentDisplay& d) { d.setText("-0.125"); })},
          {"dark", make<SevenSegmentDisplay>(size,
                                             [](SevenSegmentDisplay& d) {
                                                 d.setBackgroundColor(Qt::black);
                                                 d.setSegmentColor(Qt::black);
                                                 d.setUnlitColor(Qt::black);
                                                 d.setText(QStringLiteral("132.000"));
                                             })},
          {"typing", make<SevenSegmentDisplay>(size,
                                               [&](SevenSegmentDisplay& d) {
                                                   lit(d);
                                                   d.beginEntry();
                                                   QTest::keyClicks(&d, QStringLiteral("14.2"));
                                               })},
          {"all", make<SevenSegmentDisplay>(size, [](SevenSegmentDisplay& d) {
               d.setText(QStringLiteral("0123456789"));
           })}}});
}

void GalleryTest::addBars() {
    const QSize size(140, 9);
    std::vector<Sample> samples;
    for (int value : {0, 2, 4, 6}) {
        samples.push_back({QString::number(value),
                           make<BarIndicator>(size, [=](BarIndicator& b) { b.setValue(value); })});
    }
    samples.push_back({"0..100: 37", make<BarIndicator>(size, [](BarIndicator& b) {
                           b.setMaximum(100);
                           b.setValue(37);
                       })});
    samples.push_back({"disabled", make<BarIndicator>(size, [](BarIndicator& b) {
                           b.setValue(3);
                           b.setEnabled(false);
                       })});
    sheets_.push_back({QStringLiteral("bar"), std::move(samples)});
}

void GalleryTest::addToggles() {
    const auto toggle = [&](QSize size, QString off, QString on, QColor offLamp, QColor onLamp,
                            bool state) {
        return make<ToggleSwitch>(size, [=](ToggleSwitch& t) {
            t.setOffCaption(off);
            t.setOnCaption(on);
            t.setOffLampColor(offLamp);
            t.setOnLampColor(onLamp);
            t.setOn(state);
        });
    };
    const QSize wide(57, 17);
    const QSize narrow(41, 17);
    auto* pressed = toggle(wide, "Scan", "Scan", Grey, LightGreen, false);
    QTest::mousePress(pressed, Qt::LeftButton);
    sheets_.push_back({QStringLiteral("toggle"),
                       {{"Mute off", toggle(wide, "Mute", "Mute", Grey, LightGreen, false)},
                        {"Mute on", toggle(wide, "Mute", "Mute", Grey, LightGreen, true)},
                        {"Read", toggle(wide, "Read", "Write", LightGreen, LightOrange, false)},
                        {"Write", toggle(wide, "Read", "Write", LightGreen, LightOrange, true)},
                        {"Spectrum", toggle(wide, "Spectrum", "Spectrum", Grey, Grey, true)},
                        {"10kHz", toggle(narrow, "10kHz", "100kHz", LightGreen, LightGreen, false)},
                        {"100kHz", toggle(narrow, "10kHz", "100kHz", LightGreen, LightGreen, true)},
                        {"held", pressed},
                        {"power off", make<ToggleSwitch>(QSize(73, 33),
                                                         [](ToggleSwitch& t) {
                                                             t.setPictureMode(true);
                                                             t.setOffLampColor(Grey);
                                                             t.setOnLampColor(LightGreen);
                                                         })},
                        {"power on", make<ToggleSwitch>(QSize(73, 33), [](ToggleSwitch& t) {
                             t.setPictureMode(true);
                             t.setOffLampColor(Grey);
                             t.setOnLampColor(LightGreen);
                             t.setOn(true);
                         })}}});
}

void GalleryTest::addPanels() {
    sheets_.push_back(
        {QStringLiteral("panel"),
         {{"display",
           make<Panel3D>(QSize(257, 105), [](Panel3D& p) { p.setBackgroundColor(Cyan); })},
          {"title", make<Panel3D>(QSize(145, 25),
                                  [](Panel3D& p) {
                                      p.setBackgroundColor(QColor(0x40, 0x40, 0x40));
                                      p.setCaptionColor(QColor(0xff, 0xff, 0x00));
                                      p.setCaption(QStringLiteral("MODEL 2 FM RECEIVER"));
                                  })},
          {"logo", make<Panel3D>(QSize(89, 17),
                                 [](Panel3D& p) {
                                     p.setBackgroundColor(Qt::black);
                                     p.setCaptionColor(Qt::white);
                                     QFont script(QStringLiteral("URW Chancery L"));
                                     script.setItalic(true);
                                     script.setPointSizeF(9);
                                     p.setFont(script);
                                     p.setCaption(QStringLiteral("Maker"));
                                 })},
          {"Power", make<GroupFrame>(QSize(89, 57),
                                     [](GroupFrame& f) {
                                         f.setCaption(QStringLiteral("Power"));
                                         f.setCaptionColor(Teal);
                                     })},
          {"frame", make<GroupFrame>(QSize(89, 57), [](GroupFrame&) {})}}});
}

void GalleryTest::everyStateOfAWidgetLooksDifferent() {
    for (const Sheet& sheet : sheets_) {
        std::vector<QImage> images;
        for (const Sample& sample : sheet.samples) {
            images.push_back(render(sample.widget, 1.0));
        }
        for (std::size_t i = 0; i < images.size(); ++i) {
            for (std::size_t j = i + 1; j < images.size(); ++j) {
                QVERIFY2(images[i] != images[j],
                         qPrintable(
                             QStringLiteral("%1: \"%2\" looks like \"%3\"")
                                 .arg(sheet.name, sheet.samples[i].label, sheet.samples[j].label)));
            }
        }
    }
}

void GalleryTest::sheetsAreWrittenAtThreeScales() {
    const QString folder = QStringLiteral(ORVEX_TEST_ARTIFACTS "/widgets");
    QVERIFY(QDir().mkpath(folder));
    for (const Sheet& sheet : sheets_) {
        for (auto [ratio, percent] : {std::pair{1.0, 100}, {1.5, 150}, {2.0, 200}}) {
            const QImage image = renderSheet(sheet, ratio);
            const QString path =
                QStringLiteral("%1/%2-%3.png").arg(folder, sheet.name).arg(percent);
            QVERIFY2(image.save(path), qPrintable(path));
        }
    }
}

void GalleryTest::facesAreDrawnAtTheResolutionOfTheTarget() {
    // A face cached at 100 % and stretched would equal the 100 % picture with every pixel
    // doubled; one drawn at 200 % has finer detail (text, antialiased curves).
    for (const Sheet& sheet : sheets_) {
        QWidget* widget = sheet.samples.front().widget;
        const QImage single = render(widget, 1.0);
        const QImage doubled = single.scaled(single.size() * 2);  // nearest neighbour
        QImage sharp = render(widget, 2.0);
        sharp.setDevicePixelRatio(1.0);
        QCOMPARE(sharp.size(), doubled.size());
        QVERIFY2(sharp != doubled, qPrintable(sheet.name));
    }
}

void GalleryTest::opaqueInstrumentsCoverEveryPixelAtEveryScale() {
    // A face sized by rounding down at 150 % would leave a strip of whatever lies behind.
    for (const Sheet& sheet : sheets_) {
        if (sheet.name == QLatin1String("dial") || sheet.name == QLatin1String("knob")) {
            continue;  // shaped instruments, transparent round the outside
        }
        QWidget* widget = sheet.samples.front().widget;
        for (double ratio : {1.0, 1.5, 2.0}) {
            const QImage image = render(widget, ratio, Qt::magenta);
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    QVERIFY2(QColor(image.pixel(x, y)) != QColor(Qt::magenta),
                             qPrintable(QStringLiteral("%1 at %2: pixel %3, %4")
                                            .arg(sheet.name)
                                            .arg(ratio)
                                            .arg(x)
                                            .arg(y)));
                }
            }
        }
    }
}

QTEST_MAIN(GalleryTest)
#include "GalleryTest.moc"
