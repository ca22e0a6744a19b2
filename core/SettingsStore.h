#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvex {

// The keys of the settings file's section "CONTROL", as the file held them when it was read.
// Lookup ignores the case of the key; when a key occurs more than once, the last one wins.
class SettingsSnapshot {
public:
    SettingsSnapshot() = default;
    explicit SettingsSnapshot(std::vector<std::pair<std::string, std::string>> entries)
        : entries_(std::move(entries)) {}

    std::optional<std::string> value(std::string_view key) const;

private:
    std::vector<std::pair<std::string, std::string>> entries_;  // in file order
};

// The settings file. Every load reads the file afresh; every save is one atomic replace that keeps
// every other line of the file as it was. Failures are reported in plain words to the message sink
// the store was made with, and never lose the file.
class SettingsStore {
public:
    using Values = std::vector<std::pair<std::string, std::string>>;

    virtual ~SettingsStore() = default;
    // A missing file is an empty snapshot, silently; an unreadable one an empty snapshot and a
    // message naming the file and the reason.
    virtual SettingsSnapshot load() = 0;
    // Writes each key's text into section "CONTROL", replacing a key that exists on its own line
    // and adding the section and the file when they do not exist. Returns false (after the
    // message) when the file could not be saved; the file on disk is then unchanged.
    virtual bool save(const Values& values) = 0;
};

}  // namespace orvex
