#include "settings/IniLine.h"

#include <algorithm>

namespace orvex {
namespace {

// Editors on Windows often start a UTF-8 file with a byte-order mark; the first line still has
// to be recognised as the header it is.
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

void classify(IniLine& line, std::string_view meaning) {
    const std::string_view trimmed = trimBlanks(meaning);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') {
        return;
    }
    if (trimmed.front() == '[') {
        // Whatever follows the closing bracket is ignored; a "[" line without one means nothing.
        const std::size_t close = trimmed.find(']');
        if (close != std::string_view::npos) {
            line.kind = IniLine::Kind::Section;
            line.name = trimBlanks(trimmed.substr(1, close - 1));
        }
        return;
    }
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos) {
        return;
    }
    const std::string_view key = trimBlanks(trimmed.substr(0, equals));
    if (key.empty()) {
        return;
    }
    line.kind = IniLine::Kind::Entry;
    line.name = key;
    line.value = trimBlanks(trimmed.substr(equals + 1));
}

}  // namespace

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

IniLine readIniLine(std::string_view bytes, std::size_t offset) {
    IniLine line;
    line.offset = offset;
    const std::size_t stop = bytes.find_first_of("\r\n", offset);
    if (stop == std::string_view::npos) {
        line.text = bytes.substr(offset);
    } else {
        const bool crlf = bytes[stop] == '\r' && stop + 1 < bytes.size() && bytes[stop + 1] == '\n';
        line.text = bytes.substr(offset, stop - offset);
        line.ending = bytes.substr(stop, crlf ? 2 : 1);
    }
    std::string_view meaning = line.text;
    if (offset == 0 && meaning.starts_with(ByteOrderMark)) {
        meaning.remove_prefix(ByteOrderMark.size());
    }
    classify(line, meaning);
    return line;
}

}  // namespace orvex
