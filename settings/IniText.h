#pragma once

#include <string>
#include <string_view>

namespace orvex {

// Why bytes that are already in a file do not read as an INI text that a save may add to, or
// empty when they do. A save keeps every byte and adds its keys, so whatever the file is stays
// intact, but a file of some other kind (/etc/passwd, a shell script, a settings file of a tool
// that reads KEY=value lines without sections) would still take a "[CONTROL]" section it was
// never meant to hold. An INI text begins with a section header: its first line that is not
// blank and no comment is "[NAME]". Empty files and files of comments only are fine.
std::string notAnIniText(std::string_view bytes);

}  // namespace orvex
