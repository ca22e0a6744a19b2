#include "ui/BoardBadge.h"

#include <QEvent>
#include <QFontMetrics>
#include <algorithm>

#include "ui/Accessibility.h"
#include "ui/TextFit.h"

namespace orvex {

BoardBadge::BoardBadge(QWidget* parent) : QLabel(parent) {
    setObjectName("BoardBadge");
    setAccessibleDescription("Board in use");
    installWindowAccessibility();
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setMargin(2);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

void BoardBadge::setSegment(const QString& key, const QString& text) {
    const auto found = std::find_if(segments_.begin(), segments_.end(),
                                    [&key](const auto& segment) { return segment.first == key; });
    if (text.isEmpty()) {
        if (found == segments_.end()) {
            return;
        }
        segments_.erase(found);
    } else if (found == segments_.end()) {
        segments_.emplace_back(key, text);
    } else if (found->second != text) {
        found->second = text;
    } else {
        return;
    }
    announcer_.changed();
    layOut();
}

QString BoardBadge::segment(const QString& key) const {
    for (const auto& [segmentKey, text] : segments_) {
        if (segmentKey == key) {
            return text;
        }
    }
    return {};
}

QString BoardBadge::fullText() const {
    QStringList lines;
    for (const auto& segment : segments_) {
        lines << segment.second;
    }
    return lines.join(u'\n');
}

// Each segment starts on a line of its own; the earlier ones keep their lines first.
void BoardBadge::layOut() {
    const QRect box = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    int linesLeft = std::max(1, box.height() / std::max(1, fontMetrics().lineSpacing()));
    QStringList shown;
    for (const auto& segment : segments_) {
        if (linesLeft <= 0) {
            break;
        }
        const QStringList lines = fittedLines(segment.second, font(), box.width(), linesLeft);
        shown << lines;
        linesLeft -= static_cast<int>(lines.size());
    }
    setText(shown.join(u'\n'));
}

void BoardBadge::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    layOut();
}

void BoardBadge::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        layOut();
    }
}

QString boardSegment(const QString& name, const QString& note, const QString& described) {
    QString board = name;
    if (!board.isEmpty()) {
        board[0] = board[0].toUpper();
    }
    if (!note.isEmpty()) {
        return board + ": " + note;
    }
    if (described.isEmpty() || described.compare(name, Qt::CaseInsensitive) == 0) {
        return board;
    }
    // A board on a device names its path; one that cannot reach its device says why.
    return described.startsWith(u'/') ? board + " " + described : board + ": " + described;
}

}  // namespace orvex
