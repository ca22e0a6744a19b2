#include <array>
#include <string>

#include "controls/AudioScales.h"
#include "controls/Receiver.h"
#include "controls/StepTable.h"
#include "core/Band.h"
#include "core/Lines.h"
#include "core/NumberText.h"

namespace orvex {
namespace {

// The four keys of memory n, in the order they are stored and recalled.
struct MemoryKeys {
    std::string audio, squelch, channel, step;
};

MemoryKeys keysOf(int channel) {
    const std::string n = std::to_string(channel);
    return {"AUDIO_" + n, "SQL_" + n, "CHANNEL_" + n, "STEP_FREQ_" + n};
}

}  // namespace

void Receiver::Command2_Click() {
    channelButton(1);
}
void Receiver::Command3_Click() {
    channelButton(2);
}
void Receiver::Command4_Click() {
    channelButton(3);
}

void Receiver::channelButton(int channel) {
    INITIALIZE_PLL();
    if (panel_.Toggle4.on) {
        storeChannel(channel);
    } else {
        recallChannel(channel);
    }
}

void Receiver::storeChannel(int channel) {
    const MemoryKeys keys = keysOf(channel);
    SettingsAccess::Batch batch;
    SettingsAccess::WriteSetting(batch, keys.audio, panel_.HSlider4.position);
    SettingsAccess::WriteSetting(batch, keys.squelch, squelchFileValue(panel_.HSlider3.position));
    SettingsAccess::WriteSetting(batch, keys.channel, kHzFromMHz(shownFrequency()));
    SettingsAccess::WriteSetting(batch, keys.step, state_.StepKHz);
    settings_.save(batch);
    panel_.Toggle4.on = false;
}

// Reads the memory afresh from the file. A memory never stored, or one whose keys are damaged,
// changes nothing: half a recall could tune out of the band.
void Receiver::recallChannel(int channel) {
    const MemoryKeys keys = keysOf(channel);
    const SettingsSnapshot file = settings_.load();
    const std::array<SettingValue, 4> values{
        SettingsAccess::check(file, keys.audio, SettingKind::Volume),
        SettingsAccess::check(file, keys.squelch, SettingKind::Squelch),
        SettingsAccess::check(file, keys.channel, SettingKind::Frequency),
        SettingsAccess::check(file, keys.step, SettingKind::Step),
    };
    int missing = 0;
    int valid = 0;
    for (const SettingValue& value : values) {
        missing += value.status == SettingValue::Status::Missing ? 1 : 0;
        valid += value.status == SettingValue::Status::Valid ? 1 : 0;
    }
    if (missing == 4) {
        messages_.post("Channel " + std::to_string(channel) + " is empty");
        return;
    }
    if (valid != 4) {
        messages_.post("Channel " + std::to_string(channel) + " holds invalid values");
        return;
    }
    const auto& [audio, squelch, frequency, step] = values;

    setVolumeSlider(static_cast<int>(audio.value));
    panel_.HSlider3.position = squelchPositionFromFile(squelch.value);
    ApplySquelch();
    setShownFrequency(mhzFromKHz(frequency.value));
    const double shown = shownFrequency();
    state_.StepKHz = wrap16(static_cast<long long>(step.value));
    if (const StepRow* row = findStep(state_.StepKHz)) {
        state_.RefDivider = row->refDivider;
        INITIALIZE_PLL();
        selectStepTable(state_.StepKHz, shown);
    }
    synthesizer_.LoadDivider(dividerWord(recallDividerValue(shown, state_.DividerScale)));
    const int control = state_.PortBase + value(Register::Control);
    port_.WritePort(control, SilentVolumeCode);
    delay_.pause(pause::RecallSettling);
    port_.WritePort(control, state_.VolumeCode);
}

}  // namespace orvex
