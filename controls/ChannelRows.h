#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "controls/Channel.h"
#include "settings/ChirpCsv.h"

// What the rows of a CHIRP channel file mean to this receiver: the band, the board's 5 kHz grid
// and its three tuning steps. Rows it cannot take are said with their line and reason, never
// taken half or moved to a grid point silently; rows it takes with a change say so too.
namespace orvex {

// A channel list in Location order, with the file's comment lines where they were.
struct ChannelList {
    struct Entry {
        std::vector<ChirpLine> linesBefore;  // comments (and kept rows) just above the channel
        Channel channel;
        std::vector<ChirpLine> duplicates;  // kept rows with its Location, which follow it
    };
    std::vector<ChirpLine> beforeHeader;
    std::vector<Entry> entries;
    std::vector<ChirpLine> atEnd;
    std::optional<ChirpLine> unclosed;  // written last of all (ChirpFile::unclosed)
};

// A row left out, or taken with a note.
struct RowReport {
    int line = 0;
    std::optional<int> location;
    std::string text;
};

struct ReadChannels {
    ChannelList list;
    std::vector<RowReport> refused;
    std::vector<RowReport> notes;
};

// What keeps the rows that are left out: the bank's own file keeps them as lines where they
// were, so that saving the bank never loses them; an import leaves them in the file it came from.
enum class RefusedRows { Keep, Drop };

// The channels of a CHIRP CSV text, or why the text is none (readChirpFile). A row is left out
// when it lies outside the band or off the 5 kHz grid, repeats a Location, or cannot be read.
std::variant<ReadChannels, std::string> readChannelFile(std::string_view text, RefusedRows refused);

// The text of the list as CHIRP writes it.
std::string channelListText(const ChannelList& list);

// What one row means: the channel with its notes, or why it cannot be one.
struct RowReading {
    std::optional<Channel> channel;
    std::string refusal;
    std::vector<std::string> notes;
};
RowReading channelFromRow(const ChirpRow& row);
ChirpRow rowFromChannel(const Channel& channel);

// The step a channel at `kHz` takes for a CHIRP TStep: the largest of the receiver's steps not
// above it whose grid holds the frequency, else the finest.
std::int16_t stepForTStep(double tStepKHz, std::int32_t kHz);

// A frequency in MHz as CHIRP reads it ("137.62", "137.620000", "137.62 MHz", "137620 kHz"), in
// kHz and the Hz left over, or nothing.
struct FileFrequency {
    std::int64_t kHz = 0;
    int hz = 0;
};
std::optional<FileFrequency> parseChirpFrequency(std::string_view text);
// "137.620000": MHz with six decimals, as CHIRP writes it.
std::string chirpFrequencyText(std::int32_t kHz);

// "Line 7 (Location 12): ..." for the operator.
std::string reportLine(const RowReport& report);

}  // namespace orvex
