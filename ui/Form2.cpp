#include "ui/Form2.h"

#include <QCloseEvent>
#include <QFont>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <algorithm>

#include "core/Band.h"
#include "core/NumberText.h"
#include "core/Version.h"
#include "ui/Accessibility.h"
#include "ui/Geometry.h"
#include "ui/widgets/Panel3D.h"

namespace orvex {
namespace {

constexpr QSize DesignSize = twips(0, 0, 3600, 2280).size();
// Kept clear between the texts and the window's right and bottom edges.
constexpr int EdgeMargin = 8;

}  // namespace

Form2::Form2(ReceiverHost& host, QWidget* owner) : QWidget(owner, Qt::Window), host_(host) {
    setObjectName("Form2");
    installWindowAccessibility();
    setWindowTitle("About");
    setAttribute(Qt::WA_DeleteOnClose);
    QFont tahoma("Tahoma");
    tahoma.setPointSizeF(8.25);
    setFont(tahoma);
    setFixedSize(DesignSize);

    auto* frame = new Panel3D(this);
    frame->setObjectName("Frame3");
    frame->setBackgroundColor(toQColor(palette::Panel));
    frame->setGeometry(rect());
    frame->lower();
    frame_ = frame;

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
    ok->setDefault(true);
    ok->setFocus();
    ok_ = ok;

    connect(lpt1_, &QRadioButton::clicked, this,
            [this] { host_.run([](Receiver& r) { r.Form2_LPT1_Click(); }); });
    connect(lpt2_, &QRadioButton::clicked, this,
            [this] { host_.run([](Receiver& r) { r.Form2_LPT2_Click(); }); });
    connect(ok, &QPushButton::clicked, this,
            [this] { host_.run([](Receiver& r) { r.Form2_Command1_Click(); }); });

    zoom_ = std::make_unique<PanelZoom>(*this, DesignSize);
    fitText();
}

void Form2::setZoom(double zoom) {
    zoom_->apply(zoom);
    fitText();
}

// Grows every text's box to what the text measures; the port buttons and OK move right of any
// text that grew into them, and the window grows to hold everything.
void Form2::fitText() {
    const QList<QWidget*> column{lpt1_, lpt2_, ok_};
    for (QWidget* text : findChildren<QWidget*>()) {
        if (qobject_cast<QLabel*>(text) != nullptr ||
            qobject_cast<QRadioButton*>(text) != nullptr) {
            const QSize hint = text->sizeHint();
            text->resize(std::max(text->width(), hint.width()),
                         std::max(text->height(), hint.height()));
        }
    }
    int intrusion = 0;
    for (QLabel* text : findChildren<QLabel*>()) {
        if (text == board_) {
            continue;  // cut short to its width, never grown
        }
        for (QWidget* control : column) {
            const QRect band(0, control->y(), width(), control->height());
            if (text->geometry().intersects(band)) {
                intrusion =
                    std::max(intrusion, text->geometry().right() + EdgeMargin - control->x());
            }
        }
    }
    QSize needed = zoom_->size(zoom_->zoom());
    for (QWidget* child : findChildren<QWidget*>()) {
        if (intrusion > 0 && column.contains(child)) {
            child->move(child->x() + intrusion, child->y());
        }
        if (child != frame_) {
            needed = needed.expandedTo(QSize(child->geometry().right() + 1 + EdgeMargin,
                                             child->geometry().bottom() + 1 + EdgeMargin));
        }
    }
    setFixedSize(needed);
    frame_->setGeometry(rect());
    showBoardLine();
}

void Form2::showBoardLine() {
    // The whole reason also went to the main window's badge; here it must fit one line.
    board_->setText(board_->fontMetrics().elidedText(boardLine_, Qt::ElideRight, board_->width()));
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
    if (boardLine != boardLine_) {
        boardLine_ = boardLine;
        showBoardLine();
    }
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
