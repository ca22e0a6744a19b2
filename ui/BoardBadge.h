#pragma once

#include <QLabel>
#include <QString>
#include <vector>

#include "ui/widgets/AccessibleAnnouncer.h"

namespace orvex {

// The box beside the status line that says, for as long as it holds, what the program is
// connected to: the board in use, and what other parts of the program add (a remote-control
// server and its clients, a running trace and its size). Each segment is a few words, shown one
// after another ("Simulated board · trace 128 KiB · rigctl 127.0.0.1:4532, 1 client"), a line
// broken only between segments where it can be, so the box holds them at every zoom; the reason
// and the fix behind a segment go with it to the hover note and the help (fullText(), which is
// also what screen readers read).
class BoardBadge : public QLabel {
    Q_OBJECT

public:
    // The board's segment.
    static constexpr const char* BoardKey = "board";

    explicit BoardBadge(QWidget* parent = nullptr);

    // Sets the segment `key` to `text`, with `explanation` (why, and the fix) for the hover note
    // and the help; an empty text removes it. Segments keep the order they were first set in.
    void setSegment(const QString& key, const QString& text, const QString& explanation = {});
    QString segment(const QString& key) const;
    // Every segment with its explanation, one a line.
    QString fullText() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Segment {
        QString key;
        QString text;
        QString explanation;
    };

    void layOut();

    std::vector<Segment> segments_;
    // A label tells its new name itself; the name is its text (see fullText()).
    AccessibleAnnouncer announcer_{*this, AccessibleAnnouncer::ToldByWidget::Name};
};

// What the badge says of the board: the board in a few words and, when it is simulated or cannot
// be reached, why and the fix.
struct BoardSegment {
    QString text;
    QString explanation;
};

// "Simulated board", "Parallel port /dev/parport0", "Parallel port: no port chosen" or "Parallel
// port unreachable". `name` is the board asked for, `note` why another was taken instead,
// `described` what the board says of itself (the device path, or the reason it has none).
BoardSegment boardSegment(const QString& name, const QString& note, const QString& described);

}  // namespace orvex
