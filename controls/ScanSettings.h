#pragma once

#include <filesystem>

#include "controls/ActivityScanner.h"
#include "core/Messages.h"
#include "settings/IniFileStore.h"

namespace orvex {

// The activity scanner's choices as the operator last set them: options and range.
struct ScanChoices {
    ScanOptions options;
    ScanRange range{137000, 138000, 10};  // the weather satellites' part of the band
};

// Keeps the choices between runs in scanner.ini beside the settings file, never in the settings
// file itself, with its care (IniFileStore). A value that is damaged or out of range is told,
// named by its key, and its default kept.
class ScanSettings {
public:
    static constexpr const char* FileName = "scanner.ini";

    ScanSettings(std::filesystem::path path, MessageSink& messages);

    const std::filesystem::path& path() const { return store_.path(); }
    // Reads the file; what it held is then choices() until the next save.
    ScanChoices load();
    const ScanChoices& choices() const { return choices_; }
    bool save(const ScanChoices& choices);

private:
    IniFileStore store_;
    MessageSink& messages_;
    ScanChoices choices_;
};

}  // namespace orvex
