#include "ui/ChannelWindow.h"

#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/MemoryCopy.h"
#include "controls/MemoryKeys.h"
#include "controls/StepTable.h"
#include "core/Band.h"
#include "ui/ChannelTable.h"

namespace orvex {
namespace {

constexpr std::chrono::milliseconds SaveDelay{400};
constexpr int NoPriority = -1;

QString megahertz(std::int32_t kHz) {
    return QString::fromStdString(megahertzText(kHz));
}

QPushButton* button(QWidget* parent, const QString& text, const char* name) {
    auto* pushButton = new QPushButton(text, parent);
    pushButton->setObjectName(name);
    return pushButton;
}

}  // namespace

ChannelWindow::ChannelWindow(ChannelBank& bank, ActivityScanner& scanner, ReceiverActions& actions,
                             ScanSettings& settings, QWidget* parent)
    : QWidget(parent, Qt::Window),
      bank_(bank),
      scanner_(scanner),
      actions_(actions),
      settings_(settings),
      chooseFile_([this](bool saving) {
          constexpr const char* Filter = "CHIRP channel lists (*.csv);;All files (*)";
          return saving ? QFileDialog::getSaveFileName(this, "Export the channels", "channels.csv",
                                                       Filter)
                        : QFileDialog::getOpenFileName(this, "Import channels", {}, Filter);
      }) {
    setObjectName("ChannelWindow");
    setWindowTitle("Channels");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildBankButtons());
    buildTable();
    layout->addWidget(view_, 1);
    layout->addWidget(buildScanner());
    report_ = new QPlainTextEdit(this);
    report_->setObjectName("report");
    report_->setReadOnly(true);
    report_->setAccessibleName("Report");
    report_->setMaximumBlockCount(500);
    report_->setFixedHeight(report_->fontMetrics().lineSpacing() * 6);
    layout->addWidget(report_);

    connect(&bank_, &ChannelBank::told, this, &ChannelWindow::say);
    connect(&scanner_, &ActivityScanner::stateChanged, this, &ChannelWindow::showScannerState);
    connect(&scanner_, &ActivityScanner::hitEnded, this, [this](const Hit& hit) {
        const auto seconds = std::chrono::duration<double>(hit.end - hit.start).count();
        say(QString("Activity on %1 %2 for %3 s")
                .arg(megahertz(hit.kHz), QString::fromStdString(hit.name))
                .arg(seconds, 0, 'f', 1));
    });
    saveChoices_.setSingleShot(true);
    saveChoices_.setInterval(SaveDelay);
    connect(&saveChoices_, &QTimer::timeout, this, [this] { settings_.save(choices()); });
    const BankReport& loaded = bank_.lastLoad();
    if (!loaded.allTaken()) {
        for (const std::string& line : loaded.lines()) {
            say(QString::fromStdString(line));
        }
    }
    showScannerState();
    resize(760, 560);
}

void ChannelWindow::buildTable() {
    model_ = new ChannelTable(bank_, scanner_, this);
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(model_);
    sorted_->setSortRole(Qt::UserRole);
    view_ = new QTableView(this);
    view_->setObjectName("channelTable");
    view_->setAccessibleName("Channel bank");
    view_->setModel(sorted_);
    view_->setSortingEnabled(true);
    view_->sortByColumn(ChannelTable::Location, Qt::AscendingOrder);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    // A double click tunes; a click on the selected cell or F2 edits it.
    view_->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    QHeaderView* header = view_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(ChannelTable::Comment, QHeaderView::Stretch);
    view_->verticalHeader()->hide();
    view_->installEventFilter(this);
    connect(view_, &QTableView::doubleClicked, this, [this] { tuneToSelected(); });
}

