#include "ui/Form2.h"

#include <QCloseEvent>
#include <QFont>
#include <QSignalBlocker>

#include "core/Band.h"
#include "core/NumberText.h"
#include "core/Version.h"
#include "ui/Geometry.h"
#include "ui/widgets/Panel3D.h"

namespace orvex {

Form2::Form2(ReceiverHost& host) : host_(host) {
    setObjectName("Form2");
    setWindowTitle("About");
    setAttribute(Qt::WA_DeleteOnClose);
    QFont tahoma("Tahoma");
    tahoma.setPointSizeF(8.25);
    setFont(tahoma);
    setFixedSize(twips(0, 0, 3600, 2280).size());

    auto* frame = new Panel3D(this);
    frame->setObjectName("Frame3");
    frame->setBackgroundColor(toQColor(palette::Panel));
    frame->setGeometry(rect());
    frame->lower();

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

    QLabel* title = label(
        "Label1",
        QStringLiteral("ORVEX FM receiver %1-%2 MHz, v%3")
            .arg(QString::fromStdString(numberText(BandBottomMHz)),
                 QString::fromStdString(numberText(BandTopMHz)), QString::fromUtf8(ProgramVersion)),
        twips(120, 720, 3375, 255));
    QPalette teal = title->palette();
    teal.setColor(QPalette::WindowText, toQColor(palette::CaptionText));
    title->setPalette(teal);
    label("Label2", "Free software under the MIT licence", twips(120, 960, 3135, 165));
    board_ = label("Label8", {}, twips(120, 1200, 2600, 165));
    label("Label6", "Front panel for Linux", twips(120, 1440, 1695, 255));
    label("Label3", "Provided as is, without warranty", twips(120, 1680, 2400, 255));
    label("Label5", QString::fromUtf8("\u00a9 2026 ORVEX developers"), twips(120, 1920, 2295, 255));

    lpt1_ = new QRadioButton("LPT1", this);
    lpt1_->setObjectName("LPT1");
    lpt1_->setGeometry(twips(2760, 1200, 735, 255));
    lpt2_ = new QRadioButton("LPT2", this);
    lpt2_->setObjectName("LPT2");
    lpt2_->setGeometry(twips(2760, 1440, 735, 255));
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("Command1");
    ok->setGeometry(twips(2520, 1800, 975, 375));

    connect(lpt1_, &QRadioButton::clicked, this,
            [this] { host_.run([](Receiver& r) { r.Form2_LPT1_Click(); }); });
    connect(lpt2_, &QRadioButton::clicked, this,
            [this] { host_.run([](Receiver& r) { r.Form2_LPT2_Click(); }); });
    connect(ok, &QPushButton::clicked, this,
            [this] { host_.run([](Receiver& r) { r.Form2_Command1_Click(); }); });
}

QLabel* Form2::label(const char* name, const QString& text, QRect geometry) {
    auto* created = new QLabel(text, this);
    created->setObjectName(name);
    created->setGeometry(geometry);
    return created;
}

void Form2::render(const PanelModel& panel, const QString& boardLine) {
    const QSignalBlocker blockOne(lpt1_);
    const QSignalBlocker blockTwo(lpt2_);
    lpt1_->setChecked(panel.Form2.LPT1.on);
    lpt2_->setChecked(panel.Form2.LPT2.on);
    // The whole reason also went to the main window's status line; here it must fit one line.
    board_->setText(board_->fontMetrics().elidedText(boardLine, Qt::ElideRight, board_->width()));
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
