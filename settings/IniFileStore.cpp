#include "settings/IniFileStore.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "files/PlainReason.h"
#include "files/SafeFile.h"
#include "files/SaveTarget.h"
#include "settings/IniDocument.h"
#include "settings/IniText.h"

namespace orvex {
namespace {

// Bytes no editor writes into an INI text: NUL and the other control characters, except the
// white space ones and the end-of-file mark of old DOS files.
bool isTextByte(unsigned char byte) {
    return byte >= 0x20 ? byte != 0x7F
                        : (byte == '\t' || byte == '\n' || byte == '\r' || byte == '\f' ||
                           byte == '\v' || byte == 0x1A);
}

// UTF-16 with its byte-order mark, or without one: mostly text in the ASCII range, where every
// character has a NUL in the same half.
bool looksLikeUtf16(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        return true;
    }
    std::array<std::size_t, 2> nuls{};
    const std::string_view start = bytes.substr(0, 256);
    for (std::size_t i = 0; i < start.size(); ++i) {
        nuls[i % 2] += start[i] == '\0' ? 1 : 0;
    }
    const std::size_t pairs = start.size() / 2;
    return pairs > 0 && (nuls[0] == 0 || nuls[1] == 0) && (nuls[0] + nuls[1]) * 10 >= pairs * 9;
}

// Why a file that gave no key of its section is no INI text at all, or empty when it is one.
std::string notUnderstood(std::string_view bytes) {
    if (looksLikeUtf16(bytes)) {
        return "it is UTF-16 text, and the program reads UTF-8; save it as UTF-8";
    }
    const bool binary = std::any_of(bytes.begin(), bytes.end(), [](char c) {
        return !isTextByte(static_cast<unsigned char>(c));
    });
    return binary ? "it holds binary data, not text" : "";
}

void checkWritable(const SettingsStore::Values& values) {
    for (const auto& [key, value] : values) {
        if (std::string problem = IniDocument::problemWith(IniFileStore::Section, key, value);
            !problem.empty()) {
            throw FileProblem(std::move(problem));
        }
    }
}

}  // namespace

IniFileStore::IniFileStore(std::filesystem::path path, MessageSink& messages,
                           std::chrono::milliseconds lockWait, WriteRights rights,
                           std::string option)
    : path_(std::move(path)),
      messages_(messages),
      lockWait_(lockWait),
      rights_(rights),
      option_(std::move(option)) {}

SettingsSnapshot IniFileStore::load() {
    try {
        std::optional<std::string> bytes = readWholeFile(path_, MaxBytes);
        if (!bytes) {
            return {};  // first run
        }
        IniDocument::Entries entries = IniDocument(*bytes).entries(Section);
        // A text with other sections only is a file shared with other tools; keys found in a
        // file that is not text are used as they are.
        const std::string reason = entries.empty() ? notUnderstood(*bytes) : std::string();
        if (!reason.empty() && !toldNotUnderstood_) {
            messages_.post("The settings file " + path_.string() + " was not understood (" +
                           reason +
                           "): the receiver starts with its start values, and the file "
                           "stays as it is.");
        }
        toldNotUnderstood_ = !reason.empty();
        return SettingsSnapshot(std::move(entries));
    } catch (const FileProblem& problem) {
        messages_.post("Could not read the settings from " + path_.string() + ": " +
                       problem.what() + ".");
        return {};
    }
}

bool IniFileStore::save(const Values& values) {
    try {
        checkWritable(values);
        const SaveTarget target = openSaveTarget(path_, rights_, {.option = option_});
        const SaveLock lock(target, lockWait_, rights_);

        IniDocument document;
        try {
            document = IniDocument(readWholeFile(target, MaxBytes).value_or(std::string()));
        } catch (const FileProblem& problem) {
            // Replacing a file we could not read would throw away whatever it holds.
            throw FileProblem(std::string("the file is there but cannot be read, so it was left "
                                          "as it is: ") +
                              problem.what());
        }
        if (const std::string notIni = notAnIniText(document.bytes()); !notIni.empty()) {
            throw FileProblem("it is not an INI file (" + notIni +
                              "), so it was left as it is; name a file of its own with " + option_);
        }
        for (const auto& [key, value] : values) {
            document.set(Section, key, value);
        }
        replaceFile(target, document.bytes(), rights_);
        return true;
    } catch (const FileProblem& problem) {
        messages_.post("Could not save the settings to " + path_.string() + ": " + problem.what() +
                       ". Your settings are still in effect but were not saved.");
        return false;
    }
}

}  // namespace orvex
