#include "ui/ReceiverForm.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFont>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <algorithm>
#include <utility>

#include "controls/OperatorNotes.h"
#include "core/Band.h"
#include "core/NumberText.h"
#include "ui/Accessibility.h"
#include "ui/Geometry.h"
#include "ui/KeyTable.h"
#include "ui/MenuKeys.h"
#include "ui/PanelSpeech.h"

namespace orvex {
namespace {

QFont arial(double points) {
    QFont font("Arial");
    font.setPointSizeF(points);
    return font;
}

// Labels are redrawn only when a colour really changes: the panel is drawn after every handler,
// ten times a second while the receiver measures.
void setTextColour(QLabel* label, Rgb text, std::optional<Rgb> background = std::nullopt) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, toQColor(text));
    if (background) {
        palette.setColor(QPalette::Window, toQColor(*background));
    }
    if (palette != label->palette()) {
        label->setAutoFillBackground(background.has_value());
        label->setPalette(palette);
    }
}

void drawToggle(ToggleSwitch* widget, const ToggleModel& model) {
    const QSignalBlocker blocker(widget);
    widget->setOn(model.on);
    widget->setOffCaption(QString::fromStdString(model.offCaption));
    widget->setOnCaption(QString::fromStdString(model.onCaption));
    widget->setOffLampColor(toQColor(model.offLamp));
    widget->setOnLampColor(toQColor(model.onLamp));
    widget->setEnabled(model.enabled);
}

// Under the panel, three lines high: the status line and, beside it, the board badge.
constexpr QRect StatusArea = twips(0, 2865, 4980, 720);
constexpr QRect BadgeArea = twips(4980, 2865, 2475, 720);
constexpr QSize ContentSize = twips(0, 0, 7455, 2865 + 720).size();

// An entry may be typed in Hz: nine digits and a fraction.
constexpr int EntryCells = 12;

// "ORVEX 132–144 MHz — simulated board": the product, the band and the board, no more.
QString titleFor(QString board) {
    if (!board.isEmpty()) {
        board[0] = board[0].toLower();
    }
    return QStringLiteral("ORVEX %1\u2013%2 MHz \u2014 %3")
        .arg(QString::fromStdString(numberText(BandBottomMHz)),
             QString::fromStdString(numberText(BandTopMHz)), board);
}

std::int64_t digitWeightKHz(int place) {
    std::int64_t weight = 1;
    for (int i = 0; i < place; ++i) {
        weight *= 10;
    }
    return weight;
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
    zoom_ = std::make_unique<PanelZoom>(*this, ContentSize);
    setMinimumSize(zoom_->size(PanelZoom::Smallest));
    setMaximumSize(zoom_->size(PanelZoom::Largest));
    resize(zoom_->size(PanelZoom::Smallest));

    buildCommands();
    connectOperator();
    connectFeedback();
    connect(&host_, &ReceiverHost::panelChanged, this, &ReceiverForm::render);
    render();
}

template <typename Widget>
Widget* ReceiverForm::place(QWidget* parent, const char* name, QRect geometry) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

ToggleSwitch* ReceiverForm::toggle(QWidget* parent, const char* name, QRect geometry) {
    return place<ToggleSwitch>(parent, name, geometry);
}

QPushButton* ReceiverForm::button(QWidget* parent, const char* name, const QString& caption,
                                  QRect geometry) {
    auto* created = place<QPushButton>(parent, name, geometry);
    created->setText(caption);
    created->setAccessibleName(caption);
    created->setFocusPolicy(Qt::TabFocus);
    return created;
}

QLabel* ReceiverForm::label(QWidget* parent, const char* name, const QString& caption,
                            QRect geometry) {
    auto* created = place<QLabel>(parent, name, geometry);
    created->setText(caption);
    // Font metrics differ a little from the panel's original fonts: never cut a caption short.
    created->resize(std::max(geometry.width(), created->sizeHint().width()), geometry.height());
    return created;
}

