#include "settings/ChirpCsv.h"

#include <algorithm>
#include <optional>

#include "settings/CsvText.h"

namespace orvex {
namespace {

constexpr std::string_view LineEnd = "\r\n";

bool isComment(const CsvRecord& record) {
    return !record.fields.empty() && record.fields.front().starts_with('#');
}

// Control characters other than tab and line ends: the mark of a file that is not text.
bool holdsBinary(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n') || byte == 0x7F;
    });
}

// Whether every byte sequence is a well-formed UTF-8 character.
bool isUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
        } else if (lead >= 0xE0) {
            length = 3;
        } else if (lead >= 0xC2 && lead < 0xE0) {
            length = 2;
        } else if (lead >= 0x80) {
            return false;
        }
        if (i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

std::optional<std::size_t> columnNamed(std::string_view name) {
    const auto found = std::find_if(ChirpColumns.begin(), ChirpColumns.end(),
                                    [name](const ChirpColumnInfo& c) { return c.name == name; });
    if (found == ChirpColumns.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - ChirpColumns.begin());
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// For each field of the header, the column it holds, if it is one of CHIRP's; the first of two
// fields with the same name is the one read.
std::vector<std::optional<std::size_t>> headerColumns(const CsvRecord& header) {
    std::vector<std::optional<std::size_t>> columns;
    std::array<bool, ChirpColumns.size()> seen{};
    for (const std::string& field : header.fields) {
        std::optional<std::size_t> column = columnNamed(trimmed(field));
        if (column && seen[*column]) {
            column.reset();
        }
        if (column) {
            seen[*column] = true;
        }
        columns.push_back(column);
    }
    return columns;
}

}  // namespace

std::variant<ChirpFile, std::string> readChirpFile(std::string_view text) {
    if (holdsBinary(text)) {
        return std::string("it holds binary data, not text");
    }
    if (!isUtf8(text)) {
        return std::string("it is not UTF-8 text; save it as UTF-8");
    }
    ChirpFile file;
    std::optional<std::vector<std::optional<std::size_t>>> columns;
    for (const CsvRecord& record : csvRecords(text)) {
        // A header whose quote never closes has nothing after it; another such record is kept.
        if (record.unclosedQuote && (columns || isComment(record))) {
            std::string_view rest = record.text;
            rest.remove_suffix(rest.ends_with("\r\n") ? 2 : rest.ends_with('\n') ? 1 : 0);
            file.unclosed = ChirpLine{std::string(rest)};
        }
        if (isComment(record)) {
            if (record.unclosedQuote) {
                continue;
            }
            ChirpLine comment{std::string(record.text)};
            if (columns) {
                file.body.emplace_back(std::move(comment));
            } else {
                file.beforeHeader.push_back(std::move(comment));
            }
            continue;
        }
        if (!columns) {
            columns = headerColumns(record);
            const auto has = [&](ChirpColumn column) {
                return std::find(columns->begin(), columns->end(), columnIndex(column)) !=
                       columns->end();
            };
            if (!has(ChirpColumn::Location) || !has(ChirpColumn::Frequency)) {
                return std::string(
                    "its first line is no CHIRP header: it needs the columns Location and "
                    "Frequency");
            }
            continue;
        }
        ChirpRow row;
        row.line = record.line;
        row.unclosedQuote = record.unclosedQuote;
        // A row shorter than the header has blanks in the columns it lacks.
        const std::size_t count = std::min(record.fields.size(), columns->size());
        for (std::size_t i = 0; i < count; ++i) {
            if (const std::optional<std::size_t> column = (*columns)[i]) {
                row.fields[*column] = record.fields[i];
            }
        }
        file.body.emplace_back(std::move(row));
    }
    return file;
}

std::string chirpRowText(const ChirpRow& row) {
    std::vector<std::string> fields;
    fields.reserve(ChirpColumns.size());
    for (std::size_t i = 0; i < ChirpColumns.size(); ++i) {
        fields.push_back(row.fields[i].empty() ? std::string(ChirpColumns[i].fallback)
                                               : row.fields[i]);
    }
    return csvLine(fields);
}

std::string chirpRowAsRead(const ChirpRow& row) {
    return csvLine(std::vector<std::string>(row.fields.begin(), row.fields.end()));
}

std::string chirpFileText(const ChirpFile& file) {
    std::string text;
    for (const ChirpLine& comment : file.beforeHeader) {
        text.append(comment.text).append(LineEnd);
    }
    std::vector<std::string> names;
    for (const ChirpColumnInfo& column : ChirpColumns) {
        names.emplace_back(column.name);
    }
    text.append(csvLine(names)).append(LineEnd);
    for (const auto& item : file.body) {
        if (const auto* row = std::get_if<ChirpRow>(&item)) {
            text.append(chirpRowText(*row));
        } else {
            text.append(std::get<ChirpLine>(item).text);
        }
        text.append(LineEnd);
    }
    if (file.unclosed) {
        text.append(file.unclosed->text).append(LineEnd);
    }
    return text;
}

}  // namespace orvex