QWidget* ChannelWindow::buildBankButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto add = [&](const QString& text, const char* name, auto action) {
        QPushButton* pushButton = button(row, text, name);
        connect(pushButton, &QPushButton::clicked, this, action);
        layout->addWidget(pushButton);
        return pushButton;
    };
    add("&Add shown frequency", "add", [this] { addShownFrequency(); });
    add("&Tune", "tune", [this] { tuneToSelected(); });
    add("&Delete", "delete", [this] { deleteSelected(); });
    add("&Import…", "import", [this] { importFile(chooseFile_(false)); });
    add("&Export…", "export", [this] { exportFile(chooseFile_(true)); });
    for (const bool into : {true, false}) {
        auto* menuButton = new QToolButton(row);
        menuButton->setObjectName(into ? "copyTo" : "copyFrom");
        menuButton->setText(into ? "Copy to Ch-n" : "Copy from Ch-n");
        menuButton->setPopupMode(QToolButton::InstantPopup);
        auto* menu = new QMenu(menuButton);
        for (int memory = 1; memory <= ChannelCount; ++memory) {
            menu->addAction(QString("Ch-%1").arg(memory), this, [this, into, memory] {
                into ? copyToMemory(memory) : copyFromMemory(memory);
            });
        }
        menuButton->setMenu(menu);
        layout->addWidget(menuButton);
    }
    layout->addStretch();
    return row;
}

