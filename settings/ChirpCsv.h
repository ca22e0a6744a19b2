#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// CHIRP's CSV channel files, the format every radio programmer exchanges: the columns by name,
// what CHIRP writes where a radio has no value, and the file as a sequence of rows and comment
// lines. What a row means to this receiver is decided above (controls/ChannelRows.h).
namespace orvex {

enum class ChirpColumn {
    Location,
    Name,
    Frequency,
    Duplex,
    Offset,
    Tone,
    RToneFreq,
    CToneFreq,
    DtcsCode,
    DtcsPolarity,
    RxDtcsCode,
    CrossMode,
    Mode,
    TStep,
    Skip,
    Power,
    Comment,
    UrCall,
    Rpt1Call,
    Rpt2Call,
    DvCode,
};

struct ChirpColumnInfo {
    std::string_view name;
    // What CHIRP writes when the radio has no value. CHIRP refuses a row whose Power, rToneFreq,
    // TStep or DtcsCode is there but blank, so none of them is ever left blank.
    std::string_view fallback;
};

// In the order CHIRP writes them.
inline constexpr std::array<ChirpColumnInfo, 21> ChirpColumns{{
    {"Location", "0"},
    {"Name", ""},
    {"Frequency", "0.000000"},
    {"Duplex", "off"},  // a receiver: the transmitter is off
    {"Offset", "0.000000"},
    {"Tone", ""},
    {"rToneFreq", "88.5"},
    {"cToneFreq", "88.5"},
    {"DtcsCode", "023"},
    {"DtcsPolarity", "NN"},
    {"RxDtcsCode", "023"},
    {"CrossMode", "Tone->Tone"},
    {"Mode", "FM"},
    {"TStep", "5.00"},
    {"Skip", ""},
    {"Power", "50W"},
    {"Comment", ""},
    {"URCALL", ""},
    {"RPT1CALL", ""},
    {"RPT2CALL", ""},
    {"DVCODE", ""},
}};

// The Skip column's mark for a channel scans pass by.
inline constexpr std::string_view ChirpSkipMark = "S";

constexpr std::size_t columnIndex(ChirpColumn column) {
    return static_cast<std::size_t>(column);
}

// One row's fields by column; a column the file does not have reads as blank.
struct ChirpRow {
    std::array<std::string, ChirpColumns.size()> fields{};
    int line = 0;                // where the row begins in the file
    bool unclosedQuote = false;  // a quoted field ran to the end of the file

    const std::string& operator[](ChirpColumn column) const { return fields[columnIndex(column)]; }
    std::string& operator[](ChirpColumn column) { return fields[columnIndex(column)]; }
};

// A line kept as it was: a comment (its first field starts with '#'), or a row the reader
// above could not take, which stays in the file where it was.
struct ChirpLine {
    std::string text;
};

struct ChirpFile {
    std::vector<ChirpLine> beforeHeader;
    std::vector<std::variant<ChirpRow, ChirpLine>> body;  // in file order
    // The last record, when a quote opened in it never closes: it runs to the end of the file,
    // whatever follows it, so it is kept as it was and written last of all, after the header and
    // every row. A row of it is in the body too, to be reported.
    std::optional<ChirpLine> unclosed;
};

// The file, or why it is not a CHIRP CSV text at all (binary data, not UTF-8, no header with
// Location and Frequency). Read as CHIRP reads: the first line that is not a comment is the
// header, columns are found by name in any order, unknown columns are ignored, a byte-order
// mark is skipped, LF and CRLF both end lines.
std::variant<ChirpFile, std::string> readChirpFile(std::string_view text);

// The text CHIRP writes: the header of all its columns, then every item, CRLF after each line.
std::string chirpFileText(const ChirpFile& file);

// One row as CHIRP writes it, without its line end: a blank field gets its column's fallback.
std::string chirpRowText(const ChirpRow& row);
// One row with its fields as they are, blanks included, in CHIRP's column order: a row kept
// without being understood must not gain values it never had.
std::string chirpRowAsRead(const ChirpRow& row);

}  // namespace orvex