void ReceiverForm::buildPanel() {
    auto* frame = new Panel3D(this);  // Frame3D1, filling the window
    frame->setObjectName("Frame3D1");
    frame->setGeometry(twips(0, 0, 7455, 2865));
    auto* panel = place<Panel3D>(frame, "Panel3D2", twips(0, 0, 7455, 2895));
    panel->setBackgroundColor(toQColor(palette::Panel));

    buildDisplay(panel);
    buildChannelColumn(panel);
    buildMeters(panel);
    buildPower(panel);
    buildTuning(panel);
    buildControlPanel(panel);
}

void ReceiverForm::buildDisplay(QWidget* parent) {
    displayPanel_ = place<Panel3D>(parent, "SSPanel1", twips(120, 120, 3855, 1575));
    display_ = place<SevenSegmentDisplay>(displayPanel_, "LedDisplay1", twips(120, 240, 3135, 975));
    display_->setEntryCells(EntryCells);
    mhz_ = label(displayPanel_, "Label5", "MHz", twips(3240, 960, 495, 255));
    mhz_->setFont(arial(11.25));
    scale_ = place<LinearGauge>(displayPanel_, "LGAUGE1", twips(120, 1200, 3615, 255));
    wheel_ = place<ThumbWheel>(parent, "Wheel1", twips(3960, 120, 180, 1650));
}

void ReceiverForm::buildChannelColumn(QWidget* parent) {
    QFont courier("Courier New");
    courier.setPointSizeF(8.25);
    channel1_ = button(parent, "Command2", "Ch-1", twips(4200, 120, 855, 255));
    channel2_ = button(parent, "Command3", "Ch-2", twips(4200, 360, 855, 255));
    channel3_ = button(parent, "Command4", "Ch-3", twips(4200, 600, 855, 225));
    // The hints are never shown as tooltips; they describe the buttons to screen readers.
    channel1_->setAccessibleDescription("CHANNEL 1");
    channel2_->setAccessibleDescription("CHANNEL 2");
    channel3_->setAccessibleDescription("CHANNEL 3 ");
    for (QPushButton* channel : {channel1_, channel2_, channel3_}) {
        channel->setFont(courier);
    }
    readWrite_ = toggle(parent, "Toggle4", twips(4200, 840, 855, 255));
    spectrum_ = toggle(parent, "Toggle1", twips(4200, 1080, 855, 255));
    mute_ = toggle(parent, "Toggle2", twips(4200, 1320, 855, 255));
}

void ReceiverForm::buildMeters(QWidget* parent) {
    dial_ = place<Dial>(parent, "Gauge1", twips(5160, 120, 2175, 1095));
    dial_->setNeedle0Label("Signal level");
    dial_->setNeedle1Label("Ubat");
    bar_ = place<BarIndicator>(parent, "ind1", twips(5160, 1200, 2100, 135));
    bar_->setMinimum(0);
    bar_->setBarColor(toQColor(palette::SignalBar));
    bar_->setBackgroundColor(toQColor(palette::SignalBarFace));

    auto* title = place<Panel3D>(parent, "SSPanel3", twips(5160, 1320, 2175, 375));
    title->setCaption("ORVEX  FM RECEIVER");
    title->setCaptionColor(toQColor(palette::NameplateText));
    title->setBackgroundColor(toQColor(palette::NameplateFace));
    QFont bold = arial(9);
    bold.setBold(true);
    title->setFont(bold);

    auto* logo = place<Panel3D>(parent, "SSPanel8", twips(120, 1680, 1335, 255));
    logo->setCaption("Orvex Radio");
    logo->setCaptionColor(toQColor(palette::LogoText));
    logo->setBackgroundColor(toQColor(palette::LogoFace));
    QFont script = arial(9.5);
    script.setItalic(true);
    logo->setFont(script);
}

void ReceiverForm::buildPower(QWidget* parent) {
    powerFrame_ = place<GroupFrame>(parent, "Frame4", twips(135, 1920, 1335, 855));
    powerFrame_->setCaption("Power");
    power_ = toggle(powerFrame_, "Toggle7", twips(120, 240, 1095, 495));
    power_->setPictureMode(true);
}

