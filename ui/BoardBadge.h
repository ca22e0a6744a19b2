#pragma once

#include <QLabel>
#include <QString>
#include <utility>
#include <vector>

#include "ui/widgets/AccessibleAnnouncer.h"

namespace orvex {

// The box beside the status line that says, for as long as it holds, what the program is
// connected to: the board in use and, while it is simulated or cannot be reached, why and the
// one-line fix. Other parts of the program add segments of their own (a remote-control server
// and its clients, a running trace and its size); each segment is a line, kept in the order
// segments were first set. Text that does not fit the box is cut short there; fullText() has all,
// and is what screen readers read.
class BoardBadge : public QLabel {
    Q_OBJECT

public:
    // The board's segment.
    static constexpr const char* BoardKey = "board";

    explicit BoardBadge(QWidget* parent = nullptr);

    // Sets the segment `key` to `text`; an empty text removes it.
    void setSegment(const QString& key, const QString& text);
    QString segment(const QString& key) const;
    // Every segment in full, one a line.
    QString fullText() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void layOut();

    std::vector<std::pair<QString, QString>> segments_;
    // A label tells its new name itself; the name is its text (see fullText()).
    AccessibleAnnouncer announcer_{*this, AccessibleAnnouncer::ToldByWidget::Name};
};

// The board segment: "Simulated board", "Parallel port /dev/parport0", or the board and why it
// cannot be reached with the fix ("Parallel port: No permission to use /dev/parport0: join …").
// `name` is the board asked for, `note` why another was taken instead, `described` what the board
// says of itself (the device path, or the reason it has none).
QString boardSegment(const QString& name, const QString& note, const QString& described);

}  // namespace orvex
