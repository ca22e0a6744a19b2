#include "ui/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "core/Excerpt.h"
#include "core/NumberText.h"
#include "settings/SettingsPath.h"
#include "ui/PanelZoom.h"
#include "ui/ReceiverForm.h"

namespace orvex {
namespace {

constexpr const char* FileName = "window.ini";
// Saving happens while the operator works the panel: never wait long for another copy's lock.
constexpr std::chrono::milliseconds LockWait{200};
// A restored place must leave this much of the title bar on a screen, to grab it by.
constexpr QPoint TitleBarReach{40, 12};

std::optional<int> wholeNumber(const SettingsSnapshot& file, const char* key) {
    const std::optional<std::string> text = file.value(key);
    const std::optional<double> number = text ? parseNumber(*text) : std::nullopt;
    if (!number || std::abs(*number) > 1e6) {
        return std::nullopt;
    }
    return static_cast<int>(roundHalfEven(*number));
}

}  // namespace

WindowPlacement::WindowPlacement(std::filesystem::path path, QObject* parent)
    : QObject(parent),
      store_(std::move(path), *this, LockWait, WriteRights::ofThisProcess(), "--window-state") {
    saveTimer_.setSingleShot(true);
    saveTimer_.setInterval(SaveDelay);
    connect(&saveTimer_, &QTimer::timeout, this, &WindowPlacement::save);
}

std::optional<std::filesystem::path> WindowPlacement::defaultPath() {
    const std::optional<std::filesystem::path> settings = settingsPath();
    return settings ? std::optional(settings->parent_path() / FileName) : std::nullopt;
}

void WindowPlacement::attach(ReceiverForm& form) {
    form_ = &form;
    restore();
    form.installEventFilter(this);
    connect(&form, &ReceiverForm::zoomChanged, this, &WindowPlacement::changed);
}

// What the file holds is the yardstick for a change: a window the window manager put elsewhere
// saves nothing until the operator zooms or moves it.
void WindowPlacement::restore() {
    const SettingsSnapshot file = store_.load();
    if (const std::optional<std::string> text = file.value("ZOOM")) {
        const std::optional<double> percent = parseNumber(*text);
        if (percent && *percent >= PanelZoom::Smallest * 100 &&
            *percent <= PanelZoom::Largest * 100) {
            form_->setZoom(*percent / 100.0);
        } else {
            post(path().string() + " holds ZOOM=" + excerpt(*text) +
                 ", not a zoom from 100 to 300 percent: the panel opens at 100 %");
        }
    }
    const std::optional<int> left = wholeNumber(file, "LEFT");
    const std::optional<int> top = wholeNumber(file, "TOP");
    if (left && top && QGuiApplication::screenAt(QPoint(*left, *top) + TitleBarReach) != nullptr) {
        form_->move(*left, *top);
    }
    saved_ = current();
    if (left && top) {
        saved_->position = QPoint(*left, *top);
    }
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event) {
    if (watched == form_ && event->type() == QEvent::Paint) {
        following_ = true;
    } else if (watched == form_ && event->type() == QEvent::Move && following_) {
        changed();
    }
    return QObject::eventFilter(watched, event);
}

WindowPlacement::Placement WindowPlacement::current() const {
    return {form_->pos(), static_cast<int>(std::lround(form_->zoom() * 100.0))};
}

// Only what the operator changes is saved: a window never moved or zoomed writes no file.
void WindowPlacement::changed() {
    if (form_ != nullptr && current() != saved_) {
        saveTimer_.start();
    }
}

void WindowPlacement::save() {
    if (form_ == nullptr) {
        return;
    }
    const Placement placement = current();
    saving_ = true;
    const bool saved = store_.save({{"LEFT", std::to_string(placement.position.x())},
                                    {"TOP", std::to_string(placement.position.y())},
                                    {"ZOOM", std::to_string(placement.zoomPercent)}});
    saving_ = false;
    if (saved) {
        saved_ = placement;
        toldSaveProblem_ = false;
    }
}

void WindowPlacement::post(std::string message) {
    // A file that cannot be saved is told once, not after every move.
    if (saving_ && toldSaveProblem_) {
        return;
    }
    toldSaveProblem_ = toldSaveProblem_ || saving_;
    if (form_ != nullptr) {
        form_->statusLine()->post(QString::fromStdString(message), MessageLine::Kind::Notice);
    }
}

}  // namespace orvex
