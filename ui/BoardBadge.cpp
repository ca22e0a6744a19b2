#include "ui/BoardBadge.h"

#include <QEvent>
#include <QFontMetrics>
#include <algorithm>

#include "core/Messages.h"
#include "ui/Accessibility.h"
#include "ui/TextFit.h"

namespace orvex {
namespace {

const QString Separator = QStringLiteral(" \u00b7 ");

}  // namespace

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

void BoardBadge::setSegment(const QString& key, const QString& text, const QString& explanation) {
    const auto found = std::find_if(segments_.begin(), segments_.end(),
                                    [&key](const Segment& segment) { return segment.key == key; });
    if (text.isEmpty()) {
        if (found == segments_.end()) {
            return;
        }
        segments_.erase(found);
    } else if (found == segments_.end()) {
        segments_.push_back({key, text, explanation});
    } else if (found->text != text || found->explanation != explanation) {
        found->text = text;
        found->explanation = explanation;
    } else {
        return;
    }
    announcer_.changed();
    layOut();
}

QString BoardBadge::segment(const QString& key) const {
    for (const Segment& segment : segments_) {
        if (segment.key == key) {
            return segment.text;
        }
    }
    return {};
}

QString BoardBadge::fullText() const {
    QStringList lines;
    for (const Segment& segment : segments_) {
        lines << (segment.explanation.isEmpty() ? segment.text
                                                : segment.text + ": " + segment.explanation);
    }
    return lines.join(u'\n');
}

// The segments one after another; one that does not fit the rest of a line starts the next, and
// one longer than a whole line wraps inside it.
void BoardBadge::layOut() {
    const QRect box = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const QFontMetrics metrics = fontMetrics();
    const int maxLines = std::max(1, box.height() / std::max(1, metrics.lineSpacing()));
    QStringList lines;
    for (const Segment& segment : segments_) {
        if (!lines.isEmpty()) {
            const QString joined = lines.last() + Separator + segment.text;
            if (metrics.horizontalAdvance(joined) <= box.width()) {
                lines.last() = joined;
                continue;
            }
            lines.last() += QStringLiteral(" \u00b7");
        }
        lines << fittedLines(segment.text, font(), box.width(), maxLines);
    }
    if (lines.size() > maxLines) {
        lines = lines.mid(0, maxLines);
        lines.last() = metrics.elidedText(lines.last() + QStringLiteral("\u2026"), Qt::ElideRight,
                                          box.width());
    }
    setText(lines.join(u'\n'));
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

BoardSegment boardSegment(const QString& name, const QString& note, const QString& described) {
    QString board = name;
    if (!board.isEmpty()) {
        board[0] = board[0].toUpper();
    }
    if (!note.isEmpty()) {
        return {board, note};
    }
    if (described.isEmpty() || described.compare(name, Qt::CaseInsensitive) == 0) {
        return {board, {}};
    }
    if (described.startsWith(u'/')) {
        return {board + " " + described, {}};
    }
    if (described == QString::fromUtf8(NoPortChosen)) {
        return {board + ": no port chosen", described};
    }
    return {board + " unreachable", described};
}

}  // namespace orvex
