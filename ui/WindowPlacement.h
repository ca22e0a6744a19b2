#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "core/Messages.h"
#include "settings/IniFileStore.h"

namespace orvex {

class ReceiverForm;

// Where the panel's window was and how far it was zoomed, kept between runs in a file of its own
// (window.ini beside the settings file's default place; keys LEFT, TOP and ZOOM in percent), never
// in the receiver's settings file, whose keys and write moments other tools rely on. Every ending
// of the program is immediate, so nothing can be saved on the way out: the file is saved a moment
// after each change, with the settings file's own care (a lock, one atomic replace). Every zoom
// is the operator's; a move is, once the window manager has placed the window (it has when the
// window first draws).
class WindowPlacement : public QObject, private MessageSink {
    Q_OBJECT

public:
    // Moves and zooms come in bursts while the operator drags; one save follows the last.
    static constexpr std::chrono::milliseconds SaveDelay{400};

    explicit WindowPlacement(std::filesystem::path path, QObject* parent = nullptr);

    // $XDG_CONFIG_HOME/orvex/window.ini (~/.config/orvex/window.ini); none without a home folder.
    static std::optional<std::filesystem::path> defaultPath();
    const std::filesystem::path& path() const { return store_.path(); }

    // Zooms `form` and puts it where the file says (when that place is on a screen), then saves
    // whenever the operator zooms it or, once it has been placed, moves it. Call before the
    // window is shown.
    void attach(ReceiverForm& form);
    // The window has been placed: moves from now on are the operator's.
    bool following() const { return following_; }
    bool savePending() const { return saveTimer_.isActive(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Placement {
        QPoint position;
        int zoomPercent = 100;

        friend bool operator==(const Placement&, const Placement&) = default;
    };

    void post(std::string message) override;
    void restore();
    void changed();
    void save();
    Placement current() const;

    IniFileStore store_;
    QPointer<ReceiverForm> form_;
    std::optional<Placement> saved_;
    QTimer saveTimer_;
    bool following_ = false;
    bool saving_ = false;
    bool toldSaveProblem_ = false;
};

}  // namespace orvex
