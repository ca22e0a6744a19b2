#pragma once

#include <cstddef>
#include <string_view>

// One line of an INI text as a reader sees it. The text is raw bytes: anything at all may be in
// it, so nothing here assumes valid UTF-8, a final line ending or one kind of line ending.
namespace orvex {

struct IniLine {
    enum class Kind {
        Other,    // blank, comment (";" or "#"), or a line that means nothing, such as one without
                  // "="
        Section,  // "[NAME]": name is NAME without the blanks around it
        Entry,    // "KEY=value": name is the key, value the value, both without surrounding blanks
    };

    std::size_t offset = 0;   // where the line starts in the text
    std::string_view text;    // the line without its ending
    std::string_view ending;  // "\n", "\r\n", "\r", or empty on a last line that has none
    Kind kind = Kind::Other;
    std::string_view name;
    std::string_view value;

    std::size_t end() const { return offset + text.size() + ending.size(); }
};

// The line that starts at offset, which must lie inside bytes.
IniLine readIniLine(std::string_view bytes, std::size_t offset);

// Calls visit(line) for every line of bytes, in order.
template <typename Visit>
void forEachIniLine(std::string_view bytes, Visit&& visit) {
    for (std::size_t offset = 0; offset < bytes.size();) {
        const IniLine line = readIniLine(bytes, offset);
        visit(line);
        offset = line.end();
    }
}

// Section names and keys match regardless of the case of their ASCII letters, whatever the
// process locale says.
bool sameName(std::string_view a, std::string_view b);

// Space and tab, the blanks that readers trim around names and values.
bool isBlank(char c);
std::string_view trimBlanks(std::string_view text);

}  // namespace orvex