void ReceiverForm::buildTuning(QWidget* parent) {
    auto* tuning = place<Panel3D>(parent, "SSPanel2", twips(1560, 1680, 2415, 1095));
    knob_ = place<Knob>(tuning, "Knob1", twips(120, 0, 1335, 975));
    knob_->setPageStep(10);
    down_ = button(tuning, "Command10", "<", twips(120, 720, 255, 210));
    up_ = button(tuning, "Command8", ">", twips(1200, 720, 255, 210));
    step_ = toggle(tuning, "Toggle8", twips(1560, 240, 615, 255));
    fineStep_ = toggle(tuning, "Toggle9", twips(1560, 480, 615, 255));
    exit_ = toggle(tuning, "Toggle10", twips(1560, 720, 615, 255));
}

void ReceiverForm::buildControlPanel(QWidget* parent) {
    auto* controls = place<Panel3D>(parent, "SSPanel6", twips(3960, 1680, 3375, 1095));
    // Two small buttons of the original panel that do nothing.
    button(controls, "SSCommand3", {}, twips(120, 120, 255, 135));
    button(controls, "SSCommand4", {}, twips(600, 120, 255, 135));
    about_ = toggle(controls, "Toggle3", twips(120, 360, 735, 255));
    scan_ = toggle(controls, "Toggle5", twips(120, 720, 735, 255));
    buildAudio(controls);
}

void ReceiverForm::buildAudio(QWidget* parent) {
    auto* audio = place<Panel3D>(parent, "SSPanel9", twips(1200, -120, 2175, 1215));
    squelch_ = place<Slider>(audio, "HSlider3", twips(120, 240, 1215, 255));
    squelch_->setOrientation(Qt::Horizontal);
    squelch_->setPageStep(50);
    squelchLabel_ = label(audio, "Label4", "Squelch", twips(1440, 240, 615, 255));
    zeroLabel_ = label(audio, "Label7", "0", twips(120, 600, 255, 255));
    maxLabel_ = label(audio, "Label8", "max", twips(1080, 600, 375, 255));
    audioLabel_ = label(audio, "Label6", "Audio", twips(1560, 600, 495, 255));
    volume_ = place<Slider>(audio, "HSlider4", twips(120, 840, 1935, 255));
    volume_->setOrientation(Qt::Horizontal);
    volume_->setPageStep(1);
    volume_->setTickPosition(QSlider::TicksBelow);
}

void ReceiverForm::buildStatusStrip() {
    status_ = new MessageLine(this);
    status_->setGeometry(StatusArea);
    badge_ = new BoardBadge(this);
    badge_->setGeometry(BadgeArea);
}

void ReceiverForm::buildCommands() {
    menu_ = new QMenu(this);
    bindControlKeys(*this);
    bindMenuKeys(*this, *menu_);
    addCommand(QKeySequence(Qt::Key_F1), "Help", "every control and every key",
               [this] { showHelp(); });
    QAction* zoomIn = addCommand(QKeySequence("Ctrl++"), "Zoom in", "the panel larger, up to 300 %",
                                 [this] { setZoom(PanelZoom::zoomedIn(zoom())); });
    // Where "+" needs Shift, Ctrl with the "=" key beneath it zooms in as well.
    zoomIn->setShortcuts({QKeySequence("Ctrl++"), QKeySequence("Ctrl+=")});
    addCommand(QKeySequence("Ctrl+-"), "Zoom out", "the panel smaller, down to 100 %",
               [this] { setZoom(PanelZoom::zoomedOut(zoom())); });
    addCommand(QKeySequence("Ctrl+0"), "Actual size", "the panel at 100 %",
               [this] { setZoom(PanelZoom::Smallest); });
}

QAction* ReceiverForm::addCommand(const QKeySequence& keys, const QString& name,
                                  const QString& description, std::function<void()> run) {
    auto* action = new QAction(name, this);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    addAction(action);
    menu_->addAction(action);
    commands_.append({keys, name, description});
    return action;
}

