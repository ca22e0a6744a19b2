#include "controls/ChannelRows.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "controls/StepTable.h"
#include "core/Band.h"
#include "core/Excerpt.h"
#include "core/NumberText.h"

namespace orvex {
namespace {

using Column = ChirpColumn;

// The columns a channel holds in typed form; the others stay as text.
constexpr std::array Interpreted{Column::Location, Column::Name, Column::Frequency,
                                 Column::TStep,    Column::Skip, Column::Comment};

// The modes the board hears as they are meant; CHIRP's others (AM, DV, USB …) still show
// activity on the meter.
constexpr std::array<std::string_view, 3> FmModes{"FM", "NFM", "WFM"};

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<std::int64_t> wholeNumber(std::string_view digits) {
    std::int64_t value = 0;
    if (digits.empty() || digits.size() > 9 || !allDigits(digits)) {
        return std::nullopt;
    }
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

std::string quoted(std::string_view text) {
    return "\"" + excerpt(text) + "\"";
}

std::string twoDecimals(double value) {
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::fixed, 2);
    return {buffer.data(), end.ptr};
}

// Why the frequency cannot be a channel of this board, or empty when it can.
std::string frequencyRefusal(std::string_view text, const FileFrequency& frequency) {
    const std::string shown = std::string(trimmed(text)) + " MHz";
    if (frequency.kHz < BandBottomKHz || frequency.kHz > BandTopKHz ||
        (frequency.kHz == BandTopKHz && frequency.hz != 0)) {
        return excerpt(shown) + " lies outside the band " + bandText();
    }
    const std::int64_t grid = FineStep.stepKHz;
    if (frequency.hz != 0 || frequency.kHz % grid != 0) {
        const std::int64_t below = frequency.kHz - frequency.kHz % grid;
        return excerpt(shown) + " is not on the board's " + std::to_string(grid) +
               " kHz grid: the grid points beside it are " +
               megahertzText(static_cast<double>(below)) + " and " +
               megahertzText(static_cast<double>(below + grid));
    }
    return {};
}

}  // namespace

std::optional<FileFrequency> parseChirpFrequency(std::string_view text) {
    text = trimmed(text);
    if (text.ends_with(" kHz")) {
        const std::optional<std::int64_t> kHz = wholeNumber(text.substr(0, text.size() - 4));
        return kHz ? std::optional(FileFrequency{*kHz, 0}) : std::nullopt;
    }
    if (text.ends_with(" MHz")) {
        text = trimmed(text.substr(0, text.size() - 4));
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const std::optional<std::int64_t> megahertz = whole.empty() ? 0 : wholeNumber(whole);
    if (!megahertz || fraction.size() > 6 || !allDigits(fraction) ||
        (whole.empty() && fraction.empty())) {
        return std::nullopt;
    }
    std::string digits(fraction);
    digits.resize(6, '0');
    const std::int64_t micro = *wholeNumber(digits);
    return FileFrequency{*megahertz * KHzPerMHz + micro / KHzPerMHz,
                         static_cast<int>(micro % KHzPerMHz)};
}

std::string chirpFrequencyText(std::int32_t kHz) {
    std::string fraction = std::to_string(kHz % KHzPerMHz);
    fraction.insert(0, 3 - fraction.size(), '0');
    return std::to_string(kHz / KHzPerMHz) + "." + fraction + "000";
}

std::int16_t stepForTStep(double tStepKHz, std::int32_t kHz) {
    for (const StepRow& row : StepRows) {  // the coarsest first
        if (row.stepKHz <= tStepKHz && kHz % row.stepKHz == 0) {
            return row.stepKHz;
        }
    }
    return FineStep.stepKHz;
}

RowReading channelFromRow(const ChirpRow& row) {
    RowReading reading;
    const auto refuse = [&reading](std::string why) {
        reading.refusal = std::move(why);
        return reading;
    };
    if (row.unclosedQuote) {
        return refuse("a quoted field is never closed, so the rest of the file is one field");
    }
    Channel channel;
    const std::string_view location = trimmed(row[Column::Location]);
    if (location.empty()) {
        return refuse("it has no Location");
    }
    const std::optional<std::int64_t> number = wholeNumber(location);
    if (!number) {
        return refuse("its Location " + quoted(location) + " is not a whole number");
    }
    channel.location = static_cast<int>(*number);

    const std::string& frequencyField = row[Column::Frequency];
    if (trimmed(frequencyField).empty()) {
        return refuse("it has no Frequency");
    }
    const std::optional<FileFrequency> frequency = parseChirpFrequency(frequencyField);
    if (!frequency) {
        return refuse("its Frequency " + quoted(frequencyField) + " is not a frequency in MHz");
    }
    if (std::string why = frequencyRefusal(frequencyField, *frequency); !why.empty()) {
        return refuse(std::move(why));
    }
    channel.kHz = static_cast<std::int32_t>(frequency->kHz);

    // A file without TStep has CHIRP's default step.
    const std::string_view tStepField = trimmed(row[Column::TStep]);
    const std::optional<double> tStep = tStepField.empty()
                                            ? std::optional(static_cast<double>(FineStep.stepKHz))
                                            : parseNumber(tStepField);
    if (!tStep || *tStep <= 0.0) {
        return refuse("its TStep " + quoted(tStepField) + " is not a tuning step in kHz");
    }
    channel.stepKHz = stepForTStep(*tStep, channel.kHz);
    if (channel.stepKHz != *tStep) {
        const bool ours = std::any_of(StepRows.begin(), StepRows.end(),
                                      [&](const StepRow& step) { return step.stepKHz == *tStep; });
        reading.notes.push_back(
            "TStep " + excerpt(tStepField) + " kHz " +
            (ours ? "does not reach " + megahertzText(channel.kHz) + " on its grid"
                  : std::string("is not a step of this receiver")) +
            ": the channel steps by " + std::to_string(channel.stepKHz) + " kHz");
    }

    const std::string_view skip = trimmed(row[Column::Skip]);
    channel.skip = skip == ChirpSkipMark;
    if (!skip.empty() && !channel.skip) {
        reading.notes.push_back("Skip " + quoted(skip) +
                                " is read as not skipped (only S skips a channel)");
    }
    const std::string_view mode = trimmed(row[Column::Mode]);
    if (!mode.empty() && std::find(FmModes.begin(), FmModes.end(), mode) == FmModes.end()) {
        reading.notes.push_back("mode " + quoted(mode) +
                                ": this receiver hears FM only, but the channel's activity "
                                "still shows");
    }
    channel.name = row[Column::Name];
    channel.comment = row[Column::Comment];
    channel.other = row;
    for (const Column column : Interpreted) {
        channel.other[column].clear();
    }
    // A default is the same as no value: a channel read back equals the one written.
    for (std::size_t i = 0; i < ChirpColumns.size(); ++i) {
        if (trimmed(channel.other.fields[i]) == ChirpColumns[i].fallback) {
            channel.other.fields[i].clear();
        }
    }
    channel.other.line = 0;
    reading.channel = std::move(channel);
    return reading;
}

ChirpRow rowFromChannel(const Channel& channel) {
    ChirpRow row = channel.other;
    row[Column::Location] = std::to_string(channel.location);
    row[Column::Name] = channel.name;
    row[Column::Frequency] = chirpFrequencyText(channel.kHz);
    row[Column::TStep] = twoDecimals(channel.stepKHz);
    row[Column::Skip] = channel.skip ? std::string(ChirpSkipMark) : std::string();
    row[Column::Comment] = channel.comment;
    return row;
}

std::variant<ReadChannels, std::string> readChannelFile(std::string_view text,
                                                        RefusedRows refused) {
    std::variant<ChirpFile, std::string> file = readChirpFile(text);
    if (auto* problem = std::get_if<std::string>(&file)) {
        return std::move(*problem);
    }
    ChirpFile& chirp = std::get<ChirpFile>(file);
    ReadChannels read;
    read.list.beforeHeader = std::move(chirp.beforeHeader);
    struct Taken {
        int line;
        std::size_t entry;
    };
    std::map<int, Taken> taken;      // the row each Location was read from
    std::vector<ChirpLine> pending;  // lines waiting for the channel below them
    for (auto& item : chirp.body) {
        if (auto* line = std::get_if<ChirpLine>(&item)) {
            pending.push_back(std::move(*line));
            continue;
        }
        const ChirpRow& row = std::get<ChirpRow>(item);
        // A row of commas only (spreadsheets end their exports so) holds nothing to keep.
        if (!row.unclosedQuote &&
            std::all_of(row.fields.begin(), row.fields.end(),
                        [](const std::string& f) { return trimmed(f).empty(); })) {
            continue;
        }
        RowReading reading = channelFromRow(row);
        std::optional<int> location;
        if (const auto number = wholeNumber(trimmed(row[Column::Location]))) {
            location = static_cast<int>(*number);
        }
        if (reading.channel) {
            const auto found = taken.find(*location);
            if (found != taken.end()) {
                read.refused.push_back({row.line, location,
                                        "Location " + std::to_string(*location) +
                                            " is taken by the row on line " +
                                            std::to_string(found->second.line)});
                // Kept after the row that took the Location, so that one stays the one read.
                if (refused == RefusedRows::Keep) {
                    read.list.entries[found->second.entry].duplicates.push_back(
                        {chirpRowAsRead(row)});
                }
                continue;
            }
            taken.emplace(*location, Taken{row.line, read.list.entries.size()});
        } else {
            read.refused.push_back({row.line, location, reading.refusal});
            if (refused == RefusedRows::Keep && !row.unclosedQuote) {
                pending.push_back({chirpRowAsRead(row)});
            }
            continue;
        }
        for (std::string& note : reading.notes) {
            read.notes.push_back({row.line, location, std::move(note)});
        }
        read.list.entries.push_back({std::move(pending), std::move(*reading.channel), {}});
        pending.clear();
    }
    read.list.atEnd = std::move(pending);
    if (refused == RefusedRows::Keep) {
        read.list.unclosed = std::move(chirp.unclosed);
    }
    std::stable_sort(read.list.entries.begin(), read.list.entries.end(),
                     [](const ChannelList::Entry& a, const ChannelList::Entry& b) {
                         return a.channel.location < b.channel.location;
                     });
    return read;
}

std::string channelListText(const ChannelList& list) {
    ChirpFile file;
    file.beforeHeader = list.beforeHeader;
    for (const ChannelList::Entry& entry : list.entries) {
        for (const ChirpLine& line : entry.linesBefore) {
            file.body.emplace_back(line);
        }
        file.body.emplace_back(rowFromChannel(entry.channel));
        for (const ChirpLine& line : entry.duplicates) {
            file.body.emplace_back(line);
        }
    }
    for (const ChirpLine& line : list.atEnd) {
        file.body.emplace_back(line);
    }
    file.unclosed = list.unclosed;
    return chirpFileText(file);
}

std::string reportLine(const RowReport& report) {
    std::string text = "Line " + std::to_string(report.line);
    if (report.location) {
        text += " (Location " + std::to_string(*report.location) + ")";
    }
    return text + ": " + report.text;
}

}  // namespace orvex
