// libFuzzer entry: any bytes must parse, come back unchanged, and take a value that reads back.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "core/SettingsStore.h"
#include "settings/IniDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using orvex::test::fuzzCheck;
    const std::string input(reinterpret_cast<const char*>(data), size);
    // The first byte says how many of the following bytes are the value; the rest is the text.
    const std::size_t valueLength =
        input.empty() ? 0 : std::min<std::size_t>(input[0] & 7, size - 1);
    const std::string value = input.substr(input.empty() ? 0 : 1, valueLength);
    const std::string text = input.substr(std::min(size, 1 + valueLength));

    orvex::IniDocument document(text);
    fuzzCheck(document.bytes() == text, "a document keeps every byte it was given");
    if (!orvex::IniDocument::problemWith("CONTROL", "Key", value).empty()) {
        return 0;
    }
    document.set("CONTROL", "Key", value);
    fuzzCheck(orvex::SettingsSnapshot(document.entries("control")).value("KEY") == value,
              "a value set reads back");
    return 0;
}
