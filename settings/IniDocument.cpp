#include "settings/IniDocument.h"

#include <optional>
#include <stdexcept>

#include "settings/IniLine.h"

namespace orvex {
namespace {

bool hasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

bool hasOuterBlank(std::string_view text) {
    return !text.empty() && (isBlank(text.front()) || isBlank(text.back()));
}

// Where set() puts the key, found in one pass over the text.
struct Placement {
    std::string_view lineEnding = "\n";  // of the first line that has one
    bool endingSeen = false;
    std::optional<IniLine> lastMatch;  // the key's winning line
    std::optional<IniLine> anchor;     // the last entry, else the header, of the last section
    bool endsWithoutLineEnding = false;
};

Placement findPlacement(std::string_view bytes, std::string_view section, std::string_view key) {
    Placement found;
    bool inSection = false;
    forEachIniLine(bytes, [&](const IniLine& line) {
        if (!found.endingSeen && !line.ending.empty()) {
            found.lineEnding = line.ending;
            found.endingSeen = true;
        }
        found.endsWithoutLineEnding = line.ending.empty();
        if (line.kind == IniLine::Kind::Section) {
            inSection = sameName(line.name, section);
            if (inSection) {
                found.anchor = line;
            }
        } else if (line.kind == IniLine::Kind::Entry && inSection) {
            found.anchor = line;
            if (sameName(line.name, key)) {
                found.lastMatch = line;
            }
        }
    });
    return found;
}

}  // namespace

IniDocument::Entries IniDocument::entries(std::string_view section) const {
    Entries result;
    bool inSection = false;
    forEachIniLine(bytes_, [&](const IniLine& line) {
        if (line.kind == IniLine::Kind::Section) {
            inSection = sameName(line.name, section);
        } else if (line.kind == IniLine::Kind::Entry && inSection) {
            result.emplace_back(line.name, line.value);
        }
    });
    return result;
}

std::string IniDocument::problemWith(std::string_view section, std::string_view key,
                                     std::string_view value) {
    if (section.empty() || hasOuterBlank(section) || hasLineBreak(section) ||
        section.find(']') != std::string_view::npos) {
        return "the section name \"" + std::string(section) + "\" cannot stand in a header";
    }
    if (key.empty() || hasOuterBlank(key) || hasLineBreak(key) ||
        key.find('=') != std::string_view::npos || key.front() == '[' || key.front() == ';' ||
        key.front() == '#') {
        return "the key \"" + std::string(key) + "\" cannot stand on a line of its own";
    }
    if (hasLineBreak(value)) {
        return "the value for " + std::string(key) + " contains a line break";
    }
    if (hasOuterBlank(value)) {
        return "the value for " + std::string(key) + " begins or ends with a blank";
    }
    return {};
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    if (const std::string problem = problemWith(section, key, value); !problem.empty()) {
        throw std::invalid_argument(problem);
    }
    const Placement found = findPlacement(bytes_, section, key);
    const std::string eol(found.lineEnding);

    if (found.lastMatch) {
        const IniLine& line = *found.lastMatch;
        const std::string replacement = std::string(line.name) + "=" + std::string(value);
        bytes_.replace(line.offset, line.text.size(), replacement);
        return;
    }
    const std::string entry = std::string(key) + "=" + std::string(value);
    if (found.anchor) {
        const IniLine& line = *found.anchor;
        if (line.ending.empty()) {
            // Only the text's last line can lack an ending; the new entry needs one before it.
            bytes_ += eol + entry + eol;
        } else {
            // The entry ends like the line before it. The file's first ending could be a lone
            // "\r" which, put before a following "\n", would read as one "\r\n" and swallow the
            // blank line after the entry.
            bytes_.insert(line.end(), entry + std::string(line.ending));
        }
        return;
    }
    if (found.endsWithoutLineEnding) {
        bytes_ += eol;
    }
    bytes_ += "[" + std::string(section) + "]" + eol + entry + eol;
}

}  // namespace orvex
