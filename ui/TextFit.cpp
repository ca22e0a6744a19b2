#include "ui/TextFit.h"

#include <QFontMetrics>
#include <QTextLayout>

namespace orvex {

QStringList fittedLines(const QString& text, const QFont& font, int width, int maxLines) {
    QString flat = text;
    flat.replace(u'\n', u' ');
    QStringList lines;
    if (maxLines <= 0 || width <= 0) {
        return lines;
    }
    QTextLayout layout(flat, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        const int end = line.textStart() + line.textLength();
        if (static_cast<int>(lines.size()) + 1 == maxLines && end < flat.size()) {
            // The rest does not fit: the last line shows as much of it as it can.
            lines << QFontMetrics(font).elidedText(flat.mid(line.textStart()), Qt::ElideRight,
                                                   width);
            break;
        }
        lines << flat.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

}  // namespace orvex