QWidget* ChannelWindow::buildScanner() {
    auto* box = new QGroupBox("Activity scanner", this);
    auto* layout = new QVBoxLayout(box);
    auto* buttons = new QHBoxLayout;
    const auto add = [&](QPushButton* pushButton, auto action) {
        connect(pushButton, &QPushButton::clicked, this, action);
        buttons->addWidget(pushButton);
    };
    add(button(box, "Scan the &bank", "scanBank"), [this] { scanBank(); });
    add(button(box, "Scan the &range", "scanRange"), [this] { scanRange(); });
    add(button(box, "&Stop", "stopScan"), [this] { scanner_.stop(); });
    add(button(box, "Hit &log…", "hitLog"), [this] { chooseHitLog(); });
    scanState_ = new QLabel(box);
    scanState_->setObjectName("scanState");
    buttons->addWidget(scanState_, 1);
    layout->addLayout(buttons);

    const ScanChoices& saved = settings_.choices();
    auto* form = new QFormLayout;
    auto* timing = new QHBoxLayout;
    dwell_ = new QSpinBox(box);
    dwell_->setObjectName("dwell");
    dwell_->setRange(static_cast<int>(ScanOptions{}.dwell.count()), 10'000);
    dwell_->setSuffix(" ms");
    dwell_->setValue(static_cast<int>(saved.options.dwell.count()));
    resume_ = new QDoubleSpinBox(box);
    resume_->setObjectName("resumeDelay");
    resume_->setRange(0.0, 600.0);
    resume_->setDecimals(1);
    resume_->setSuffix(" s");
    resume_->setValue(std::chrono::duration<double>(saved.options.resumeDelay).count());
    priority_ = new QSpinBox(box);
    priority_->setObjectName("priority");
    priority_->setRange(NoPriority, 999'999);
    priority_->setSpecialValueText("none");
    priority_->setValue(saved.options.priorityLocation.value_or(NoPriority));
    for (auto [label, field] : {std::pair<const char*, QWidget*>{"Dwell", dwell_},
                                {"Resume after", resume_},
                                {"Priority Location", priority_}}) {
        auto* caption = new QLabel(label, box);
        caption->setBuddy(field);
        field->setAccessibleName(label);
        timing->addWidget(caption);
        timing->addWidget(field);
    }
    timing->addStretch();
    form->addRow("Each channel:", timing);

    auto* range = new QHBoxLayout;
    const auto megahertzBox = [box](const char* name, std::int32_t kHz) {
        auto* spin = new QDoubleSpinBox(box);
        spin->setObjectName(name);
        spin->setDecimals(3);
        spin->setRange(BandBottomMHz, BandTopMHz);
        spin->setSingleStep(0.005);
        spin->setSuffix(" MHz");
        spin->setValue(mhzFromKHz(kHz));
        return spin;
    };
    low_ = megahertzBox("rangeLow", saved.range.lowKHz);
    high_ = megahertzBox("rangeHigh", saved.range.highKHz);
    step_ = new QSpinBox(box);
    step_->setObjectName("rangeStep");
    step_->setRange(FineStep.stepKHz, BandTopKHz - BandBottomKHz);
    step_->setSingleStep(FineStep.stepKHz);
    step_->setSuffix(" kHz");
    step_->setValue(saved.range.stepKHz);
    for (auto [label, field] :
         {std::pair<const char*, QWidget*>{"from", low_}, {"to", high_}, {"step", step_}}) {
        range->addWidget(new QLabel(label, box));
        range->addWidget(field);
    }
    range->addStretch();
    form->addRow("Range:", range);
    hitLog_ = new QLabel("Hits are not logged.", box);
    hitLog_->setObjectName("hitLogPath");
    form->addRow("Hit log:", hitLog_);
    layout->addLayout(form);

    scanner_.setOptions(saved.options);
    for (QSpinBox* spin : {dwell_, priority_, step_}) {
        connect(spin, &QSpinBox::valueChanged, this, &ChannelWindow::optionsChanged);
    }
    for (QDoubleSpinBox* spin : {resume_, low_, high_}) {
        connect(spin, &QDoubleSpinBox::valueChanged, this, &ChannelWindow::optionsChanged);
    }
    return box;
}

ScanChoices ChannelWindow::choices() const {
    ScanChoices choices;
    choices.options.dwell = std::chrono::milliseconds(dwell_->value());
    choices.options.resumeDelay =
        std::chrono::milliseconds(static_cast<long long>(std::lround(resume_->value() * 1e3)));
    if (priority_->value() != NoPriority) {
        choices.options.priorityLocation = priority_->value();
    }
    choices.options.priorityEvery = scanner_.options().priorityEvery;
    choices.range = {static_cast<std::int32_t>(std::lround(kHzFromMHz(low_->value()))),
                     static_cast<std::int32_t>(std::lround(kHzFromMHz(high_->value()))),
                     step_->value()};
    return choices;
}

void ChannelWindow::optionsChanged() {
    scanner_.setOptions(choices().options);
    saveChoices_.start();
}

QString ChannelWindow::report() const {
    return report_->toPlainText();
}

void ChannelWindow::say(const QString& text) {
    report_->appendPlainText(text);
}

void ChannelWindow::sayResult(const ActionResult& result, const QString& done,
                              const QString& what) {
    if (result.succeeded()) {
        say(done);
    } else if (result.status == ActionResult::Status::SaveFailed) {
        say(done + ", but the settings file could not be saved");
    } else {
        say(what + " was refused: " + QString::fromStdString(describe(result.refusal)) + ".");
    }
}

std::optional<Channel> ChannelWindow::selected() const {
    const QModelIndexList rows = view_->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        return std::nullopt;
    }
    return model_->channel(sorted_->mapToSource(rows.front()).row());
}

void ChannelWindow::addShownFrequency() {
    const Receiver& receiver = actions_.receiver();
    const std::optional<std::int32_t> shown = receiver.displayedKHz();
    if (!shown) {
        say("The display shows no frequency yet: switch the receiver on first.");
        return;
    }
    Channel channel;
    channel.location = bank_.nextLocation();
    channel.kHz = *shown;
    channel.stepKHz = receiver.stepKHz();
    if (bank_.put(channel.location, channel)) {
        say(QString("Location %1: %2 added.").arg(channel.location).arg(megahertz(channel.kHz)));
        view_->selectRow(
            sorted_->mapFromSource(model_->index(model_->rowOf(channel.location), 0)).row());
    }
}

void ChannelWindow::tuneToSelected() {
    if (const std::optional<Channel> channel = selected()) {
        sayResult(tuneToChannel(actions_, *channel), "Tuned to " + megahertz(channel->kHz) + ".",
                  "Tuning to " + megahertz(channel->kHz));
    }
}

void ChannelWindow::deleteSelected() {
    if (const std::optional<Channel> channel = selected();
        channel && bank_.remove(channel->location)) {
        say(QString("Location %1 deleted.").arg(channel->location));
    }
}

void ChannelWindow::importFile(const QString& path) {
    if (path.isEmpty()) {
        return;
    }
    const BankReport report = bank_.importFrom(QFile::encodeName(path).toStdString());
    if (report.problem.empty()) {
        for (const std::string& line : report.lines()) {
            say(QString::fromStdString(line));
        }
    }
}

void ChannelWindow::exportFile(const QString& path) {
    if (!path.isEmpty() && bank_.exportTo(QFile::encodeName(path).toStdString())) {
        say(QString("%1 channels exported to %2.").arg(bank_.channels().size()).arg(path));
    }
}

void ChannelWindow::copyToMemory(int memory) {
    if (const std::optional<Channel> channel = selected()) {
        sayResult(copyIntoMemory(actions_, *channel, memory),
                  QString("Ch-%1 now holds %2.").arg(memory).arg(megahertz(channel->kHz)),
                  QString("Storing into Ch-%1").arg(memory));
    }
}

void ChannelWindow::copyFromMemory(int memory) {
    const std::optional<Channel> channel =
        channelFromMemory(actions_.receiver().memory(memory), memory, bank_.nextLocation());
    if (!channel) {
        say(QString("Ch-%1 holds no channel on the board's grid.").arg(memory));
    } else if (bank_.put(channel->location, *channel)) {
        say(QString("Ch-%1 copied to Location %2.").arg(memory).arg(channel->location));
    }
}

void ChannelWindow::scanBank() {
    sayResult(scanner_.scanBank(), "Scanning the bank.", "The bank scan");
}

void ChannelWindow::scanRange() {
    const ScanRange range = choices().range;
    if (const std::string problem = rangeProblem(range); !problem.empty()) {
        say(QString::fromStdString("The range cannot be scanned: " + problem + "."));
        return;
    }
    sayResult(scanner_.scanRange(range), "Scanning the range.", "The range scan");
}

void ChannelWindow::chooseHitLog() {
    const QString path = chooseFile_(true);
    if (!path.isEmpty() && scanner_.logHitsTo(QFile::encodeName(path).toStdString())) {
        hitLog_->setText(path);
    }
}

void ChannelWindow::showScannerState() {
    const std::optional<std::int32_t> kHz = scanner_.channelKHz();
    switch (scanner_.state()) {
        case ActivityScanner::State::Stopped:
            scanState_->setText("Stopped.");
            break;
        case ActivityScanner::State::Stepping:
            scanState_->setText("Scanning: " + (kHz ? megahertz(*kHz) : QString()));
            break;
        case ActivityScanner::State::Staying:
            scanState_->setText("Activity on " + (kHz ? megahertz(*kHz) : QString()) +
                                ": Space moves on, L locks it out, Shift+L marks it Skip");
            break;
    }
    if (const std::optional<int> location = scanner_.channelLocation()) {
        const int row = model_->rowOf(*location);
        if (row >= 0 && scanner_.state() == ActivityScanner::State::Staying) {
            view_->selectRow(sorted_->mapFromSource(model_->index(row, 0)).row());
        }
    }
}

// The table's keys; an editor open in a cell takes its own keys before the table sees them.
bool ChannelWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view_ || event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            tuneToSelected();
            return true;
        case Qt::Key_Delete:
            deleteSelected();
            return true;
        case Qt::Key_Space:
            scanner_.resume();
            return true;
        case Qt::Key_L:
            if (key->modifiers() & Qt::ShiftModifier) {
                scanner_.skipInBank();
            } else {
                scanner_.lockOut();
            }
            return true;
        default:
            return QWidget::eventFilter(watched, event);
    }
}

}  // namespace orvex
