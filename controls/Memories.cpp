#include <string>

#include "controls/AudioScales.h"
#include "controls/MemoryKeys.h"
#include "controls/Receiver.h"
#include "controls/StepTable.h"
#include "core/Band.h"
#include "core/Lines.h"
#include "core/NumberText.h"

namespace orvex {

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
    const MemoryKeys keys = memoryKeys(channel);
    SettingsAccess::Batch batch;
    SettingsAccess::WriteSetting(batch, keys.audio, panel_.HSlider4.position);
    SettingsAccess::WriteSetting(batch, keys.squelch, squelchFileValue(panel_.HSlider3.position));
    SettingsAccess::WriteSetting(batch, keys.channel, kHzFromMHz(shownFrequency()));
    SettingsAccess::WriteSetting(batch, keys.step, state_.StepKHz);
    save(batch);
    ++stores_[static_cast<std::size_t>(channel - 1)];
    panel_.Toggle4.on = false;
}

// Reads the memory afresh from the file. A memory never stored, or one whose keys are damaged,
// changes nothing: half a recall could tune out of the band.
void Receiver::recallChannel(int channel) {
    const ChannelMemory memory = readMemory(settings_.load(), channel);
    if (memory.status == ChannelMemory::Status::Empty) {
        messages_.post("Channel " + std::to_string(channel) + " is empty");
        return;
    }
    if (memory.status == ChannelMemory::Status::Invalid) {
        messages_.post("Channel " + std::to_string(channel) + " holds invalid values");
        return;
    }

    setVolumeSlider(memory.volumePosition);
    panel_.HSlider3.position = squelchPositionFromFile(memory.squelch);
    ApplySquelch();
    setShownFrequency(mhzFromKHz(memory.frequencyKHz));
    const double shown = shownFrequency();
    state_.StepKHz = wrap16(memory.stepKHz);
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
