#include "ui/BoardMonitor.h"

#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <chrono>

#include "controls/AudioScales.h"
#include "core/Band.h"
#include "hardware/Converter.h"
#include "ui/Accessibility.h"
#include "ui/Geometry.h"

namespace orvex {
namespace {

const QString None = QStringLiteral("\u2014");

QString megahertz(double kHz) {
    return QString::fromStdString(megahertzText(kHz));
}

template <typename Number>
QString orNone(const std::optional<Number>& number) {
    return number ? QString::number(*number) : None;
}

// "1000 1011": the register's lines, bit 7 first.
QString bits(std::uint8_t lines) {
    const QString all = QString::number(lines, 2).rightJustified(8, '0');
    return all.left(4) + ' ' + all.right(4);
}

QString registers(std::uint8_t data, std::optional<std::uint8_t> control) {
    return QString("data %1, control %2").arg(bits(data), control ? bits(*control) : None);
}

// What the panel makes of a converter byte: the signal level on channel 0, the supply on 1.
QString conversion(std::size_t channel, std::uint8_t byte) {
    switch (channel) {
        case 0:
            return QString("%1: level %2").arg(byte).arg(signalLevel(byte), 0, 'f', 2);
        case 1:
            return QString("%1: %2 V").arg(byte).arg(supplyVolts(byte), 0, 'f', 2);
        default:
            return QString::number(byte);
    }
}

QString perSecond(std::uint64_t count, std::uint64_t before, std::chrono::milliseconds elapsed) {
    if (elapsed.count() <= 0) {
        return None;
    }
    const double seconds = std::chrono::duration<double>(elapsed).count();
    return QString::number(static_cast<double>(count - before) / seconds, 'f', 0);
}

}  // namespace

BoardMonitor::BoardMonitor(const AccessDecoder& decoder, DisplayedKHz displayed, Holdings holdings,
                           QWidget* parent)
    : QWidget(parent, Qt::Tool),
      decoder_(decoder),
      displayed_(std::move(displayed)),
      holdings_(std::move(holdings)) {
    setObjectName("BoardMonitor");
    installWindowAccessibility();
    setWindowTitle("Board monitor");
    auto* layout = new QVBoxLayout(this);
    const auto group = [this, layout](const QString& title, auto build) {
        auto* box = new QGroupBox(title, this);
        auto* form = new QFormLayout(box);
        (this->*build)(form);
        layout->addWidget(box);
    };
    group("Synthesizer, as sent", &BoardMonitor::buildSynthesizer);
    group("Lines, as driven", &BoardMonitor::buildLines);
    group("Converter bytes, as read", &BoardMonitor::buildConverter);
    group("Port accesses", &BoardMonitor::buildAccesses);
    if (holdings_) {
        group("What the simulated board holds", &BoardMonitor::buildBoard);
    }

    refreshTimer_.setInterval(RefreshMs);
    connect(&refreshTimer_, &QTimer::timeout, this, &BoardMonitor::refresh);
    refresh();
}

QLabel* BoardMonitor::addRow(QFormLayout* form, const char* name, const QString& caption) {
    auto* shown = new QLabel(None, this);
    shown->setObjectName(name);
    shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(caption, shown);
    fields_.emplace_back(shown, caption);
    return shown;
}

void BoardMonitor::buildSynthesizer(QFormLayout* form) {
    controlWord_ = addRow(form, "controlWord", "Control word");
    referenceWord_ = addRow(form, "referenceWord", "Reference word");
    dividerWord_ = addRow(form, "dividerWord", "Divider word");
    tuned_ = addRow(form, "tunedFrequency", "Tunes");
    agreement_ = addRow(form, "agreement", "Display");
    pending_ = addRow(form, "pendingBits", "Shift register");
}

void BoardMonitor::buildLines(QFormLayout* form) {
    power_ = addRow(form, "power", "Power");
    mute_ = addRow(form, "mute", "Audio");
    volume_ = addRow(form, "volume", "Volume");
    registers_ = addRow(form, "registers", "Registers");
}

void BoardMonitor::buildConverter(QFormLayout* form) {
    const std::array<const char*, 4> captions{"Channel 0, signal", "Channel 1, supply", "Channel 2",
                                              "Channel 3"};
    const std::array<const char*, 4> names{"channel0", "channel1", "channel2", "channel3"};
    for (std::size_t channel = 0; channel < channels_.size(); ++channel) {
        channels_[channel] = addRow(form, names[channel], captions[channel]);
    }
}

void BoardMonitor::buildAccesses(QFormLayout* form) {
    writes_ = addRow(form, "writesPerSecond", "Writes per second");
    reads_ = addRow(form, "readsPerSecond", "Reads per second");
    dropped_ = addRow(form, "dropped", "Dropped (no port)");
}

void BoardMonitor::buildBoard(QFormLayout* form) {
    boardRegisters_ = addRow(form, "boardRegisters", "Registers");
    boardWords_ = addRow(form, "boardWords", "Words held");
    boardLock_ = addRow(form, "boardLock", "Synthesizer");
    boardStation_ = addRow(form, "boardStation", "Station heard");
}

void BoardMonitor::refresh() {
    showSynthesizer();
    showAgreement();
    showLines();
    showConverter();
    showAccesses();
    showBoard();
    nameFields();
}

// A screen reader reads a value with its caption ("Divider word, 14370"): a bare number says
// nothing.
void BoardMonitor::nameFields() {
    for (const auto& [field, caption] : fields_) {
        const QString name = caption + QStringLiteral(", ") + field->text();
        if (field->accessibleName() != name) {
            field->setAccessibleName(name);
        }
    }
}

void BoardMonitor::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    sinceLastRefresh_.invalidate();  // rates count from now, not from before it was hidden
    refresh();
    refreshTimer_.start();
}

