#include "settings/SettingsPath.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace orvex {
namespace {

constexpr const char* FolderName = "orvex";
constexpr const char* FileName = "ORVEX.ini";

// The home folder from the user database, for a program started without HOME (from a service
// manager, say).
std::string homeFromPasswd() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 16384));
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir) {
        return found->pw_dir;
    }
    return {};
}

// HOME, or the user database's home folder when it is unset or empty.
std::string homeFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) : homeFromPasswd();
}

}  // namespace

std::optional<std::filesystem::path> settingsPathFrom(const char* xdgConfigHome, const char* home) {
    if (xdgConfigHome && std::filesystem::path(xdgConfigHome).is_absolute()) {
        return std::filesystem::path(xdgConfigHome) / FolderName / FileName;
    }
    if (home && std::filesystem::path(home).is_absolute()) {
        return std::filesystem::path(home) / ".config" / FolderName / FileName;
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> dataFolderFrom(const char* xdgDataHome, const char* home) {
    if (xdgDataHome && std::filesystem::path(xdgDataHome).is_absolute()) {
        return std::filesystem::path(xdgDataHome) / FolderName;
    }
    if (home && std::filesystem::path(home).is_absolute()) {
        return std::filesystem::path(home) / ".local" / "share" / FolderName;
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> settingsPath() {
    const std::string home = homeFolder();
    return settingsPathFrom(std::getenv("XDG_CONFIG_HOME"), home.c_str());
}

std::optional<std::filesystem::path> dataFolder() {
    const std::string home = homeFolder();
    return dataFolderFrom(std::getenv("XDG_DATA_HOME"), home.c_str());
}

}  // namespace orvex
