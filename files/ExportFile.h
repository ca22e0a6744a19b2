#pragma once

#include <filesystem>
#include <string_view>

namespace orvex {

// Writes a file the operator asked for (an exported survey, a picture) in one atomic replace,
// under the rules of every write of the program: the lock beside it, an exclusive temporary, the
// owner and mode of a file that is there kept, no link followed at the end in a root run. The
// file `keepOff` (the settings file) is never replaced, whatever name leads to it. Throws
// FileProblem with the reason in plain words; the file is then as it was.
void exportFile(const std::filesystem::path& path, std::string_view bytes,
                const std::filesystem::path& keepOff);

}  // namespace orvex
