#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace orvex {

// `text` wrapped at word boundaries into lines no wider than `width` in `font`, at most
// `maxLines` of them; when the text goes on beyond, the last line ends in an ellipsis. Line
// breaks in the text count as blanks.
QStringList fittedLines(const QString& text, const QFont& font, int width, int maxLines);

}  // namespace orvex
