#include "ui/SurveyWindow.h"

#include <QBuffer>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <array>

#include "controls/MemoryKeys.h"
#include "controls/ReceiverActions.h"
#include "controls/StepTable.h"
#include "controls/SurveyCsv.h"
#include "files/ExportFile.h"
#include "files/PlainReason.h"
#include "ui/SMeterScale.h"

namespace orvex {
namespace {

constexpr int MhzDecimals = 3;

std::vector<double> dbOf(const Sweep& sweep) {
    std::vector<double> db(sweep.bytes.size());
    for (std::size_t i = 0; i < db.size(); ++i) {
        db[i] = sweep.db(i);
    }
    return db;
}

}  // namespace

SurveyWindow::SurveyWindow(ReceiverActions& actions, Survey& survey, SurveyChoices& choices,
                           std::filesystem::path settingsPath, QWidget* owner)
    : QWidget(owner, Qt::Window),
      actions_(actions),
      survey_(survey),
      choices_(choices),
      settingsPath_(std::move(settingsPath)),
      chooseFile_([this](const QString& title, const QString& name, const QString& filter) {
          return QFileDialog::getSaveFileName(this, title, name, filter);
      }) {
    setObjectName("SurveyWindow");
    setWindowTitle("Band survey");
    buildControls();
    showPlan(choices_.load());
    view_->setLevelRange(LowestDbOverS9, HighestDbOverS9);
    view_->setLevelTicks(sMeterTicks());
    connect(&survey_, &Survey::runningChanged, this, &SurveyWindow::showRunning);
    connect(&survey_, &Survey::channelRead, this, &SurveyWindow::channelRead);
    connect(&survey_, &Survey::sweepDone, this, &SurveyWindow::sweepDone);
    connect(&survey_, &Survey::ended, this, [this](SurveyEnd, const QString& note) { tell(note); });
    connect(&actions_.host(), &ReceiverHost::memoryStored, this, &SurveyWindow::showMarks);
    connect(view_, &BandView::cursorMoved, this, &SurveyWindow::showCursor);
    connect(view_, &BandView::channelActivated, this, &SurveyWindow::tuneTo);
    showRunning(survey_.running());
    showMarks();
    zoom_.emplace(*this);
}

void SurveyWindow::buildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    const auto mhzBox = [this](const char* name) {
        auto* box = new QDoubleSpinBox(this);
        box->setObjectName(name);
        box->setRange(BandBottomMHz, BandTopMHz);
        box->setDecimals(MhzDecimals);
        box->setSuffix(" MHz");
        return box;
    };
    low_ = mhzBox("surveyLow");
    high_ = mhzBox("surveyHigh");
    step_ = new QComboBox(this);
    step_->setObjectName("surveyStep");
    for (const StepRow& step : StepRows) {
        step_->addItem(QStringLiteral("%1 kHz").arg(step.stepKHz), int{step.stepKHz});
    }
    dwell_ = new QSpinBox(this);
    dwell_->setObjectName("surveyDwell");
    dwell_->setRange(0, static_cast<int>(LongestDwell.count()));
    dwell_->setSuffix(" ms");
    start_ = new QPushButton("Start", this);
    start_->setObjectName("surveyStart");
    connect(start_, &QPushButton::clicked, this, &SurveyWindow::startOrStop);
    const auto labelled = [this, row](const QString& text, QWidget* control) {
        auto* label = new QLabel(text, this);
        label->setBuddy(control);
        row->addWidget(label);
        row->addWidget(control);
    };
    labelled("&From", low_);
    labelled("&to", high_);
    labelled("&Step", step_);
    labelled("&Dwell", dwell_);
    row->addStretch();
    row->addWidget(start_);
    layout->addLayout(row);

    view_ = new BandView(this);
    view_->setObjectName("surveyView");
    view_->setAccessibleName("Band survey: level against frequency and the waterfall");
    layout->addWidget(view_, 1);

    auto* bottom = new QHBoxLayout;
    status_ = new QLabel(this);
    status_->setObjectName("surveyStatus");
    status_->setWordWrap(true);
    bottom->addWidget(status_, 1);
    auto* exportCsv = new QPushButton("Export sweeps…", this);
    connect(exportCsv, &QPushButton::clicked, this, [this] {
        const QString path =
            chooseFile_("Export the sweeps", "survey.csv", "rtl_power CSV (*.csv)");
        if (!path.isEmpty()) {
            exportSweeps(path);
        }
    });
    auto* exportPng = new QPushButton("Save picture…", this);
    connect(exportPng, &QPushButton::clicked, this, [this] {
        const QString path = chooseFile_("Save the picture", "survey.png", "PNG picture (*.png)");
        if (!path.isEmpty()) {
            exportPicture(path);
        }
    });
    bottom->addWidget(exportCsv);
    bottom->addWidget(exportPng);
    layout->addLayout(bottom);
}

void SurveyWindow::showPlan(const SurveyPlan& plan) {
    low_->setValue(mhzFromKHz(plan.lowKHz));
    high_->setValue(mhzFromKHz(plan.highKHz));
    step_->setCurrentIndex(step_->findData(int{plan.stepKHz}));
    dwell_->setValue(static_cast<int>(plan.dwell.count()));
}

