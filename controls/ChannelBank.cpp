#include "controls/ChannelBank.h"

#include <algorithm>
#include <utility>

#include "files/PlainReason.h"
#include "files/SafeFile.h"

namespace orvex {
namespace {

constexpr const char* Kind = "a channel list";

TextFileStore::Rules bankRules(std::string_view option) {
    return {.maxBytes = ChannelBank::MaxBytes, .kind = Kind, .option = option};
}

std::string plural(int count, const std::string& word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

using Entries = std::vector<ChannelList::Entry>;

Entries::iterator entryAt(Entries& entries, int location) {
    return std::find_if(entries.begin(), entries.end(), [location](const ChannelList::Entry& e) {
        return e.channel.location == location;
    });
}

// Puts `entry` where its Location belongs.
void insertInOrder(Entries& entries, ChannelList::Entry entry) {
    const auto after =
        std::find_if(entries.begin(), entries.end(), [&entry](const ChannelList::Entry& e) {
            return e.channel.location > entry.channel.location;
        });
    entries.insert(after, std::move(entry));
}

}  // namespace

std::vector<std::string> BankReport::lines() const {
    std::vector<std::string> lines;
    if (!problem.empty()) {
        lines.push_back("The channel file " + file.string() + " was not read: " + problem + ".");
        return lines;
    }
    std::string summary = plural(taken, "channel") + " read from " + file.string();
    if (replaced > 0) {
        summary += ", " + std::to_string(replaced) + " of them in place of channels of the bank";
    }
    if (!refused.empty()) {
        summary += "; " + plural(static_cast<int>(refused.size()), "row") + " left out";
    }
    lines.push_back(summary + ".");
    for (const RowReport& row : refused) {
        lines.push_back(reportLine(row) + " - left out.");
    }
    for (const RowReport& row : notes) {
        lines.push_back(reportLine(row) + ".");
    }
    return lines;
}

ChannelFileReading readOtherChannelFile(const std::filesystem::path& file) {
    ChannelFileReading reading;
    reading.report.file = file;
    try {
        const std::optional<std::string> bytes = readWholeFile(file, ChannelBank::MaxBytes, Kind);
        if (!bytes) {
            reading.report.problem = "there is no such file";
            return reading;
        }
        std::variant<ReadChannels, std::string> read = readChannelFile(*bytes, RefusedRows::Drop);
        if (auto* problem = std::get_if<std::string>(&read)) {
            reading.report.problem = *problem;
            return reading;
        }
        ReadChannels& channels = std::get<ReadChannels>(read);
        reading.report.taken = static_cast<int>(channels.list.entries.size());
        reading.report.refused = std::move(channels.refused);
        reading.report.notes = std::move(channels.notes);
        reading.list = std::move(channels.list);
    } catch (const FileProblem& problem) {
        reading.report.problem = problem.what();
    }
    return reading;
}

void ChannelBank::tell(const std::string& text) {
    messages_.post(text);
    emit told(QString::fromStdString(text));
}

ChannelBank::ChannelBank(std::filesystem::path path, MessageSink& messages, QObject* parent)
    : QObject(parent), store_(std::move(path), bankRules("--channels")), messages_(messages) {}

BankReport ChannelBank::load() {
    BankReport report;
    report.file = path();
    list_ = {};
    lastBytes_.reset();
    readOnly_.clear();
    try {
        lastBytes_ = store_.read();
        if (lastBytes_) {
            std::variant<ReadChannels, std::string> read =
                readChannelFile(*lastBytes_, RefusedRows::Keep);
            if (auto* problem = std::get_if<std::string>(&read)) {
                report.problem = *problem;
            } else {
                ReadChannels& channels = std::get<ReadChannels>(read);
                list_ = std::move(channels.list);
                report.taken = static_cast<int>(list_.entries.size());
                report.refused = std::move(channels.refused);
                report.notes = std::move(channels.notes);
            }
        }
    } catch (const FileProblem& problem) {
        report.problem = problem.what();
    }
    if (!report.problem.empty()) {
        readOnly_ = "the channel file " + path().string() + " could not be read (" +
                    report.problem + "), so it is left as it is";
        tell("The channel bank is empty: " + readOnly_ + ".");
    } else if (!report.refused.empty()) {
        tell("The channel file " + path().string() + " has " +
             plural(static_cast<int>(report.refused.size()), "row") +
             " the bank cannot take; they stay in the file as they are. The channel window "
             "lists them, and so does --check-channels.");
    }
    lastLoad_ = report;
    emit changed();
    return report;
}

std::vector<Channel> ChannelBank::channels() const {
    std::vector<Channel> channels;
    channels.reserve(list_.entries.size());
    for (const ChannelList::Entry& entry : list_.entries) {
        channels.push_back(entry.channel);
    }
    return channels;
}

std::optional<Channel> ChannelBank::find(int location) const {
    for (const ChannelList::Entry& entry : list_.entries) {
        if (entry.channel.location == location) {
            return entry.channel;
        }
    }
    return std::nullopt;
}

int ChannelBank::nextLocation() const {
    return list_.entries.empty() ? 1 : list_.entries.back().channel.location + 1;
}

bool ChannelBank::put(int location, const Channel& channel) {
    ChannelList list = list_;
    ChannelList::Entry entry{{}, channel, {}};
    if (const auto old = entryAt(list.entries, location); old != list.entries.end()) {
        entry.linesBefore = std::move(old->linesBefore);
        entry.duplicates = std::move(old->duplicates);
        list.entries.erase(old);
    }
    if (entryAt(list.entries, channel.location) != list.entries.end()) {
        tell("Location " + std::to_string(channel.location) +
             " is taken by another channel: choose a free one.");
        return false;
    }
    insertInOrder(list.entries, std::move(entry));
    return save(std::move(list), "the channel at Location " + std::to_string(channel.location));
}

bool ChannelBank::remove(int location) {
    ChannelList list = list_;
    const auto old = entryAt(list.entries, location);
    if (old == list.entries.end()) {
        return false;
    }
    // Its comment lines and kept rows stay, above the channel that follows.
    std::vector<ChirpLine> lines = std::move(old->linesBefore);
    lines.insert(lines.end(), old->duplicates.begin(), old->duplicates.end());
    const auto next = list.entries.erase(old);
    std::vector<ChirpLine>& below = next == list.entries.end() ? list.atEnd : next->linesBefore;
    below.insert(below.begin(), lines.begin(), lines.end());
    return save(std::move(list), "removing Location " + std::to_string(location));
}

bool ChannelBank::setSkip(int location, bool skip) {
    std::optional<Channel> channel = find(location);
    if (!channel || channel->skip == skip) {
        return channel.has_value();
    }
    channel->skip = skip;
    return put(location, *channel);
}

BankReport ChannelBank::importFrom(const std::filesystem::path& file) {
    ChannelFileReading reading = readOtherChannelFile(file);
    BankReport& report = reading.report;
    if (!report.problem.empty()) {
        tell("Nothing was imported: " + report.lines().front());
        return report;
    }
    if (!readOnly_.empty()) {
        report.problem = "nothing was merged into the bank, since " + readOnly_;
        tell("Nothing was imported: " + report.problem + ".");
        return report;
    }
    ChannelList list = list_;
    for (ChannelList::Entry& imported : reading.list.entries) {
        const int location = imported.channel.location;
        if (const auto old = entryAt(list.entries, location); old != list.entries.end()) {
            old->channel = std::move(imported.channel);
            ++report.replaced;
        } else {
            insertInOrder(list.entries, {{}, std::move(imported.channel), {}});
        }
    }
    if (report.taken > 0 && !save(std::move(list), "the imported channels")) {
        report.problem = "the bank could not be saved, so nothing was merged";
    }
    return report;
}

bool ChannelBank::exportTo(const std::filesystem::path& file) {
    if (!readOnly_.empty()) {
        tell("Nothing was exported: " + readOnly_ + ".");
        return false;
    }
    const TextFileStore target(file, bankRules("--export-channels"));
    try {
        // Replacing a file of another kind (the settings file, a document) would lose it.
        if (const std::optional<std::string> there = target.read();
            there && !there->empty() &&
            std::holds_alternative<std::string>(readChirpFile(*there))) {
            throw FileProblem("it holds something other than a channel list: name a new file");
        }
        target.write(channelListText(list_));
        return true;
    } catch (const FileProblem& problem) {
        tell("Could not export the channel bank to " + file.string() + ": " + problem.what() + ".");
        return false;
    }
}

bool ChannelBank::save(ChannelList list, const std::string& what) {
    if (!readOnly_.empty()) {
        tell("Could not save " + what + ": " + readOnly_ + ".");
        return false;
    }
    std::string bytes = channelListText(list);
    try {
        store_.writeOver(bytes, lastBytes_);
    } catch (const FileProblem& problem) {
        tell("Could not save " + what + " to " + path().string() + ": " + problem.what() +
             ". The bank is read again from the file.");
        load();
        return false;
    }
    lastBytes_ = std::move(bytes);
    list_ = std::move(list);
    emit changed();
    return true;
}

}  // namespace orvex
