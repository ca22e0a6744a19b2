#include <stdexcept>

#include <gtest/gtest.h>

#include "settings/IniDocument.h"

namespace orvex {
namespace {

using Entries = IniDocument::Entries;

TEST(IniDocumentReading, CollectsTheEntriesOfEverySectionOfThatNameInFileOrder) {
    const IniDocument document(
        "\xEF\xBB\xBF[ control ]\r\n"  // byte-order mark, blanks inside the brackets
        "; AUDIO=9 is a comment\r\n"
        "  AUDIO =  3 \r\n"
        "no equals sign here\r\n"
        "=orphan value\r\n"
        "[OTHER]\n"
        "SQL=0.5\n"
        "[Control] trailing words\r"  // lone CR ends a line too
        "# SQL=0.9\r"
        "SQL=0.25\r"
        "AUDIO=4 ; not a comment\r"
        "[CONTROL\n"  // no closing bracket: not a header, the section goes on
        "PORT=888");
    const Entries expected{
        {"AUDIO", "3"}, {"SQL", "0.25"}, {"AUDIO", "4 ; not a comment"}, {"PORT", "888"}};
    EXPECT_EQ(document.entries("CONTROL"), expected);
    EXPECT_EQ(document.entries("other"), (Entries{{"SQL", "0.5"}}));
    EXPECT_TRUE(document.entries("MISSING").empty());
}

TEST(IniDocumentWriting, ReplacesTheWinningLineKeepingItsKeySpellingAndLineEnding) {
    IniDocument document("[Control]\r\n  audio = 1 \r\n;x\r\n\taudio\t=\t2\t\r\n[OTHER]\r\n");
    document.set("CONTROL", "AUDIO", "3");
    EXPECT_EQ(document.bytes(), "[Control]\r\n  audio = 1 \r\n;x\r\naudio=3\r\n[OTHER]\r\n");
}

TEST(IniDocumentWriting, AddsAMissingKeyAfterTheLastEntryOfTheLastSuchSection) {
    IniDocument document("[CONTROL]\nA=1\n[X]\n[CONTROL]\nB=2\n\n; memories\n\n[Y]\nC=3\n");
    document.set("CONTROL", "NEW", "5");
    EXPECT_EQ(document.bytes(),
              "[CONTROL]\nA=1\n[X]\n[CONTROL]\nB=2\nNEW=5\n\n; memories\n\n[Y]\nC=3\n");

    IniDocument headerOnly("[CONTROL]");
    headerOnly.set("CONTROL", "A", "1");
    EXPECT_EQ(headerOnly.bytes(), "[CONTROL]\nA=1\n");
}

TEST(IniDocumentWriting, AppendsAMissingSectionWithTheFilesLineEnding) {
    IniDocument crlfWithoutFinalEnding("[OTHER]\r\nB=2");
    crlfWithoutFinalEnding.set("CONTROL", "AUDIO", "3");
    EXPECT_EQ(crlfWithoutFinalEnding.bytes(), "[OTHER]\r\nB=2\r\n[CONTROL]\r\nAUDIO=3\r\n");

    IniDocument empty;
    empty.set("CONTROL", "AUDIO", "3");
    empty.set("CONTROL", "SQL", "");
    EXPECT_EQ(empty.bytes(), "[CONTROL]\nAUDIO=3\nSQL=\n");
}

TEST(IniDocumentWriting, RefusesKeysAndValuesThatWouldNotReadBackTheSame) {
    const std::string original = "[CONTROL]\nA=1\n";
    IniDocument document(original);
    const std::vector<std::pair<std::string, std::string>> refused{
        {"", "1"},     {"A=B", "1"},  {" A", "1"},  {"[A", "1"}, {";A", "1"},  {"#A", "1"},
        {"A\nB", "1"}, {"A", "1\n2"}, {"A", "1\r"}, {"A", " 1"}, {"A", "1\t"},
    };
    for (const auto& [key, value] : refused) {
        EXPECT_FALSE(IniDocument::problemWith("CONTROL", key, value).empty()) << key << value;
        EXPECT_THROW(document.set("CONTROL", key, value), std::invalid_argument) << key << value;
    }
    EXPECT_THROW(document.set("CON]TROL", "A", "1"), std::invalid_argument);
    EXPECT_EQ(document.bytes(), original);
}

}  // namespace
}  // namespace orvex
