#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "controls/MessageQueue.h"
#include "controls/Receiver.h"
#include "hardware/Recorder.h"

namespace orvex::test {

// The settings file as a map, counting the saves; with `failing` every save fails and keeps
// nothing.
class MemorySettings : public SettingsStore {
public:
    SettingsSnapshot load() override {
        ++loads;
        return SettingsSnapshot(entries);
    }
    bool save(const Values& values) override {
        ++saves;
        if (failing) {
            return false;
        }
        lastSave = values;
        for (const auto& [key, text] : values) {
            set(key, text);
        }
        return true;
    }
    void set(const std::string& key, const std::string& text) {
        for (auto& entry : entries) {
            if (entry.first == key) {
                entry.second = text;
                return;
            }
        }
        entries.emplace_back(key, text);
    }
    std::string get(const std::string& key) const {
        return SettingsSnapshot(entries).value(key).value_or("<missing>");
    }

    Values entries;
    Values lastSave;
    int saves = 0;
    int loads = 0;
    bool failing = false;
};

// A word the synthesizer latched: how many bits were shifted in, and their value.
struct LatchedWord {
    int bits = 0;
    int value = 0;
    friend bool operator==(const LatchedWord&, const LatchedWord&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const LatchedWord& word) {
    return out << word.bits << " bits = " << word.value;
}

// Decodes the synthesizer words from data-register values the way the chip sees them: a bit on
// each rising clock edge, a word on each rising enable edge.
std::vector<LatchedWord> latchedWords(const std::vector<int>& dataWrites);

// Answers the converter: each measurement tick's four transfers shift out a spare byte, then the
// signal byte, the supply byte and a spare byte again.
class ScriptedConverter : public PortIo {
public:
    void setBytes(int signal, int supply) {
        signal_ = signal;
        supply_ = supply;
        reads_ = 0;
    }
    void write(const PortAccess&) override {}
    std::uint8_t read(const PortAccess&) override {
        const int transfer = (reads_ / 8) % 4;
        const int bit = 7 - reads_ % 8;
        ++reads_;
        const int byte = transfer == 1 ? signal_ : transfer == 2 ? supply_ : 0;
        return ((byte >> bit) & 1) != 0 ? 0x40 : 0;
    }

private:
    int signal_ = 0;
    int supply_ = 0;
    int reads_ = 0;
};

// The receiver with a recording port, an in-memory settings file and a message queue.
struct ReceiverRig {
    ScriptedConverter board;
    Recorder recorder{&board};
    MemorySettings settings;
    MessageQueue messages;
    Receiver receiver{recorder, recorder, settings, messages};
};

class ReceiverTest : public ::testing::Test, protected ReceiverRig {
protected:
    void startUp() {
        receiver.Form_Load();
        recorder.clear();
    }
    void choosePort(bool lpt2 = false) {
        settings.set("PORT", lpt2 ? "632" : "888");
        receiver.Toggle3_Change(true);
        receiver.Form2_Command1_Click();
        recorder.clear();
    }
    void powerOn() {
        receiver.Toggle7_Change(true);
        recorder.clear();
    }
    std::vector<int> dataWrites() const { return recorder.writes(Register::Data); }
    std::vector<int> controlWrites() const { return recorder.writes(Register::Control); }
    std::vector<LatchedWord> words() const { return latchedWords(dataWrites()); }
    const ReceiverState& state() const { return receiver.state(); }
    const PanelModel& panel() const { return receiver.panel(); }
};

}  // namespace orvex::test