void ReceiverForm::showHelp() {
    if (help_ == nullptr) {
        help_ = new HelpWindow(this);
    }
    help_->setContents(commands_, badge_->fullText());
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void ReceiverForm::setZoom(double zoom) {
    layOut(zoom);
    resize(zoom_->size(this->zoom()));
}

void ReceiverForm::layOut(double zoom) {
    if (PanelZoom::clamped(zoom) == this->zoom()) {
        return;
    }
    zoom_->apply(zoom);
    if (form2_ != nullptr) {
        form2_->setZoom(this->zoom());
    }
    emit zoomChanged(this->zoom());
}

// The operator resized the window: the panel takes the largest zoom that fits, keeping its
// shape; the rest of the window stays panel grey.
void ReceiverForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (event->size() == zoom_->size(zoom())) {
        return;
    }
    const QSize actual = zoom_->size(PanelZoom::Smallest);
    layOut(std::min(double(event->size().width()) / actual.width(),
                    double(event->size().height()) / actual.height()));
}

void ReceiverForm::contextMenuEvent(QContextMenuEvent* event) {
    menu_->popup(event->globalPos());
}

void ReceiverForm::connectOperator() {
    connect(knob_, &Knob::moved, this,
            [this](int p) { run([p](Receiver& r) { r.Knob1_Change(p); }); });
    connect(knob_, &Knob::released, this,
            [this](int p) { run([p](Receiver& r) { r.Knob1_DragEnd(p); }); });
    connect(wheel_, &ThumbWheel::turned, this,
            [this](int code) { run([code](Receiver& r) { r.Wheel1_Change(code); }); });
    // Home and End on the wheel go to the ends of the band, as they do on the knob.
    connect(wheel_, &ThumbWheel::endRequested, this, [this](int code) {
        const KnobModel& knob = host_.receiver().panel().Knob1;
        const int target = code == ThumbWheel::Up ? knob.maximum : 0;
        if (knob.enabled && target != knob.position) {
            run([target](Receiver& r) { r.Knob1_Change(target); });
        }
    });
    connect(down_, &QPushButton::clicked, this,
            [this] { run([](Receiver& r) { r.Command10_Click(); }); });
    connect(up_, &QPushButton::clicked, this,
            [this] { run([](Receiver& r) { r.Command8_Click(); }); });
    connect(channel1_, &QPushButton::clicked, this,
            [this] { pressChannel(1, &Receiver::Command2_Click); });
    connect(channel2_, &QPushButton::clicked, this,
            [this] { pressChannel(2, &Receiver::Command3_Click); });
    connect(channel3_, &QPushButton::clicked, this,
            [this] { pressChannel(3, &Receiver::Command4_Click); });

    const auto onToggle = [this](ToggleSwitch* widget, void (Receiver::*handler)(bool)) {
        connect(widget, &ToggleSwitch::switched, this, [this, handler](bool on) {
            run([handler, on](Receiver& r) { (r.*handler)(on); });
        });
    };
    onToggle(power_, &Receiver::Toggle7_Change);
    onToggle(step_, &Receiver::Toggle8_Change);
    onToggle(fineStep_, &Receiver::Toggle9_Change);
    onToggle(exit_, &Receiver::Toggle10_Change);
    onToggle(readWrite_, &Receiver::Toggle4_Change);
    onToggle(spectrum_, &Receiver::Toggle1_Change);
    onToggle(mute_, &Receiver::Toggle2_Change);
    onToggle(about_, &Receiver::Toggle3_Change);
    onToggle(scan_, &Receiver::Toggle5_Change);

    // Qt's slider has no signal for the operator's moves alone (a screen reader sets its value as
    // code does); render() draws it with its signals blocked, so only the operator reaches these.
    connect(volume_, &QSlider::valueChanged, this,
            [this](int p) { run([p](Receiver& r) { r.HSlider4_Change(p); }); });
    connect(squelch_, &QSlider::valueChanged, this,
            [this](int p) { run([p](Receiver& r) { r.HSlider3_Change(p); }); });

    // Typing a frequency: click the display while the receiver is on.
    connect(display_, &SevenSegmentDisplay::activated, this, [this] {
        if (host_.receiver().panel().Toggle7.on) {
            display_->beginEntry();
        }
    });
    connect(display_, &SevenSegmentDisplay::entryAccepted, this, &ReceiverForm::enterFrequency);
    connect(display_, &SevenSegmentDisplay::digitWheeled, this, &ReceiverForm::tuneByDigit);
}

