#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>

namespace orvex {

// The command line as text that gives back the very bytes it came from. A path may hold bytes
// that are not UTF-8 (a file named on an older system); decoding it as UTF-8 would turn them into
// replacement characters and name another file. Valid UTF-8 is decoded as usual, and each byte
// that is not is kept as a lone surrogate, U+DC80 + byte, as Python keeps file names.
QString argumentText(std::string_view bytes);
QStringList argumentTexts(int argc, const char* const* argv);

// The bytes an argument came from, for a path.
std::string argumentBytes(const QString& text);

}  // namespace orvex
