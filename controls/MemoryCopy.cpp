#include "controls/MemoryCopy.h"

#include "controls/MemoryKeys.h"
#include "controls/ReceiverActions.h"
#include "controls/StepTable.h"
#include "core/Band.h"
#include "core/NumberText.h"

namespace orvex {

ActionResult tuneToChannel(ReceiverActions& actions, const Channel& channel) {
    if (const ActionResult step = actions.chooseStep(channel.stepKHz); !step.succeeded()) {
        return step;
    }
    return actions.tuneTo(mhzFromKHz(channel.kHz));
}

ActionResult copyIntoMemory(ReceiverActions& actions, const Channel& channel, int memory) {
    const Receiver& receiver = actions.receiver();
    if (memory < 1 || memory > ChannelCount) {
        return ActionResult::refused(Refusal::NoSuchChannel);
    }
    if (!receiver.portChosen()) {
        return ActionResult::refused(Refusal::NoPort);
    }
    if (!receiver.poweredOn()) {
        return ActionResult::refused(Refusal::PoweredOff);
    }
    if (const ActionResult tuned = tuneToChannel(actions, channel); !tuned.succeeded()) {
        return tuned;
    }
    return actions.store(memory);
}

std::optional<Channel> channelFromMemory(const ChannelMemory& stored, int memory, int location) {
    const long long kHz = roundHalfEven(stored.frequencyKHz);
    if (stored.status != ChannelMemory::Status::Valid || kHz % FineStep.stepKHz != 0 ||
        kHz < BandBottomKHz || kHz > BandTopKHz ||
        findStep(static_cast<std::int16_t>(stored.stepKHz)) == nullptr) {
        return std::nullopt;
    }
    Channel channel;
    channel.location = location;
    channel.name = "Ch-" + std::to_string(memory);
    channel.kHz = static_cast<std::int32_t>(kHz);
    channel.stepKHz = static_cast<std::int16_t>(stored.stepKHz);
    return channel;
}

}  // namespace orvex
