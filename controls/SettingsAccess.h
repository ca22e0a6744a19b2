#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/Messages.h"
#include "core/SettingsStore.h"

namespace orvex {

// What a key of section "CONTROL" may hold. Integer keys are read as a number rounded half-even.
enum class SettingKind {
    Volume,     // AUDIO, AUDIO_n: 0..7
    Squelch,    // SQL, SQL_n: 0..1
    Frequency,  // OFF_FREQUENCY, CHANNEL_n: 132000..144000 kHz
    Step,       // STEP_FREQ, STEP_FREQ_n: 100, 10 or 5
};

struct SettingValue {
    enum class Status { Missing, Invalid, Valid };
    Status status = Status::Missing;
    double value = 0.0;  // when valid; integers already rounded
    std::string text;    // as the file holds it
};

// ReadSetting and WriteSetting on the settings store: a handler loads the file once, reads its
// keys from that snapshot, and gathers its writes into one batch saved at its end.
class SettingsAccess {
public:
    using Batch = SettingsStore::Values;

    SettingsAccess(SettingsStore& store, MessageSink& messages)
        : store_(store), messages_(messages) {}

    SettingsSnapshot load() const { return store_.load(); }

    static std::optional<std::string> ReadSetting(const SettingsSnapshot& file,
                                                  std::string_view key) {
        return file.value(key);
    }
    static SettingValue check(const SettingsSnapshot& file, std::string_view key, SettingKind kind);
    // The key's value, or `startValue` silently when missing and with a message naming the key
    // when its text is damaged or out of range.
    double readOr(const SettingsSnapshot& file, std::string_view key, SettingKind kind,
                  double startValue);

    static void WriteSetting(Batch& batch, std::string key, double value);
    bool save(const Batch& batch) { return store_.save(batch); }

private:
    SettingsStore& store_;
    MessageSink& messages_;
};

}  // namespace orvex
