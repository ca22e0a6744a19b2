// libFuzzer entry: any bytes are read without harm, and whatever reads as a channel list writes
// out as a text that reads back to the same channels and writes out the same again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "FuzzCheck.h"
#include "controls/ChannelRows.h"

namespace {

std::vector<orvex::Channel> channelsOf(const orvex::ReadChannels& read) {
    std::vector<orvex::Channel> channels;
    for (const orvex::ChannelList::Entry& entry : read.list.entries) {
        channels.push_back(entry.channel);
    }
    return channels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvex;
    using test::fuzzCheck;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const auto first = readChannelFile(input, RefusedRows::Keep);
    if (!std::holds_alternative<ReadChannels>(first)) {
        return 0;
    }
    const ReadChannels& read = std::get<ReadChannels>(first);
    const std::string written = channelListText(read.list);
    const auto again = readChannelFile(written, RefusedRows::Keep);
    fuzzCheck(std::holds_alternative<ReadChannels>(again), "a written bank reads back");
    const ReadChannels& reread = std::get<ReadChannels>(again);
    fuzzCheck(channelsOf(reread) == channelsOf(read), "the channels read back the same");
    // (A row left out may come back as a comment: CHIRP's own rule, a first field starting '#'.)
    fuzzCheck(channelListText(reread.list) == written, "a second write gives the same bytes");
    return 0;
}
