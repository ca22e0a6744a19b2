#include "settings/IniText.h"

#include "settings/IniLine.h"

namespace orvex {

std::string notAnIniText(std::string_view bytes) {
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    int number = 0;
    for (std::size_t offset = 0; offset < bytes.size();) {
        const IniLine line = readIniLine(bytes, offset);
        offset = line.end();
        ++number;
        if (line.kind == IniLine::Kind::Section) {
            return {};
        }
        std::string_view text = line.text;
        if (number == 1 && text.starts_with(ByteOrderMark)) {
            text.remove_prefix(ByteOrderMark.size());
        }
        text = trimBlanks(text);
        if (!text.empty() && text.front() != ';' && text.front() != '#') {
            return "line " + std::to_string(number) +
                   ", its first line that is no comment, is no [SECTION] header";
        }
    }
    return {};
}

}  // namespace orvex
