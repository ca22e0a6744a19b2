#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include "hardware/trace/OpenTrace.h"
#include "support/SudoEnvironment.h"
#include "support/TestFiles.h"

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
        auto trace = openTrace({path.string()}, messages);
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
    auto trace = openTrace({path.string()}, messages);
    ASSERT_NE(trace, nullptr);
    trace->heard(AccessKind::Write, {888, Register::Data, 136, false});
    trace->flush();
    EXPECT_TRUE(contents(path).ends_with(" W 888 136\n"));
}

TEST_F(TraceFile, AFileThatCannotBeCreatedIsToldAndNoTraceIsMade) {
    const fs::path path = folder / "missing" / "port.vcd";
    EXPECT_EQ(openTrace({path.string()}, messages), nullptr);
    EXPECT_EQ(messages.posted,
              std::vector<std::string>{"Cannot create the port trace " + path.string() +
                                       " (No such file or directory): choose a folder you may "
                                       "write to; the receiver runs on without a trace"});
}

TEST_F(TraceFile, AnythingButARegularFileOrDevNullIsRefusedAtOnce) {
    const fs::path fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);  // for the second case
    const std::vector<std::pair<fs::path, std::string>> cases{
        {fifo, "is not a regular file"},  // read: taken only when the trace is a regular file
        {folder, "is a folder"},
    };
    for (const auto& [path, reason] : cases) {
        EXPECT_EQ(openTrace({path.string()}, messages), nullptr);
        ASSERT_EQ(messages.posted.size(), 1u);
        EXPECT_EQ(messages.posted[0], "The port trace " + path.string() + " " + reason +
                                          (path == fifo ? ": name a regular file, or /dev/null"
                                                        : ": name a file in it") +
                                          "; the receiver runs on without a trace");
        messages.posted.clear();
    }
    ::close(reader);
    // Nobody reads the FIFO now: a blocking open would hang here.
    EXPECT_EQ(openTrace({fifo.string()}, messages), nullptr);
    EXPECT_EQ(messages.posted.size(), 1u);
    EXPECT_NE(openTrace({"/dev/null"}, messages), nullptr);
}

TEST_F(TraceFile, TheSettingsFileIsNeverTakenForTheTraceUnderAnyName) {
    const fs::path settings = folder / "ORVEX.ini";
    const fs::path link = folder / "link.ini";
    const fs::path hardLink = folder / "hard.ini";
    const std::vector<std::pair<fs::path, std::function<void()>>> cases{
        {settings, [] {}},                                    // neither there yet
        {link, [&] { fs::create_symlink(settings, link); }},  // the link's target not made yet
        {link, [&] { std::ofstream(settings) << "[CONTROL]\nAUDIO=3\n"; }},
        {hardLink, [&] { fs::create_hard_link(settings, hardLink); }},
    };
    for (const auto& [path, make] : cases) {
        make();
        EXPECT_EQ(openTrace({path.string(), settings.string()}, messages), nullptr) << path;
        ASSERT_EQ(messages.posted.size(), 1u) << path;
        EXPECT_NE(messages.posted[0].find("is the settings file, which a trace would empty"),
                  std::string::npos)
            << messages.posted[0];
        messages.posted.clear();
    }
    EXPECT_EQ(contents(settings), "[CONTROL]\nAUDIO=3\n");
}

// The program as `sudo -E orvex` starts it: root rights, SUDO_UID and SUDO_GID naming the user.
class RootRun : public TraceFile {
protected:
    static constexpr uid_t Invoker = 65534;

    void SetUp() override {
        if (::geteuid() != 0) {
            GTEST_SKIP() << "a run with root rights needs the suite to run as root, as in CI";
        }
    }

    test::SudoEnvironment sudoEnvironment{Invoker};
};

TEST_F(RootRun, FollowsNoLinkAndGivesANewTraceToTheFoldersOwner) {
    const fs::path victim = folder / "victim";
    std::ofstream(victim) << "kept";
    fs::create_symlink(victim, folder / "link.txt");
    EXPECT_EQ(openTrace({(folder / "link.txt").string()}, messages), nullptr);
    EXPECT_EQ(contents(victim), "kept");

    const fs::path home = folder / "home";
    fs::create_directory(home);
    ASSERT_EQ(::chown(home.c_str(), Invoker, Invoker), 0);
    EXPECT_NE(openTrace({(home / "ports.txt").string()}, messages), nullptr);
    struct stat made {};
    ASSERT_EQ(::stat((home / "ports.txt").c_str(), &made), 0);
    EXPECT_EQ(made.st_uid, Invoker);
}

TEST_F(RootRun, WritesNoKernelFileAndReplacesOnlyAnEmptyFileOrAnEarlierTrace) {
    const std::string earlier = traceOneWrite("earlier.vcd");
    test::writeFile(folder / "empty.txt", "");
    test::writeFile(folder / "notes.txt", "precious\n");
    const std::vector<std::pair<fs::path, bool>> cases{
        {"/proc/self/comm", false},  // a kernel file whose change harms nobody
        {folder / "notes.txt", false},
        {folder / "empty.txt", true},
        {folder / "earlier.vcd", true},
    };
    for (const auto& [path, taken] : cases) {
        auto trace = openTrace({path.string()}, messages);
        EXPECT_EQ(trace != nullptr, taken) << path;
        EXPECT_EQ(messages.posted.size(), taken ? 0u : 1u) << path;
        messages.posted.clear();
    }
    EXPECT_EQ(test::readFile(folder / "notes.txt"), "precious\n");
    EXPECT_EQ(test::readFile("/proc/self/comm"), "trace_tests\n");
    EXPECT_TRUE(test::readFile(folder / "earlier.vcd").starts_with("$version orvex port trace 1"));
}

// In a child process, which alone takes the file-size limit: traces into `path` until the file
// refuses a write, then exits 0 when the trace told so and ended.
void traceUntilTheLimit(const fs::path& path) {
    std::signal(SIGXFSZ, SIG_IGN);  // as the program does
    rlimit limit{4000, RLIM_INFINITY};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    Messages messages;
    auto trace = openTrace({path.string()}, messages);
    for (int i = 0; trace != nullptr && i < 10000 && messages.posted.empty(); ++i) {
        trace->heard(AccessKind::Write, {888, Register::Data, static_cast<std::uint8_t>(i), false});
    }
    trace.reset();
    std::cerr << (messages.posted.empty() ? "" : messages.posted[0]);
    std::_Exit(messages.posted.empty() ? 1 : 0);
}

TEST_F(TraceFile, AWriteTheDiskRefusesEndsTheTraceOnAWholeLine) {
    const fs::path path = folder / "ports.txt";
    EXPECT_EXIT(traceUntilTheLimit(path), ::testing::ExitedWithCode(0), "could not be written");
    const std::string text = test::readFile(path);
    EXPECT_GT(text.size(), 3000u);
    EXPECT_LE(text.size(), 4000u);
    ASSERT_TRUE(text.ends_with("\n"));
    const std::string last = text.substr(text.rfind('\n', text.size() - 2) + 1);
    EXPECT_TRUE(std::regex_match(last, std::regex(R"(\d+\.\d{6} W 888 \d+\n)"))) << last;
}

}  // namespace
}  // namespace orvex
