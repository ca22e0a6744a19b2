#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// An INI text that keeps every byte it was given. Reading interprets the lines; writing a key
// changes or adds exactly one line (two for a new section), so comments, blank lines, odd spacing,
// other sections and other keys, line endings and even bytes that are not text stay as they were.
namespace orvex {

class IniDocument {
public:
    using Entries = std::vector<std::pair<std::string, std::string>>;

    IniDocument() = default;
    explicit IniDocument(std::string bytes) : bytes_(std::move(bytes)) {}

    // The text, byte for byte: what was given, with the changes made by set().
    const std::string& bytes() const { return bytes_; }

    // The key=value entries of every section of that name (the name's case does not matter; a
    // section that occurs twice counts twice), in file order, keys spelled as in the file.
    Entries entries(std::string_view section) const;

    // Why section, key and value cannot be written so that they read back the same ("the key
    // contains \"=\""), or empty when they can.
    static std::string problemWith(std::string_view section, std::string_view key,
                                   std::string_view value);

    // Gives the key this value. The key's last line in the section (the one a reader goes by)
    // becomes KEY=value with the file's spelling of the key and the line's own ending; a key
    // that is not there goes after the section's last entry (ending like that line), and a
    // section that is not there goes at the end of the text (ending like the text's first line,
    // "\n" when it has none). Throws std::invalid_argument, changing nothing, when problemWith()
    // objects.
    void set(std::string_view section, std::string_view key, std::string_view value);

private:
    std::string bytes_;
};

}  // namespace orvex
