#include "app/ChannelCommands.h"

#include <cstdio>
#include <string>

#include "controls/ChannelBank.h"
#include "core/Band.h"

namespace orvex {
namespace {

class StandardError : public MessageSink {
public:
    void post(std::string message) override {
        std::fprintf(stderr, "orvex: %s\n", message.c_str());
    }
};

void print(const std::string& line) {
    std::fprintf(stdout, "%s\n", line.c_str());
}

void printReport(const BankReport& report) {
    for (const std::string& line : report.lines()) {
        print(line);
    }
}

// "Location 3: NOAA 15, 137.620 MHz, step 10 kHz, skipped"
std::string channelLine(const Channel& channel) {
    std::string line = "Location " + std::to_string(channel.location) + ": ";
    if (!channel.name.empty()) {
        line += channel.name + ", ";
    }
    line += megahertzText(channel.kHz) + ", step " + std::to_string(channel.stepKHz) + " kHz";
    return channel.skip ? line + ", skipped" : line;
}

int check(const std::string& path) {
    const ChannelFileReading reading = readOtherChannelFile(path);
    printReport(reading.report);
    for (const ChannelList::Entry& entry : reading.list.entries) {
        print("  " + channelLine(entry.channel));
    }
    return reading.report.allTaken() ? 0 : 1;
}

std::string bankPath(const Options& options) {
    return options.channelsPath.empty() ? besideSettings(options, ChannelBank::FileName)
                                        : options.channelsPath;
}

}  // namespace

std::optional<int> runChannelCommand(const Options& options) {
    if (!options.checkChannels.empty()) {
        return check(options.checkChannels);
    }
    if (options.importChannels.empty() && options.exportChannels.empty()) {
        return std::nullopt;
    }
    StandardError messages;
    ChannelBank bank(bankPath(options), messages);
    bank.load();
    if (!bank.readOnlyReason().empty()) {
        return 1;  // the bank's own message said why
    }
    if (!options.importChannels.empty()) {
        const BankReport report = bank.importFrom(options.importChannels);
        if (report.problem.empty()) {
            printReport(report);
        }
        return report.allTaken() ? 0 : 1;
    }
    if (!bank.exportTo(options.exportChannels)) {
        return 1;
    }
    print(std::to_string(bank.channels().size()) + " channels written to " +
          options.exportChannels + ".");
    return 0;
}

}  // namespace orvex
