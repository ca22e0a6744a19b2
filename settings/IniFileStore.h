#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/Messages.h"
#include "core/SettingsStore.h"
#include "files/WriteRights.h"

namespace orvex {

// The settings file on disk, section "CONTROL". Every load reads the file afresh; every save
// takes the lock beside the file (path + ".lock"), re-reads the file under it so another copy's
// changes survive, sets the values and replaces the file in one atomic step (files/SafeFile.h).
// A file that is there and is no INI text (IniText.h) is never written. A failure leaves the
// file as it was and posts one message that names the file and the reason. A file that gives no
// key and is not text (binary data, UTF-16) is told about once: it was not understood.
class IniFileStore final : public SettingsStore {
public:
    static constexpr std::string_view Section = "CONTROL";
    // Far beyond any settings file; a larger one is refused rather than held in memory.
    static constexpr std::size_t MaxBytes = 16 * 1024 * 1024;
    // Another copy's save holds the lock for the few milliseconds of its two flushes; a lock held
    // longer is held on purpose or forgotten, and the window and the remote clients must not
    // wait for it.
    static constexpr std::chrono::milliseconds DefaultLockWait{500};

    // `option` is the command-line option that names the file, for the fix in a message.
    IniFileStore(std::filesystem::path path, MessageSink& messages,
                 std::chrono::milliseconds lockWait = DefaultLockWait,
                 WriteRights rights = WriteRights::ofThisProcess(),
                 std::string option = "--settings");

    const std::filesystem::path& path() const { return path_; }

    SettingsSnapshot load() override;
    bool save(const Values& values) override;

private:
    std::filesystem::path path_;
    MessageSink& messages_;
    std::chrono::milliseconds lockWait_;
    WriteRights rights_;
    std::string option_;
    bool toldNotUnderstood_ = false;  // start-up, About and recall all load; one message will do
};

}  // namespace orvex
