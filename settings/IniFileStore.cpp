#include "settings/IniFileStore.h"

#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "settings/IniDocument.h"
#include "settings/PlainReason.h"
#include "settings/SafeFile.h"

namespace orvex {
namespace {

// A settings file kept elsewhere under a symbolic link (dotfiles in a repository) stays a link:
// the file it points to is the one replaced.
std::filesystem::path followLink(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        std::filesystem::path target = std::filesystem::canonical(path, error);
        if (!error) {
            return target;
        }
    }
    return path;
}

void checkWritable(const SettingsStore::Values& values) {
    for (const auto& [key, value] : values) {
        if (std::string problem = IniDocument::problemWith(IniFileStore::Section, key, value);
            !problem.empty()) {
            throw FileProblem(std::move(problem));
        }
    }
}

}  // namespace

IniFileStore::IniFileStore(std::filesystem::path path, MessageSink& messages,
                           std::chrono::milliseconds lockWait)
    : path_(std::move(path)), messages_(messages), lockWait_(lockWait) {}

SettingsSnapshot IniFileStore::load() {
    try {
        std::optional<std::string> bytes = readWholeFile(path_, MaxBytes);
        if (!bytes) {
            return {};  // first run
        }
        return SettingsSnapshot(IniDocument(std::move(*bytes)).entries(Section));
    } catch (const FileProblem& problem) {
        messages_.post("Could not read the settings from " + path_.string() + ": " +
                       problem.what() + ".");
        return {};
    }
}

bool IniFileStore::save(const Values& values) {
    try {
        checkWritable(values);
        const std::filesystem::path target = followLink(path_);
        createFolders(target.parent_path());
        std::filesystem::path lockFile = target;
        lockFile += ".lock";
        const SaveLock lock(lockFile, lockWait_);

        IniDocument document;
        try {
            document = IniDocument(readWholeFile(target, MaxBytes).value_or(std::string()));
        } catch (const FileProblem& problem) {
            // Replacing a file we could not read would throw away whatever it holds.
            throw FileProblem(std::string("the file is there but cannot be read, so it was left "
                                          "as it is: ") +
                              problem.what());
        }
        for (const auto& [key, value] : values) {
            document.set(Section, key, value);
        }
        replaceFile(target, document.bytes());
        return true;
    } catch (const FileProblem& problem) {
        messages_.post("Could not save the settings to " + path_.string() + ": " + problem.what() +
                       ". Your settings are still in effect but were not saved.");
        return false;
    }
}

}  // namespace orvex