// After the operator's own handlers, so that it reads what they left.
void ReceiverForm::connectFeedback() {
    feedback_ = new PanelFeedback(host_.receiver(), *status_, this);
    connect(&host_, &ReceiverHost::message, feedback_, &PanelFeedback::receiverMessage);
    connect(&host_, &ReceiverHost::panelChanged, feedback_, &PanelFeedback::panelChanged);
    connect(mute_, &ToggleSwitch::switched, feedback_, &PanelFeedback::muteSwitched);
    const Receiver& receiver = host_.receiver();
    for (auto [button, channel] :
         {std::pair{channel1_, 1}, std::pair{channel2_, 2}, std::pair{channel3_, 3}}) {
        feedback_->noteOnHover(button, [&receiver, n = channel] {
            return QString::fromStdString(memoryHoverNote(n, receiver.memory(n)));
        });
    }
    feedback_->noteOnHover(badge_, [this] { return badge_->fullText(); });
}

void ReceiverForm::pressChannel(int channel, void (Receiver::*handler)()) {
    const bool storing = host_.receiver().panel().Toggle4.on;
    run([handler](Receiver& r) { (r.*handler)(); });
    feedback_->channelPressed(channel, storing);
}

// A frequency in kHz or Hz reaches the handler in MHz, as if typed so; anything else goes as
// typed, for the handler to refuse in its own words.
void ReceiverForm::enterFrequency(const QString& typed) {
    const std::string text = typed.toStdString();
    const std::optional<double> megahertz = typedMegahertz(text);
    const std::string entry = megahertz ? numberText(*megahertz) : text;
    run([entry](Receiver& r) { r.LedDisplay1_Entry(entry); });
    if (megahertz) {
        feedback_->frequencyEntered(*megahertz);
    }
}

// The wheel over a digit of the display tunes as the knob would, by that digit's weight.
void ReceiverForm::tuneByDigit(int place, int notches) {
    const Receiver& receiver = host_.receiver();
    const KnobModel& knob = receiver.panel().Knob1;
    if (!knob.enabled) {
        return;
    }
    const int perNotch = knobStepsForDigit(digitWeightKHz(place), receiver.stepKHz());
    const int target = static_cast<int>(std::clamp<std::int64_t>(
        knob.position + std::int64_t{notches} * perNotch, 0, knob.maximum));
    if (target != knob.position) {
        run([target](Receiver& r) { r.Knob1_Change(target); });
    }
}

void ReceiverForm::render() {
    const PanelModel& panel = host_.receiver().panel();

    displayPanel_->setBackgroundColor(toQColor(panel.SSPanel1));
    display_->setText(QString::fromStdString(panel.LedDisplay1.text));
    display_->setBackgroundColor(toQColor(panel.LedDisplay1.background));
    display_->setUnlitColor(toQColor(panel.LedDisplay1.unlit));
    display_->setSegmentColor(toQColor(panel.LedDisplay1.segment));
    setTextColour(mhz_, panel.Label5.text, panel.Label5.background);
    scale_->setMinimum(panel.LGAUGE1.minimum);
    scale_->setMaximum(panel.LGAUGE1.maximum);
    scale_->setValue(panel.LGAUGE1.value);
    scale_->setBackgroundColor(toQColor(panel.LGAUGE1.background));
    scale_->setBarColor(toQColor(panel.LGAUGE1.bar));
    scale_->setScaleColor(toQColor(panel.LGAUGE1.scale));
    scale_->setPointerColor(toQColor(panel.LGAUGE1.pointer));

    {
        const QSignalBlocker blocker(knob_);
        knob_->setMaximum(panel.Knob1.maximum);
        knob_->setPosition(panel.Knob1.position);
        knob_->setFaceColor(toQColor(panel.Knob1.face));
        knob_->setMarkerColor(toQColor(panel.Knob1.marker));
        knob_->setEnabled(panel.Knob1.enabled);
    }
    down_->setEnabled(panel.Command10.enabled);
    up_->setEnabled(panel.Command8.enabled);
    channel1_->setEnabled(panel.Command2.enabled);
    channel2_->setEnabled(panel.Command3.enabled);
    channel3_->setEnabled(panel.Command4.enabled);

    for (auto [slider, model] :
         {std::pair{squelch_, &panel.HSlider3}, std::pair{volume_, &panel.HSlider4}}) {
        const QSignalBlocker blocker(slider);
        slider->setRange(0, model->maximum);
        slider->setValue(model->position);
        slider->setEnabled(model->enabled);
    }
    setTextColour(squelchLabel_, panel.Label4.text);
    setTextColour(audioLabel_, panel.Label6.text);
    setTextColour(zeroLabel_, panel.Label7.text);
    setTextColour(maxLabel_, panel.Label8.text);
    powerFrame_->setCaptionColor(toQColor(panel.Frame4Caption));

    renderToggles(panel);
    renderMeters(panel);
    renderAbout(panel);
    renderBoard();
}

