#pragma once

#include <filesystem>

namespace orvex {

// Where the settings file lives unless the command line names another: ORVEX.ini in folder
// "orvex" of the user's configuration folder, $XDG_CONFIG_HOME or else ~/.config.
std::filesystem::path settingsPath();

// The same from the two variables' values (null when unset). An empty or relative
// XDG_CONFIG_HOME is ignored, as the XDG base-directory rules say. settingsPath() finds the home
// folder in the user database when HOME is unset.
std::filesystem::path settingsPathFrom(const char* xdgConfigHome, const char* home);

}  // namespace orvex
