#include "ui/Form2.h"

#include <QCloseEvent>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>

#include "core/Band.h"
#include "core/NumberText.h"
#include "core/Version.h"
#include "ui/Accessibility.h"
#include "ui/Geometry.h"
#include "ui/widgets/Panel3D.h"

namespace orvex {
namespace {

constexpr QSize DesignSize = twips(0, 0, 3600, 2280).size();

// Where Tahoma is not installed fontconfig stands in a wider face (DejaVu Sans): the texts are
// chosen to fit their boxes in that one too.
QFont tahoma(double points) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(points);
    return font;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* created = new QLabel(text, parent);
    created->setObjectName(name);
    created->setGeometry(geometry);
    return created;
}

}  // namespace

Form2::Form2(ReceiverHost& host, const QString& boardName, QWidget* owner)
    : QWidget(owner, Qt::Window), host_(host) {
    setObjectName("Form2");
    installWindowAccessibility();
    setWindowTitle("About");
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(tahoma(8.25));
    setFixedSize(DesignSize);

    auto* frame = new Panel3D(this);
    frame->setObjectName("Frame3");
    frame->setBackgroundColor(toQColor(palette::Panel));
    frame->setGeometry(rect());
    frame->lower();

    buildLogo();
    buildLabels(boardName);
    buildPortChoice();
    zoom_ = std::make_unique<PanelZoom>(*this, DesignSize);
}

void Form2::buildLogo() {
    auto* logo = new Panel3D(this);
    logo->setObjectName("SSPanel1");
    logo->setGeometry(twips(240, 120, 3135, 615));
    logo->setBackgroundColor(toQColor(palette::LogoFace));
    logo->setCaption("ORVEX");
    logo->setCaptionColor(toQColor(palette::AboutLogoText));
    QFont script("URW Chancery L");
    script.setStyleHint(QFont::Cursive);
    script.setPointSize(21);
    script.setBold(true);
    script.setItalic(true);
    logo->setFont(script);
}

// Two of the boxes are only 165 twips high: their lines are in small print.
void Form2::buildLabels(const QString& boardName) {
    QLabel* title = label(
        this, "Label1",
        QStringLiteral("ORVEX FM %1-%2 MHz, v%3")
            .arg(QString::fromStdString(numberText(BandBottomMHz)),
                 QString::fromStdString(numberText(BandTopMHz)), QString::fromUtf8(ProgramVersion)),
        twips(120, 720, 3375, 255));
    QPalette teal = title->palette();
    teal.setColor(QPalette::WindowText, toQColor(palette::CaptionText));
    title->setPalette(teal);
    const QFont small = tahoma(6.75);
    label(this, "Label2", "Free software under the MIT licence", twips(120, 960, 3135, 165))
        ->setFont(small);
    label(this, "Label8", boardName, twips(120, 1200, 1935, 165))->setFont(small);
    label(this, "Label6", "Linux front panel", twips(120, 1440, 1695, 255));
    label(this, "Label3", "Provided as is", twips(120, 1680, 1815, 255));
    label(this, "Label5", QString::fromUtf8("\u00a9 2026 the ORVEX team"),
          twips(120, 1920, 2295, 255));
}

void Form2::buildPortChoice() {
    lpt1_ = new QRadioButton("LPT1", this);
    lpt1_->setObjectName("LPT1");
    lpt1_->setGeometry(twips(2760, 1200, 735, 255));
    lpt2_ = new QRadioButton("LPT2", this);
    lpt2_->setObjectName("LPT2");
    lpt2_->setGeometry(twips(2760, 1440, 735, 255));
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("Command1");
    ok_->setGeometry(twips(2520, 1800, 975, 375));
    ok_->setDefault(true);
    ok_->setFocus();

    connect(lpt1_, &QRadioButton::clicked, this,
            [this] { host_.run([](Receiver& r) { r.Form2_LPT1_Click(); }); });
    connect(lpt2_, &QRadioButton::clicked, this,
            [this] { host_.run([](Receiver& r) { r.Form2_LPT2_Click(); }); });
    connect(ok_, &QPushButton::clicked, this,
            [this] { host_.run([](Receiver& r) { r.Form2_Command1_Click(); }); });
}

void Form2::setZoom(double zoom) {
    zoom_->apply(zoom);
    setFixedSize(zoom_->size(zoom_->zoom()));
}

void Form2::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            ok_->click();
            break;
        case Qt::Key_Escape:
            // Any close but OK ends the program: a stray Escape must not.
            break;
        default:
            QWidget::keyPressEvent(event);
            break;
    }
}

void Form2::render(const PanelModel& panel) {
    const QSignalBlocker blockOne(lpt1_);
    const QSignalBlocker blockTwo(lpt2_);
    lpt1_->setChecked(panel.Form2.LPT1.on);
    lpt2_->setChecked(panel.Form2.LPT2.on);
}

void Form2::closeFromModel() {
    closingFromModel_ = true;
    close();
}

void Form2::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!closingFromModel_) {
        host_.run([](Receiver& r) { r.Form2_Unload(); });
    }
}

}  // namespace orvex