SurveyPlan SurveyWindow::plan() const {
    SurveyPlan plan;
    plan.lowKHz = static_cast<std::int32_t>(std::lround(kHzFromMHz(low_->value())));
    plan.highKHz = static_cast<std::int32_t>(std::lround(kHzFromMHz(high_->value())));
    plan.stepKHz = static_cast<std::int16_t>(step_->currentData().toInt());
    plan.dwell = std::chrono::milliseconds(dwell_->value());
    return plan;
}

void SurveyWindow::startOrStop() {
    if (survey_.running()) {
        survey_.stop();
        return;
    }
    const SurveyPlan wanted = plan();
    if (const std::optional<std::string> problem = planProblem(wanted)) {
        tell("Cannot survey: " + QString::fromStdString(*problem));
        return;
    }
    choices_.save(wanted);
    const ActionResult started = survey_.start(wanted);
    if (!started.succeeded()) {
        tell("Cannot survey: " + QString::fromStdString(describe(started.refusal)));
        return;
    }
    view_->setGrid(wanted.lowKHz, wanted.stepKHz, wanted.channels());
    showTraces();
    tell(QStringLiteral("Surveying %1 channels…").arg(wanted.channels()));
}

void SurveyWindow::showRunning(bool running) {
    start_->setText(running ? "Stop" : "Start");
    for (QWidget* choice : std::array<QWidget*, 4>{low_, high_, step_, dwell_}) {
        choice->setEnabled(!running);
    }
}

void SurveyWindow::channelRead(int index) {
    // The latest trace grows as the sweep goes; a repaint is coalesced by Qt, so this costs little.
    if (index % 8 == 0 || index + 1 == survey_.plan().channels()) {
        showTraces();
        status_->setText(QStringLiteral("Sweep %1: %2 of %3 channels")
                             .arg(survey_.sweepsDone() + 1)
                             .arg(index + 1)
                             .arg(survey_.plan().channels()));
    }
}

void SurveyWindow::sweepDone(const Sweep& sweep) {
    history_.add(sweep);
    view_->addWaterfallRow(dbOf(sweep));
    showTraces();
}

void SurveyWindow::showTraces() {
    const Sweep& sweep =
        survey_.running() || history_.sweeps().empty() ? survey_.sweep() : history_.sweeps().back();
    view_->setTraces(dbOf(sweep), history_.peakDb(), history_.averageDb());
    if (const auto channel = view_->cursorChannel()) {
        showCursor(*channel);
    }
}

void SurveyWindow::showMarks() {
    QList<BandView::Mark> marks;
    const Receiver& receiver = actions_.receiver();
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        const ChannelMemory memory = receiver.memory(channel);
        if (memory.status == ChannelMemory::Status::Valid) {
            marks.append({memory.frequencyKHz, QStringLiteral("Ch-%1").arg(channel)});
        }
    }
    view_->setMarks(marks);
}

// The latest reading on the channel, or the last sweep's while a new one has not reached it.
void SurveyWindow::showCursor(int channel) {
    if (channel < 0) {
        view_->setCursorText({});
        return;
    }
    const double kHz = view_->channelKHz(channel);
    QString text = QString::fromStdString(megahertzText(kHz));
    const auto index = static_cast<std::size_t>(channel);
    const Sweep* read = survey_.sweep().bytes.size() > index ? &survey_.sweep() : nullptr;
    if (read == nullptr && !history_.sweeps().empty() &&
        history_.sweeps().back().bytes.size() > index) {
        read = &history_.sweeps().back();
    }
    if (read != nullptr && read->channelKHz(index) == kHz) {
        text += "  " + sMeterReading(read->level(index));
    }
    view_->setCursorText(text);
}

void SurveyWindow::tuneTo(int channel) {
    if (survey_.running()) {
        tell("Stop the survey to tune to a channel of it");
        return;
    }
    const double kHz = view_->channelKHz(channel);
    const ActionResult tuned = actions_.tuneTo(mhzFromKHz(kHz));
    if (!tuned.succeeded()) {
        tell("Cannot tune there: " + QString::fromStdString(describe(tuned.refusal)));
    }
}

QString SurveyWindow::statusText() const {
    return status_->text();
}

void SurveyWindow::tell(const QString& text) {
    status_->setText(text);
}

void SurveyWindow::exportSweeps(const QString& path) {
    QByteArray bytes;
    for (const Sweep& sweep : history_.sweeps()) {
        bytes += QByteArray::fromStdString(rtlPowerLine(sweep));
    }
    save(path, bytes, "the sweeps");
}

void SurveyWindow::exportPicture(const QString& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    grab().save(&buffer, "PNG");
    save(path, bytes, "the picture");
}

void SurveyWindow::save(const QString& path, const QByteArray& bytes, const QString& what) {
    try {
        exportFile(QFile::encodeName(path).toStdString(), bytes.toStdString(), settingsPath_);
        tell(QStringLiteral("Saved %1 in %2").arg(what, path));
    } catch (const FileProblem& problem) {
        tell(QStringLiteral("Cannot save %1 in %2: %3").arg(what, path, problem.what()));
    }
}

void SurveyWindow::setZoom(double zoom) {
    view_->setZoom(zoom);
    zoom_->apply(*this, zoom);
}

}  // namespace orvex
