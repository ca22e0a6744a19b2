#include <string>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

#include "controls/ChannelRows.h"

namespace orvex {
namespace {

constexpr const char* Header =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

// What a channel holds for the operator, in one line to compare.
std::string summary(const Channel& c) {
    return std::to_string(c.location) + " " + c.name + " " + std::to_string(c.kHz) + " " +
           std::to_string(c.stepKHz) + (c.skip ? " skip" : "") +
           (c.comment.empty() ? "" : " [" + c.comment + "]");
}

ReadChannels read(const std::string& text, RefusedRows refused = RefusedRows::Drop) {
    auto result = readChannelFile(text, refused);
    if (const auto* problem = std::get_if<std::string>(&result)) {
        ADD_FAILURE() << "not read: " << *problem;
        return {};
    }
    return std::get<ReadChannels>(result);
}

std::vector<std::string> summaries(const ReadChannels& channels) {
    std::vector<std::string> lines;
    for (const ChannelList::Entry& entry : channels.list.entries) {
        lines.push_back(summary(entry.channel));
    }
    return lines;
}

std::vector<std::string> reports(const std::vector<RowReport>& rows) {
    std::vector<std::string> lines;
    for (const RowReport& row : rows) {
        lines.push_back(reportLine(row));
    }
    return lines;
}

struct Spelling {
    const char* what;
    std::string text;
};

std::ostream& operator<<(std::ostream& out, const Spelling& spelling) {
    return out << spelling.what;
}

class ChannelFileSpellings : public ::testing::TestWithParam<Spelling> {};

// However the file spells it, the same three channels load.
TEST_P(ChannelFileSpellings, LoadEveryChannel) {
    const ReadChannels channels = read(GetParam().text);
    EXPECT_EQ(summaries(channels),
              (std::vector<std::string>{"1 NOAA 15 137620 10", "2 Beacon, north 137500 100 skip",
                                        "3 Air 136705 5 [line one\nline two]"}));
    EXPECT_TRUE(channels.refused.empty()) << reports(channels.refused).front();
}

INSTANTIATE_TEST_SUITE_P(
    AsWritten, ChannelFileSpellings,
    ::testing::Values(
        Spelling{
            "as CHIRP writes it",
            std::string(Header) +
                "\r\n1,NOAA 15,137.620000,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,"
                "10.00,,50W,,,,,\r\n2,\"Beacon, north\",137.500000,,0.600000,Tone,100.0,88.5,"
                "023,NN,023,Tone->Tone,NFM,100.00,S,5.0W,,,,,\r\n3,Air,136.705000,,0.000000,,"
                "88.5,88.5,023,NN,023,Tone->Tone,WFM,5.00,,50W,\"line one\nline two\",,,,\r\n"},
        Spelling{"with the legacy header",
                 "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                 "DtcsPolarity,Mode,TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL\r\n"
                 "1,NOAA 15,137.62000,,0.60000,,88.5,88.5,023,NN,FM,10.00,,,,,\r\n"
                 "2,\"Beacon, north\",137.50000,,0.60000,,88.5,88.5,023,NN,FM,100.00,S,,,,\r\n"
                 "3,Air,136.70500,,0.00000,,88.5,88.5,023,NN,FM,5.00,,\"line one\nline two\""
                 ",,,\r\n"},
        Spelling{"in another order, with unknown columns, a BOM and LF line ends",
                 "\xEF\xBB\xBF"
                 "Frequency,Colour,Location,TStep,Skip,Name,Comment\n"
                 "137.62,red,1,10,,NOAA 15,\n"
                 "137.5 MHz,blue,2,100,S,\"Beacon, north\",\n"
                 "136705 kHz,,3,5,,Air,\"line one\nline two\"\n"},
        Spelling{"with Location and Frequency only, comments, blank lines and empty rows",
                 "# from the club's list\nLocation,Frequency,Name,TStep,Skip,Comment\r\n\r\n"
                 "3,136.705,Air,,,\"line one\nline two\"\r\n# the beacon\r\n"
                 "2,137.500,\"Beacon, north\",100,S,\r\n1,137.620,NOAA 15,10\r\n,,,,,\r\n"}));

// Every row that cannot be a channel says its line and why; the rows around it load.
TEST(ChannelRows, RefusedRowsSayTheirLineAndReason) {
    const ReadChannels channels = read(
        "Location,Name,Frequency,TStep\n"
        "1,ok,137.620,10\n"
        "2,high,145.500000,10\n"
        "3,between,136.7083,5\n"
        "1,again,137.100,10\n"
        "x,letters,137.100,10\n"
        ",none,137.100,10\n"
        "6,nothing,,10\n"
        "7,words,one hundred,10\n"
        "8,step,137.100,fast\n"
        "9,ok,138.000,10\n"
        "10,\"open quote,137.100,10\n");
    EXPECT_EQ(summaries(channels), (std::vector<std::string>{"1 ok 137620 10", "9 ok 138000 10"}));
    EXPECT_EQ(
        reports(channels.refused),
        (std::vector<std::string>{
            "Line 3 (Location 2): 145.500000 MHz lies outside the band 132 MHz - 144 MHz",
            "Line 4 (Location 3): 136.7083 MHz is not on the board's 5 kHz grid: the grid "
            "points beside it are 136.705 MHz and 136.710 MHz",
            "Line 5 (Location 1): Location 1 is taken by the row on line 2",
            "Line 6: its Location \"x\" is not a whole number", "Line 7: it has no Location",
            "Line 8 (Location 6): it has no Frequency",
            "Line 9 (Location 7): its Frequency \"one hundred\" is not a frequency in MHz",
            "Line 10 (Location 8): its TStep \"fast\" is not a tuning step in kHz",
            "Line 12 (Location 10): a quoted field is never closed, so the rest of the file is "
            "one field"}));
}

TEST(ChannelRows, StepsAndModesTheBoardLacksLoadWithANote) {
    const ReadChannels channels = read(
        "Location,Frequency,TStep,Mode,Skip\n"
        "1,137.500,12.50,FM,\n"
        "2,137.500,6.25,FM,\n"
        "3,137.625,10.00,FM,\n"
        "4,118.000,5.00,AM,\n"  // out of band: refused, not noted
        "5,137.100,5.00,AM,P\n");
    EXPECT_EQ(summaries(channels), (std::vector<std::string>{"1  137500 10", "2  137500 5",
                                                             "3  137625 5", "5  137100 5"}));
    EXPECT_EQ(reports(channels.notes),
              (std::vector<std::string>{
                  "Line 2 (Location 1): TStep 12.50 kHz is not a step of this receiver: the "
                  "channel steps by 10 kHz",
                  "Line 3 (Location 2): TStep 6.25 kHz is not a step of this receiver: the "
                  "channel steps by 5 kHz",
                  "Line 4 (Location 3): TStep 10.00 kHz does not reach 137.625 MHz on its "
                  "grid: the channel steps by 5 kHz",
                  "Line 6 (Location 5): Skip \"P\" is read as not skipped (only S skips a "
                  "channel)",
                  "Line 6 (Location 5): mode \"AM\": this receiver hears FM only, but the "
                  "channel's activity still shows"}));
}

TEST(ChannelRows, FilesThatAreNoChannelListAreRefusedWhole) {
    for (const std::string& text : {std::string("Name,Frequency\nx,137.5\n"),
                                    std::string("Location,Frequency\n1,") + '\0' + "\n",
                                    std::string("Location,Frequency\n1,137.5,\xFF\n")}) {
        EXPECT_TRUE(std::holds_alternative<std::string>(readChannelFile(text, RefusedRows::Drop)))
            << text;
    }
}

// What CHIRP itself writes for a receiver's channels: every column, defaults where this receiver
// has no value, CRLF; comments where they were; the bank's own rows it cannot take kept as read.
TEST(ChannelRows, TheBankIsWrittenAsChirpWritesIt) {
    const ReadChannels channels = read(
        "# kept\nLocation,Frequency,Name,Duplex,Power,TStep,Skip\n"
        "2,137.1,\"Say \"\"hi\"\"\",+,5.0W,10,S\n# beacon below\n1,137.5,Beacon,,,100,\n"
        "3,999,far away,,,10,\n# the end\n",
        RefusedRows::Keep);
    EXPECT_EQ(channelListText(channels.list),
              "# kept\r\n" + std::string(Header) +
                  "\r\n# beacon below\r\n"
                  "1,Beacon,137.500000,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,100.00,,"
                  "50W,,,,,\r\n"
                  "2,\"Say \"\"hi\"\"\",137.100000,+,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,"
                  "10.00,S,5.0W,,,,,\r\n"
                  "3,far away,999,,,,,,,,,,,10,,,,,,,\r\n# the end\r\n");
}

TEST(ChannelRows, ExportThenImportGivesTheSameBankByteForByte) {
    const ReadChannels original = read(
        "Location,Frequency,Name,TStep,Skip,Comment,Tone,rToneFreq,Power\n"
        "4,143.995,\"comma, quote \"\" and\nbreak\",5,S,é ü,TSQL,100.0,1.0W\n"
        "1,132.000,bottom,100,,,,,\n");
    const std::string first = channelListText(original.list);
    const ReadChannels again = read(first);
    EXPECT_EQ(summaries(again), summaries(original));
    EXPECT_EQ(channelListText(again.list), first);
}

}  // namespace
}  // namespace orvex
