#include "ui/ReceiverForm.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFont>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <algorithm>
#include <array>
#include <tuple>
#include <utility>

#include "core/Band.h"
#include "ui/Accessibility.h"
#include "ui/Geometry.h"
#include "ui/KeyTable.h"
#include "ui/PanelParts.h"
#include "ui/PanelSpeech.h"
#include "ui/ScreenFit.h"

namespace orvex {
namespace {

QFont arial(double points) {
    QFont font("Arial");
    font.setPointSizeF(points);
    return font;
}

// Under the panel, three lines high: the status line and, beside it, the board badge.
constexpr QRect StatusArea = twips(0, 2865, 4980, 720);
constexpr QRect BadgeArea = twips(4980, 2865, 2475, 720);
constexpr QSize ContentSize = twips(0, 0, 7455, 2865 + 720).size();

// An entry may be typed in Hz: nine digits and a fraction.
constexpr int EntryCells = 12;

// "ORVEX 132 MHz - 144 MHz — simulated board": the product, the band and the board, no more.
QString titleFor(QString board) {
    if (!board.isEmpty()) {
        board[0] = board[0].toLower();
    }
    return QStringLiteral("ORVEX %1 \u2014 %2").arg(QString::fromStdString(bandText()), board);
}

}  // namespace

ReceiverForm::ReceiverForm(ReceiverHost& host, const QString& boardName, const QString& boardNote,
                           QWidget* parent)
    : QWidget(parent), host_(host), boardName_(boardName), boardNote_(boardNote) {
    setObjectName("ReceiverForm");
    setWindowTitle(titleFor(boardName));
    setFont(arial(8.25));
    // The panel's grey, which the switches and the thumb wheel take from the palette.
    QPalette grey = palette();
    grey.setColor(QPalette::Window, toQColor(palette::Panel));
    grey.setColor(QPalette::Button, toQColor(palette::Panel));
    setPalette(grey);

    installWindowAccessibility();
    buildPanel();
    buildStatusStrip();
    new PanelSpeech(*this, host_);
    orderTabs(*this);

    // Everything is built at 100 %: that layout is what every zoom scales.
    zoom_ = new ZoomControl(*this, ContentSize);
    connect(zoom_, &ZoomControl::zoomChanged, this, &ReceiverForm::zoomChanged);
    buildCommands();
    feedback_ = new PanelFeedback(host_.receiver(), widgets_, this);
    input_ = new OperatorInput(widgets_, host_, *feedback_, this);
    feedback_->follow(host_, widgets_);
    connect(&host_, &ReceiverHost::panelChanged, this, &ReceiverForm::render);
    render();
}

void ReceiverForm::buildPanel() {
    auto* frame = new Panel3D(this);  // Frame3D1, filling the window
    frame->setObjectName("Frame3D1");
    frame->setGeometry(twips(0, 0, 7455, 2865));
    auto* panel = parts::place<Panel3D>(frame, "Panel3D2", twips(0, 0, 7455, 2895));
    panel->setBackgroundColor(toQColor(palette::Panel));

    buildDisplay(panel);
    buildChannelColumn(panel);
    buildMeters(panel);
    buildPower(panel);
    buildTuning(panel);
    buildControlPanel(panel);
}

void ReceiverForm::buildDisplay(QWidget* parent) {
    widgets_.displayPanel = parts::place<Panel3D>(parent, "SSPanel1", twips(120, 120, 3855, 1575));
    widgets_.display = parts::place<SevenSegmentDisplay>(widgets_.displayPanel, "LedDisplay1",
                                                         twips(120, 240, 3135, 975));
    widgets_.display->setEntryCells(EntryCells);
    widgets_.mhz = parts::label(widgets_.displayPanel, "Label5", "MHz", twips(3240, 960, 495, 255));
    widgets_.mhz->setFont(arial(11.25));
    widgets_.scale =
        parts::place<LinearGauge>(widgets_.displayPanel, "LGAUGE1", twips(120, 1200, 3615, 255));
    widgets_.wheel = parts::place<ThumbWheel>(parent, "Wheel1", twips(3960, 120, 180, 1650));
}

void ReceiverForm::buildChannelColumn(QWidget* parent) {
    QFont courier("Courier New");
    courier.setPointSizeF(8.25);
    widgets_.channel1 = parts::button(parent, "Command2", "Ch-1", twips(4200, 120, 855, 255));
    widgets_.channel2 = parts::button(parent, "Command3", "Ch-2", twips(4200, 360, 855, 255));
    widgets_.channel3 = parts::button(parent, "Command4", "Ch-3", twips(4200, 600, 855, 225));
    // The hints are never shown as tooltips; they describe the buttons to screen readers.
    widgets_.channel1->setAccessibleDescription("CHANNEL 1");
    widgets_.channel2->setAccessibleDescription("CHANNEL 2");
    widgets_.channel3->setAccessibleDescription("CHANNEL 3 ");
    for (QPushButton* channel : {widgets_.channel1, widgets_.channel2, widgets_.channel3}) {
        channel->setFont(courier);
    }
    widgets_.readWrite = parts::place<ToggleSwitch>(parent, "Toggle4", twips(4200, 840, 855, 255));
    widgets_.spectrum = parts::place<ToggleSwitch>(parent, "Toggle1", twips(4200, 1080, 855, 255));
    widgets_.mute = parts::place<ToggleSwitch>(parent, "Toggle2", twips(4200, 1320, 855, 255));
}

void ReceiverForm::buildMeters(QWidget* parent) {
    widgets_.dial = parts::place<Dial>(parent, "Gauge1", twips(5160, 120, 2175, 1095));
    widgets_.dial->setNeedle0Label("Signal level");
    widgets_.dial->setNeedle1Label("Ubat");
    widgets_.bar = parts::place<BarIndicator>(parent, "ind1", twips(5160, 1200, 2100, 135));
    widgets_.bar->setMinimum(0);
    widgets_.bar->setBarColor(toQColor(palette::SignalBar));
    widgets_.bar->setBackgroundColor(toQColor(palette::SignalBarFace));

    auto* title = parts::place<Panel3D>(parent, "SSPanel3", twips(5160, 1320, 2175, 375));
    title->setCaption("ORVEX  FM RECEIVER");
    title->setCaptionColor(toQColor(palette::NameplateText));
    title->setBackgroundColor(toQColor(palette::NameplateFace));
    QFont bold = arial(9);
    bold.setBold(true);
    title->setFont(bold);

    auto* logo = parts::place<Panel3D>(parent, "SSPanel8", twips(120, 1680, 1335, 255));
    logo->setCaption("Orvex Radio");
    logo->setCaptionColor(toQColor(palette::LogoText));
    logo->setBackgroundColor(toQColor(palette::LogoFace));
    QFont script = arial(9.5);
    script.setItalic(true);
    logo->setFont(script);
}

void ReceiverForm::buildPower(QWidget* parent) {
    widgets_.powerFrame = parts::place<GroupFrame>(parent, "Frame4", twips(135, 1920, 1335, 855));
    widgets_.powerFrame->setCaption("Power");
    widgets_.power =
        parts::place<ToggleSwitch>(widgets_.powerFrame, "Toggle7", twips(120, 240, 1095, 495));
    widgets_.power->setPictureMode(true);
}

void ReceiverForm::buildTuning(QWidget* parent) {
    auto* tuning = parts::place<Panel3D>(parent, "SSPanel2", twips(1560, 1680, 2415, 1095));
    widgets_.knob = parts::place<Knob>(tuning, "Knob1", twips(120, 0, 1335, 975));
    widgets_.knob->setPageStep(10);
    widgets_.down = parts::button(tuning, "Command10", "<", twips(120, 720, 255, 210));
    widgets_.up = parts::button(tuning, "Command8", ">", twips(1200, 720, 255, 210));
    widgets_.step = parts::place<ToggleSwitch>(tuning, "Toggle8", twips(1560, 240, 615, 255));
    widgets_.fineStep = parts::place<ToggleSwitch>(tuning, "Toggle9", twips(1560, 480, 615, 255));
    widgets_.exit = parts::place<ToggleSwitch>(tuning, "Toggle10", twips(1560, 720, 615, 255));
}

void ReceiverForm::buildControlPanel(QWidget* parent) {
    auto* controls = parts::place<Panel3D>(parent, "SSPanel6", twips(3960, 1680, 3375, 1095));
    // Two small buttons of the original panel that do nothing.
    parts::button(controls, "SSCommand3", {}, twips(120, 120, 255, 135));
    parts::button(controls, "SSCommand4", {}, twips(600, 120, 255, 135));
    widgets_.about = parts::place<ToggleSwitch>(controls, "Toggle3", twips(120, 360, 735, 255));
    widgets_.scan = parts::place<ToggleSwitch>(controls, "Toggle5", twips(120, 720, 735, 255));
    buildAudio(controls);
}

void ReceiverForm::buildAudio(QWidget* parent) {
    auto* audio = parts::place<Panel3D>(parent, "SSPanel9", twips(1200, -120, 2175, 1215));
    widgets_.squelch = parts::place<Slider>(audio, "HSlider3", twips(120, 240, 1215, 255));
    widgets_.squelch->setOrientation(Qt::Horizontal);
    widgets_.squelch->setPageStep(50);
    widgets_.squelchLabel = parts::label(audio, "Label4", "Squelch", twips(1440, 240, 615, 255));
    widgets_.zeroLabel = parts::label(audio, "Label7", "0", twips(120, 600, 255, 255));
    widgets_.maxLabel = parts::label(audio, "Label8", "max", twips(1080, 600, 375, 255));
    widgets_.audioLabel = parts::label(audio, "Label6", "Audio", twips(1560, 600, 495, 255));
    widgets_.volume = parts::place<Slider>(audio, "HSlider4", twips(120, 840, 1935, 255));
    widgets_.volume->setOrientation(Qt::Horizontal);
    widgets_.volume->setPageStep(1);
    widgets_.volume->setTickPosition(QSlider::TicksBelow);
}

void ReceiverForm::buildStatusStrip() {
    widgets_.status = new MessageLine(this);
    widgets_.status->setGeometry(StatusArea);
    widgets_.badge = new BoardBadge(this);
    widgets_.badge->setGeometry(BadgeArea);
}

void ReceiverForm::buildCommands() {
    commands_ =
        new PanelCommands(*this, *widgets_.badge, [this](HelpWindow& help) { showOwned(help); });
    QAction* zoomIn = addCommand(QKeySequence("Ctrl++"), "Zoom in", "the panel larger, up to 300 %",
                                 [this] { setZoom(PanelZoom::zoomedIn(zoom())); });
    // Where "+" needs Shift, Ctrl with the "=" key beneath it zooms in as well.
    zoomIn->setShortcuts({QKeySequence("Ctrl++"), QKeySequence("Ctrl+=")});
    addCommand(QKeySequence("Ctrl+-"), "Zoom out", "the panel smaller, down to 100 %",
               [this] { setZoom(PanelZoom::zoomedOut(zoom())); });
    addCommand(QKeySequence("Ctrl+0"), "Actual size", "the panel at 100 %",
               [this] { setZoom(PanelZoom::Smallest); });
}

void ReceiverForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    zoom_->windowResized(event->size());
}

