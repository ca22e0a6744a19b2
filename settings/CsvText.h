#pragma once

#include <string>
#include <string_view>
#include <vector>

// Comma-separated text as spreadsheet programs and Python's csv module write it: fields split by
// commas, a field in double quotes may hold commas, quotes (doubled) and line breaks, records end
// in LF or CRLF.
namespace orvex {

struct CsvRecord {
    std::vector<std::string> fields;
    int line = 0;                // the line it begins on, counting from 1
    std::string_view text;       // the record as it stands in the text, without its line end
    bool unclosedQuote = false;  // a quoted field ran to the end of the text
};

// The records of a text, after a UTF-8 byte-order mark if there is one. Blank lines are no
// records. A stray quote inside an unquoted field is taken as it is, as Python's reader does.
std::vector<CsvRecord> csvRecords(std::string_view text);

// One field as it is written: in quotes, with its quotes doubled, when it holds a comma, a quote
// or a line break; else as it is.
std::string csvField(std::string_view text);

// The fields joined with commas, each written as csvField writes it; no line end.
std::string csvLine(const std::vector<std::string>& fields);

}  // namespace orvex
