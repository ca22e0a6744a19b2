#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "core/Messages.h"
#include "core/SettingsStore.h"

namespace orvex {

// What the operator chose for satellite passes. Kept in a file of their own (passes.ini beside
// the settings file's default place), never in the receiver's settings file.
struct PassChoices {
    bool switchOnAtAos = true;    // a receiver that is off is switched on when a pass begins
    bool switchOffAtLos = false;  // and switched off once the pass's log is complete
    std::chrono::seconds marginBefore{30};  // the measurements kept before AOS, at the log's head
    std::chrono::seconds marginAfter{30};   // how long the log goes on after LOS
    // A pass whose tracker went quiet (no frequency for this long) or that lasts longer than a
    // pass can is over, LOS or not.
    std::chrono::seconds quietTimeout{120};
    std::chrono::seconds longest{std::chrono::minutes{25}};

    friend bool operator==(const PassChoices&, const PassChoices&) = default;
};

// Longest margin or limit a choice may take: a day.
inline constexpr std::chrono::seconds LongestPassChoice{24 * 60 * 60};

// The choices file: each key on its own, a missing one at its default, a damaged one at its
// default with a message that names the file and the key.
class PassChoicesFile {
public:
    PassChoicesFile(SettingsStore& store, MessageSink& messages, std::string name)
        : store_(store), messages_(messages), name_(std::move(name)) {}

    PassChoices load();
    // Writes the choices that differ from `before`, in one save; false (after the store's
    // message) when the file could not be written.
    bool saveChanges(const PassChoices& before, const PassChoices& after);

private:
    SettingsStore& store_;
    MessageSink& messages_;
    std::string name_;  // the file, for messages
};

// A number of seconds as the command line and the file give it: a whole number from 0 to a day.
std::optional<std::chrono::seconds> passSeconds(const std::string& text);

}  // namespace orvex