void ReceiverForm::contextMenuEvent(QContextMenuEvent* event) {
    commands_->popUp(event->globalPos());
}

void ReceiverForm::render() {
    const PanelModel& panel = host_.receiver().panel();
    drawing_.draw(panel);
    renderAbout(panel);
    renderBoard();
}

void ReceiverForm::renderBoard() {
    if (std::string described = host_.receiver().boardDescription(); described != drawnBoard_) {
        const BoardSegment segment =
            boardSegment(boardName_, boardNote_, QString::fromStdString(described));
        widgets_.badge->setSegment(BoardBadge::BoardKey, segment.text, segment.explanation);
        drawnBoard_ = std::move(described);
    }
    // The display takes typing while the receiver is on.
    const Qt::CursorShape cursor = host_.receiver().poweredOn() ? Qt::IBeamCursor : Qt::ArrowCursor;
    if (widgets_.display->cursor().shape() != cursor) {
        widgets_.display->setCursor(cursor);
    }
}

void ReceiverForm::renderAbout(const PanelModel& panel) {
    if (panel.Form2.open && form2_ == nullptr) {
        form2_ = new Form2(host_, boardSegment(boardName_, {}, {}).text, this);
        showOwned(*form2_);
    }
    if (!panel.Form2.open && form2_ != nullptr) {
        form2_->closeFromModel();
        form2_ = nullptr;
        return;
    }
    if (form2_ != nullptr) {
        form2_->render(panel);
    }
}

void ReceiverForm::centreOnPanel(QWidget& window) const {
    centreOn(window, *this);
}

void ReceiverForm::closeEvent(QCloseEvent* event) {
    event->accept();
    host_.run([](Receiver& r) { r.Form_Unload(); });
}

}  // namespace orvex
