#include "settings/CsvText.h"

namespace orvex {
namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool lineEndAt(std::string_view text, std::size_t at) {
    return text[at] == '\n' || (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n');
}

std::size_t lineEndLength(std::string_view text, std::size_t at) {
    return text[at] == '\r' ? 2 : 1;
}

// Reads one record from `at`, which it leaves after the record's line end.
CsvRecord readRecord(std::string_view text, std::size_t& at, int& line) {
    CsvRecord record;
    record.line = line;
    const std::size_t start = at;
    std::string field;
    bool quoted = false;
    bool fieldStarted = false;
    while (at < text.size()) {
        const char c = text[at];
        if (quoted) {
            if (c == '"' && at + 1 < text.size() && text[at + 1] == '"') {
                field += '"';
                at += 2;
                continue;
            }
            if (c == '"') {
                quoted = false;
            } else {
                line += c == '\n' ? 1 : 0;
                field += c;
            }
            ++at;
            continue;
        }
        if (lineEndAt(text, at)) {
            record.text = text.substr(start, at - start);
            at += lineEndLength(text, at);
            ++line;
            record.fields.push_back(std::move(field));
            return record;
        }
        if (c == ',') {
            record.fields.push_back(std::move(field));
            field.clear();
            fieldStarted = false;
        } else if (c == '"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else {
            field += c;
            fieldStarted = true;
        }
        ++at;
    }
    record.unclosedQuote = quoted;
    record.text = text.substr(start);
    record.fields.push_back(std::move(field));
    return record;
}

}  // namespace

std::vector<CsvRecord> csvRecords(std::string_view text) {
    if (text.starts_with(ByteOrderMark)) {
        text.remove_prefix(ByteOrderMark.size());
    }
    std::vector<CsvRecord> records;
    std::size_t at = 0;
    int line = 1;
    while (at < text.size()) {
        if (lineEndAt(text, at)) {
            at += lineEndLength(text, at);
            ++line;
            continue;
        }
        records.push_back(readRecord(text, at, line));
    }
    return records;
}

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

std::string csvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        line += (i == 0 ? "" : ",") + csvField(fields[i]);
    }
    return line;
}

}  // namespace orvex
