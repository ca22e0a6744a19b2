#include "ui/MessageLine.h"

#include <QEvent>
#include <QFontMetrics>
#include <algorithm>

#include "ui/Accessibility.h"
#include "ui/TextFit.h"

namespace orvex {

MessageLine::MessageLine(QWidget* parent) : QLabel(parent) {
    setObjectName("StatusLine");
    setAccessibleDescription("Status line");
    installWindowAccessibility();
    // A message is text, never markup: a path may hold '<'.
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMargin(3);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    expiry_.setSingleShot(true);
    connect(&expiry_, &QTimer::timeout, this, [this] {
        dropExpired();
        layOut();
    });
}

void MessageLine::post(const QString& message, Kind kind, std::function<bool()> lasts) {
    const std::chrono::milliseconds lifetime =
        kind == Kind::Confirmation ? ConfirmationLifetime : NoticeLifetime;
    entries_.push_back({message, Clock::now() + lifetime, std::move(lasts)});
    while (entries_.size() > Kept) {
        entries_.pop_front();
    }
    layOut();
}

void MessageLine::setHoverNote(const QString& note) {
    if (note != hoverNote_) {
        hoverNote_ = note;
        layOut();
    }
}

void MessageLine::review() {
    const auto gone = [](const Entry& entry) { return entry.lasts && !entry.lasts(); };
    if (std::any_of(entries_.begin(), entries_.end(), gone)) {
        std::erase_if(entries_, gone);
        layOut();
    }
}

QStringList MessageLine::shownTexts() const {
    QStringList texts = messages();
    if (!hoverNote_.isEmpty()) {
        texts << hoverNote_;
    }
    return texts;
}

QString MessageLine::fullText() const {
    return shownTexts().join(u'\n');
}

QStringList MessageLine::messages() const {
    QStringList texts;
    for (const Entry& entry : entries_) {
        texts << entry.text;
    }
    return texts;
}

void MessageLine::dropExpired() {
    const auto now = Clock::now();
    std::erase_if(entries_, [now](const Entry& entry) { return entry.expiry <= now; });
}

// The newest message first gets the lines it needs, then the older ones, each cut short at the
// lines left; they are shown oldest first.
void MessageLine::layOut() {
    announcer_.changed();
    const QStringList texts = shownTexts();
    const QRect box = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    int linesLeft = std::max(1, box.height() / std::max(1, fontMetrics().lineSpacing()));
    QStringList shown;
    for (auto text = texts.crbegin(); text != texts.crend() && linesLeft > 0; ++text) {
        const QStringList lines = fittedLines(*text, font(), box.width(), linesLeft);
        shown = lines + shown;
        linesLeft -= static_cast<int>(lines.size());
    }
    setText(shown.join(u'\n'));

    expiry_.stop();
    if (!entries_.empty()) {
        const auto next =
            std::min_element(entries_.begin(), entries_.end(),
                             [](const Entry& a, const Entry& b) { return a.expiry < b.expiry; });
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(next->expiry - Clock::now());
        expiry_.start(std::max(wait, std::chrono::milliseconds(0)));
    }
}

void MessageLine::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    layOut();
}

void MessageLine::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        layOut();
    }
}

}  // namespace orvex
