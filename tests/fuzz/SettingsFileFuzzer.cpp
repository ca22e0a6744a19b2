// libFuzzer entry: any bytes as the settings file. The receiver starts on it, LPT1 or LPT2 is
// chosen, the receiver is switched on and off (which saves), and the file must then hold exactly
// what power-off wrote, every other line as it was, and start the next receiver silently with the
// same settings; or, when the bytes are no INI text, stay as they were, with one message.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "controls/MessageQueue.h"
#include "controls/Receiver.h"
#include "core/NumberText.h"
#include "hardware/Recorder.h"
#include "settings/IniDocument.h"
#include "settings/IniFileStore.h"
#include "settings/IniText.h"
#include "support/TestFiles.h"

namespace {

namespace fs = std::filesystem;
using orvex::test::fuzzCheck;

// The file power-off leaves: the given one with its five keys set to what the receiver holds.
std::string expectedAfterPowerOff(const std::string& before, const orvex::Receiver& receiver) {
    orvex::IniDocument document(before);
    const auto set = [&document](const char* key, double value) {
        document.set(orvex::IniFileStore::Section, key, orvex::numberText(value));
    };
    set("AUDIO", receiver.volumePosition());
    set("SQL", receiver.squelchPosition() / 1000.0);
    set("OFF_FREQUENCY", receiver.offFrequencyKHz());
    set("STEP_FREQ", receiver.stepKHz());
    set("PORT", receiver.portBase());
    return document.bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const orvex::test::TempFolder folder("orvex-fuzz-settings");
    const fs::path path = folder.path() / "ORVEX.ini";
    const std::string before(reinterpret_cast<const char*>(data), size);
    orvex::test::writeFile(path, before);

    orvex::MessageQueue messages;
    orvex::IniFileStore store(path, messages);
    orvex::Recorder board;
    orvex::Receiver receiver(board, board, store, messages);
    receiver.Form_Load();
    messages.take();  // damaged keys are named at start-up
    receiver.Toggle3_Change(true);
    if (size % 2 == 0) {
        receiver.Form2_LPT1_Click();
    } else {
        receiver.Form2_LPT2_Click();
    }
    receiver.Form2_Command1_Click();
    receiver.Toggle7_Change(true);
    receiver.Toggle7_Change(false);
    const std::vector<std::string> told = messages.take();
    if (!orvex::notAnIniText(before).empty()) {
        fuzzCheck(told.size() == 1 && told[0].find("it is not an INI file") != std::string::npos,
                  "a file that is no INI text is not saved, and the one message says why");
        fuzzCheck(orvex::test::readFile(path) == before, "it stays byte for byte as it was");
        return 0;
    }
    fuzzCheck(told.empty(), "switching on and off and saving says nothing");

    fuzzCheck(orvex::test::readFile(path) == expectedAfterPowerOff(before, receiver),
              "the file holds the five keys power-off wrote and every other line as it was");
    const std::string temporary = "." + path.filename().string() + ".tmp-";
    fuzzCheck(std::none_of(fs::directory_iterator(path.parent_path()), fs::directory_iterator(),
                           [&temporary](const fs::directory_entry& entry) {
                               return entry.path().filename().string().starts_with(temporary);
                           }),
              "no temporary file is left behind");

    orvex::Receiver next(board, board, store, messages);
    next.Form_Load();
    fuzzCheck(messages.take().empty(), "the saved file starts the next receiver silently");
    fuzzCheck(next.volumePosition() == receiver.volumePosition() &&
                  next.squelchPosition() == receiver.squelchPosition() &&
                  next.offFrequencyKHz() == receiver.offFrequencyKHz() &&
                  next.stepKHz() == receiver.stepKHz(),
              "the next receiver starts with the settings saved");
    return 0;
}
