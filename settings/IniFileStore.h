#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string_view>

#include "core/Messages.h"
#include "core/SettingsStore.h"
#include "settings/WriteRights.h"

namespace orvex {

// The settings file on disk, section "CONTROL". Every load reads the file afresh; every save
// takes the lock beside the file (path + ".lock"), re-reads the file under it so another copy's
// changes survive, sets the values and replaces the file in one atomic step. A failure leaves
// the file as it was and posts one message that names the file and the reason. A file that gives
// no key and is not text (binary data, UTF-16) is told about once: it was not understood.
class IniFileStore final : public SettingsStore {
public:
    static constexpr std::string_view Section = "CONTROL";
    // Far beyond any settings file; a larger one is refused rather than held in memory.
    static constexpr std::size_t MaxBytes = 16 * 1024 * 1024;
    static constexpr std::chrono::milliseconds DefaultLockWait{5000};

    IniFileStore(std::filesystem::path path, MessageSink& messages,
                 std::chrono::milliseconds lockWait = DefaultLockWait,
                 WriteRights rights = WriteRights::ofThisProcess());

    const std::filesystem::path& path() const { return path_; }

    SettingsSnapshot load() override;
    bool save(const Values& values) override;

private:
    std::filesystem::path path_;
    MessageSink& messages_;
    std::chrono::milliseconds lockWait_;
    WriteRights rights_;
    bool toldNotUnderstood_ = false;  // start-up, About and recall all load; one message will do
};

}  // namespace orvex
