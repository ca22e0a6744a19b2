#pragma once

#include <filesystem>
#include <optional>

namespace orvex {

// Where the settings file lives unless the command line names another: ORVEX.ini in folder
// "orvex" of the user's configuration folder, $XDG_CONFIG_HOME or else ~/.config. Nothing when
// there is no home folder at all: the file must then be named, never put in whatever folder the
// program was started in.
std::optional<std::filesystem::path> settingsPath();

// The same from the two variables' values (null when unset). An empty or relative
// XDG_CONFIG_HOME is ignored, as the XDG base-directory rules say, and so is a home that is not an
// absolute path. settingsPath() finds the home folder in the user database when HOME is unset.
std::optional<std::filesystem::path> settingsPathFrom(const char* xdgConfigHome, const char* home);

// The program's folder among the user's data: "orvex" in $XDG_DATA_HOME, or else in
// ~/.local/share, under the same rules; nothing without a home folder.
std::optional<std::filesystem::path> dataFolder();
std::optional<std::filesystem::path> dataFolderFrom(const char* xdgDataHome, const char* home);

}  // namespace orvex
