#pragma once

#include <QLabel>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <deque>
#include <functional>

#include "ui/widgets/AccessibleAnnouncer.h"

namespace orvex {

// The line under the panel where the operator reads what happened: the latest few messages,
// newest last, each wrapped or cut short inside the line's own box (its size never follows its
// text, so a long path cannot widen the window). Messages go once their cause is gone or after a
// while; a note for the control under the mouse shows below them while the mouse rests there.
class MessageLine : public QLabel {
    Q_OBJECT

public:
    enum class Kind {
        Confirmation,  // of what the operator did: gone after ConfirmationLifetime
        Notice,        // to read and maybe act on (a problem, a hint): gone after NoticeLifetime
    };
    static constexpr std::chrono::seconds ConfirmationLifetime{8};
    static constexpr std::chrono::seconds NoticeLifetime{30};
    static constexpr int Kept = 3;

    explicit MessageLine(QWidget* parent = nullptr);

    // Shows `message` as the newest. `lasts`, when given, says whether its cause is still there;
    // it is asked after every handler (review()), and the message goes as soon as it says no.
    void post(const QString& message, Kind kind, std::function<bool()> lasts = {});
    // The note for the control under the mouse; an empty one takes it away.
    void setHoverNote(const QString& note);
    // Drops the messages whose cause is gone.
    void review();

    // The messages kept, oldest first, in full.
    QStringList messages() const;
    // What the line shows, in full: the messages, then the note for the control under the mouse.
    // Screen readers read this; each change is told to them.
    QString fullText() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    using Clock = std::chrono::steady_clock;
    struct Entry {
        QString text;
        Clock::time_point expiry;
        std::function<bool()> lasts;
    };

    QStringList shownTexts() const;
    void dropExpired();
    void layOut();

    std::deque<Entry> entries_;
    QString hoverNote_;
    QTimer expiry_;
    // A label tells its new name itself; the name is its text (see fullText()).
    AccessibleAnnouncer announcer_{*this, AccessibleAnnouncer::ToldByWidget::Name};
};

}  // namespace orvex