void BoardMonitor::setZoom(double zoom) {
    if (zoom == zoom_) {
        return;
    }
    zoom_ = zoom;
    QFont font = QApplication::font();
    font.setPointSizeF(font.pointSizeF() * zoom);
    setFont(font);
    adjustSize();
}

void BoardMonitor::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void BoardMonitor::hideEvent(QHideEvent* event) {
    refreshTimer_.stop();
    QWidget::hideEvent(event);
}

void BoardMonitor::showSynthesizer() {
    const AccessDecoder::Synthesizer& synth = decoder_.synthesizer();
    controlWord_->setText(orNone(synth.controlWord));
    referenceWord_->setText(orNone(synth.referenceWord));
    dividerWord_->setText(orNone(synth.dividerWord));
    const std::optional<double> tuned = decoder_.receiveKHz();
    tuned_->setText(tuned ? megahertz(*tuned) : None);
    pending_->setText(QString("%1 bits waiting, %2 words of a wrong length")
                          .arg(synth.bitsShifted)
                          .arg(synth.wordsOfWrongLength));
}

void BoardMonitor::showAgreement() {
    const std::optional<double> shown = displayed_();
    const AccessDecoder::Agreement agreement = decoder_.agreementWith(shown);
    const bool disagrees = agreement == AccessDecoder::Agreement::Disagrees;
    if (disagrees != showingDisagreement_) {
        showingDisagreement_ = disagrees;
        QPalette palette = agreement_->palette();
        palette.setColor(QPalette::WindowText, disagrees
                                                   ? toQColor(orvex::palette::Disagreement)
                                                   : this->palette().color(QPalette::WindowText));
        agreement_->setPalette(palette);
    }
    switch (agreement) {
        case AccessDecoder::Agreement::Agrees:
            agreement_->setText("agrees: " + megahertz(*shown));
            break;
        case AccessDecoder::Agreement::Disagrees:
            agreement_->setText("DISAGREES: the display shows " + megahertz(*shown));
            break;
        case AccessDecoder::Agreement::Unknown:
            agreement_->setText("shows no frequency");
            break;
    }
}

void BoardMonitor::showLines() {
    power_->setText(decoder_.powered() ? "on" : "off");
    mute_->setText(decoder_.muted() ? "muted" : "not muted");
    const std::optional<int> volume = decoder_.volume();
    volume_->setText(volume ? QString("%1 of %2").arg(*volume).arg(VolumeTop) : None);
    registers_->setText(registers(decoder_.dataLines(), decoder_.controlRegister()));
}

void BoardMonitor::showConverter() {
    for (std::size_t channel = 0; channel < channels_.size(); ++channel) {
        const std::optional<AccessDecoder::Conversion>& read = decoder_.conversions()[channel];
        channels_[channel]->setText(read ? conversion(channel, read->byte) : None);
    }
}

void BoardMonitor::showAccesses() {
    const AccessDecoder::Counts& counts = decoder_.counts();
    const std::chrono::milliseconds elapsed(
        sinceLastRefresh_.isValid() ? sinceLastRefresh_.restart() : 0);
    if (!sinceLastRefresh_.isValid()) {
        sinceLastRefresh_.start();
    }
    writes_->setText(perSecond(counts.writes, lastCounts_.writes, elapsed));
    reads_->setText(perSecond(counts.reads, lastCounts_.reads, elapsed));
    dropped_->setText(QString::number(counts.dropped));
    lastCounts_ = {counts.writes, counts.reads};
}

void BoardMonitor::showBoard() {
    if (!holdings_) {
        return;
    }
    const BoardHoldings held = holdings_();
    boardRegisters_->setText(registers(held.dataLines, held.controlRegister));
    boardWords_->setText(
        QString("%1, %2, %3")
            .arg(orNone(held.controlWord), orNone(held.referenceWord), orNone(held.dividerWord)));
    boardLock_->setText(held.locked && held.receiveKHz ? "locked at " + megahertz(*held.receiveKHz)
                                                       : QString("not locked"));
    boardStation_->setText(held.station.empty() ? QString("only noise")
                                                : QString::fromStdString(held.station));
}

}  // namespace orvex
