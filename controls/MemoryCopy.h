#pragma once

#include <optional>

#include "controls/ActionResult.h"
#include "controls/Channel.h"
#include "controls/Readings.h"

namespace orvex {

class ReceiverActions;

// Tunes to a channel of the bank as the operator would: its step chosen, then its frequency.
ActionResult tuneToChannel(ReceiverActions& actions, const Channel& channel);

// A channel of the bank copied into channel memory 1 to 3 as the operator would store it: the
// receiver tuned to the channel's frequency at its step, then the memory stored with the volume
// and squelch in force, so the settings file is written as a store writes it. Refused, with
// nothing tuned, while the receiver is off, as the channel buttons are.
ActionResult copyIntoMemory(ReceiverActions& actions, const Channel& channel, int memory);

// Channel memory `memory` as a channel of the bank at `location`, named after the memory;
// nothing when it is empty, damaged, or off the board's grid.
std::optional<Channel> channelFromMemory(const ChannelMemory& stored, int memory, int location);

}  // namespace orvex
