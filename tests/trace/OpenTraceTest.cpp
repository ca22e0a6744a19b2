#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "../common/TestFiles.h"
#include "hardware/trace/OpenTrace.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;

class Messages : public MessageSink {
public:
    void post(std::string message) override { posted.push_back(std::move(message)); }
    std::vector<std::string> posted;
};

class TraceFile : public ::testing::Test {
protected:
    static std::string contents(const fs::path& path) {
        std::ifstream file(path);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    // Traces one write into a new file and gives back what the file holds.
    std::string traceOneWrite(const std::string& name) {
        const fs::path path = folder / name;
        auto trace = openTrace(path.string(), messages);
        EXPECT_NE(trace, nullptr);
        if (trace != nullptr) {
            trace->heard(AccessKind::Write, {888, Register::Data, 128, false});
        }
        trace.reset();
        return contents(path);
    }

    const test::TempFolder temp{"orvex-trace"};
    const fs::path folder = temp.path();
    Messages messages;
};

TEST_F(TraceFile, ANameEndingInVcdGivesAValueChangeDump) {
    const std::string text = traceOneWrite("port.vcd");
    EXPECT_TRUE(text.starts_with("$version orvex port trace 1 $end\n$timescale 1ns $end\n"));
    EXPECT_NE(text.find("\n1a\n"), std::string::npos) << "the power line went high";
}

TEST_F(TraceFile, AnyOtherNameGivesText) {
    const std::string text = traceOneWrite("port.log");
    EXPECT_TRUE(text.starts_with("# orvex port trace 1\n")) << text;
    EXPECT_TRUE(text.ends_with(" W 888 128\n")) << text;
}

TEST_F(TraceFile, FlushPutsEverythingIntoTheFileWhileTheTraceRuns) {
    const fs::path path = folder / "port.txt";
    auto trace = openTrace(path.string(), messages);
    ASSERT_NE(trace, nullptr);
    trace->heard(AccessKind::Write, {888, Register::Data, 136, false});
    trace->flush();
    EXPECT_TRUE(contents(path).ends_with(" W 888 136\n"));
}

TEST_F(TraceFile, AFileThatCannotBeCreatedIsToldAndNoTraceIsMade) {
    const fs::path path = folder / "missing" / "port.vcd";
    EXPECT_EQ(openTrace(path.string(), messages), nullptr);
    EXPECT_EQ(messages.posted,
              std::vector<std::string>{"Cannot create the port trace " + path.string() +
                                       " (No such file or directory): choose a folder you may "
                                       "write to; the receiver runs on without a trace"});
}

}  // namespace
}  // namespace orvex