void ReceiverForm::renderBoard() {
    badge_->setSegment(BoardBadge::BoardKey,
                       boardSegment(boardName_, boardNote_,
                                    QString::fromStdString(host_.receiver().boardDescription())));
    // The display takes typing while the receiver is on.
    const Qt::CursorShape cursor = host_.receiver().poweredOn() ? Qt::IBeamCursor : Qt::ArrowCursor;
    if (display_->cursor().shape() != cursor) {
        display_->setCursor(cursor);
    }
}

void ReceiverForm::renderToggles(const PanelModel& panel) {
    drawToggle(power_, panel.Toggle7);
    drawToggle(step_, panel.Toggle8);
    drawToggle(fineStep_, panel.Toggle9);
    drawToggle(exit_, panel.Toggle10);
    drawToggle(readWrite_, panel.Toggle4);
    drawToggle(spectrum_, panel.Toggle1);
    drawToggle(mute_, panel.Toggle2);
    drawToggle(about_, panel.Toggle3);
    drawToggle(scan_, panel.Toggle5);
}

void ReceiverForm::renderMeters(const PanelModel& panel) {
    const DialModel& model = panel.Gauge1;
    dial_->setMinimum(model.minimum);
    dial_->setMaximum(model.maximum);
    dial_->setNeedleValue(0, model.needles[0]);
    dial_->setNeedleValue(1, model.needles[1]);
    dial_->setSelectedNeedle(model.selected);
    dial_->setThreshold(model.threshold);
    dial_->setFaceColor(toQColor(model.face));
    dial_->setScaleColor(toQColor(model.scale));
    dial_->setMajorStep(model.majorStep);
    dial_->setMinorStep(model.minorStep);
    dial_->setLabelsVisible(model.labelsVisible);
    bar_->setMaximum(panel.ind1.maximum);
    bar_->setValue(panel.ind1.value);
    bar_->setEnabled(panel.ind1.enabled);
}

void ReceiverForm::renderAbout(const PanelModel& panel) {
    if (panel.Form2.open && form2_ == nullptr) {
        form2_ = new Form2(host_, this);
        form2_->setZoom(zoom());
        form2_->show();
    }
    if (!panel.Form2.open && form2_ != nullptr) {
        form2_->closeFromModel();
        form2_ = nullptr;
        return;
    }
    if (form2_ != nullptr) {
        form2_->render(panel,
                       withNote(QString::fromStdString(host_.receiver().boardDescription())));
    }
}

QString ReceiverForm::withNote(const QString& board) const {
    return boardNote_.isEmpty() ? board : QStringLiteral("%1 (%2)").arg(board, boardNote_);
}

void ReceiverForm::closeEvent(QCloseEvent* event) {
    event->accept();
    run([](Receiver& r) { r.Form_Unload(); });
}

}  // namespace orvex
