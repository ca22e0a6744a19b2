#include <array>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/SettingsStore.h"
#include "settings/IniDocument.h"

// Random documents built from the pieces that matter to a reader (brackets, "=", comment marks,
// blanks, every kind of line ending, NUL and bytes that are not UTF-8) must survive untouched,
// and a set() must change nothing but its own lines.
namespace orvex {
namespace {

struct Line {
    std::string text;
    std::string ending;
    bool operator==(const Line&) const = default;
};

// Written apart from the library's own line reader, so the two check each other.
std::vector<Line> splitLines(const std::string& bytes) {
    std::vector<Line> lines;
    Line current;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' || bytes[i] == '\r') {
            current.ending = (bytes.compare(i, 2, "\r\n") == 0) ? "\r\n" : bytes.substr(i, 1);
            i += current.ending.size() - 1;
            lines.push_back(std::exchange(current, {}));
        } else {
            current.text += bytes[i];
        }
    }
    if (!current.text.empty()) {
        lines.push_back(current);
    }
    return lines;
}

class RandomText {
public:
    std::string document() {
        static constexpr std::array<std::string_view, 22> pieces{"[CONTROL]",
                                                                 "[control]",
                                                                 "[ Control ]",
                                                                 "[OTHER]",
                                                                 "[",
                                                                 "]",
                                                                 "=",
                                                                 ";",
                                                                 "#",
                                                                 " ",
                                                                 "\t",
                                                                 "\r",
                                                                 "\n",
                                                                 "\r\n",
                                                                 "key",
                                                                 "KEY",
                                                                 "k",
                                                                 "value",
                                                                 "0.25",
                                                                 std::string_view("\0", 1),
                                                                 "\xEF\xBB\xBF",
                                                                 "\xFF\xC3"};
        std::string text;
        const int length = pick(0, 40);
        for (int i = 0; i < length; ++i) {
            text += pick(0, 5) == 0 ? std::string(1, static_cast<char>(pick(0, 255)))
                                    : std::string(pieces[static_cast<std::size_t>(pick(0, 21))]);
        }
        return text;
    }

    std::string key() {
        static constexpr std::array<std::string_view, 4> keys{"key", "KEY", "k", "a b"};
        return std::string(keys[static_cast<std::size_t>(pick(0, 3))]);
    }

    // Any bytes but line breaks, without blanks at the ends.
    std::string value() {
        std::string text;
        const int length = pick(0, 6);
        for (int i = 0; i < length; ++i) {
            char c = static_cast<char>(pick(0, 255));
            text += (c == '\r' || c == '\n' || c == ' ' || c == '\t') ? '=' : c;
        }
        return text;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }

    std::mt19937 engine_{20240611};
};

// Every line of `before` is in `after`, byte for byte, apart from what one set() may do: replace
// one line, insert one, or append a header and an entry, giving the old last line an ending
// first if it had none.
void expectOnlyTheSetLinesChanged(const std::string& before, const std::string& after,
                                  const std::string& value) {
    const std::vector<Line> old = splitLines(before);
    const std::vector<Line> now = splitLines(after);
    std::size_t prefix = 0;
    while (prefix < old.size() && prefix < now.size() && old[prefix] == now[prefix]) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < old.size() - prefix && suffix < now.size() - prefix &&
           old[old.size() - 1 - suffix] == now[now.size() - 1 - suffix]) {
        ++suffix;
    }
    std::size_t oldChanged = old.size() - prefix - suffix;
    std::size_t newChanged = now.size() - prefix - suffix;
    if (oldChanged == 1 && newChanged >= 2 && prefix + 1 == old.size() &&
        old[prefix].ending.empty() && now[prefix].text == old[prefix].text) {
        ++prefix;  // the old last line only gained an ending
        oldChanged = 0;
        --newChanged;
    }
    ASSERT_LE(oldChanged, 1u) << "lost or changed more than one line";
    ASSERT_GE(newChanged, oldChanged);
    ASSERT_LE(newChanged, oldChanged == 1 ? 1u : 2u);
    if (newChanged == 0) {
        return;  // the key already held exactly this line
    }
    const Line& entry = now[prefix + newChanged - 1];
    EXPECT_TRUE(entry.text.ends_with("=" + value)) << entry.text;
    if (oldChanged == 1) {
        EXPECT_EQ(entry.ending, old[prefix].ending);
    } else if (newChanged == 2) {
        EXPECT_EQ(now[prefix].text, "[CONTROL]");
    }
}

TEST(IniDocumentFuzz, RandomDocumentsSurviveAndTakeANewValueInTheirOwnLines) {
    RandomText random;
    for (int round = 0; round < 5000; ++round) {
        const std::string before = random.document();
        IniDocument document(before);
        ASSERT_EQ(document.bytes(), before);

        const std::string key = random.key();
        const std::string value = random.value();
        document.set("CONTROL", key, value);
        EXPECT_EQ(SettingsSnapshot(document.entries("CONTROL")).value(key), value)
            << "round " << round;
        expectOnlyTheSetLinesChanged(before, document.bytes(), value);
        if (HasFatalFailure() || HasNonfatalFailure()) {
            FAIL() << "round " << round << ", document " << ::testing::PrintToString(before);
        }
    }
}

}  // namespace
}  // namespace orvex
