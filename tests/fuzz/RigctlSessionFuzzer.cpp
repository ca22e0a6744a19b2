// libFuzzer entry: any bytes as what one client sends the rigctl server, into a session with the
// receiver behind it on a recording port. Every answer ends in LF, a setting answers RPRT n and
// nothing else, and how the bytes are split into arrivals changes no answer.
#include <QCoreApplication>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <regex>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "remote/RigctlCommands.h"
#include "remote/RigctlRequest.h"
#include "support/SessionRig.h"

namespace {

using orvex::test::fuzzCheck;
using orvex::test::SessionRig;
using orvex::test::Start;

// The host starts timers: they need an application object, though its loop never runs here.
void ensureApplication() {
    static int argc = 1;
    static char name[] = "fuzz_rigctl_session";
    static char* argv[] = {name, nullptr};
    static const QCoreApplication application(argc, argv);
}

bool endsEveryLine(const std::string& answer) {
    return answer.empty() || answer.back() == '\n';
}

// A line in the plain style that runs a setting (not one asking its choices with "?").
bool isPlainSetting(std::string_view line) {
    const orvex::rigctl::Request request = orvex::rigctl::parseRequest(line);
    const orvex::rigctl::Command* command = orvex::rigctl::findCommand(request.command);
    const bool asksChoices = request.arguments.size() == 1 && request.arguments.front() == "?";
    return !request.separator && command != nullptr &&
           command->kind == orvex::rigctl::Kind::Setting && !asksChoices;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ensureApplication();
    static const std::regex Report("RPRT (0|-[1-9][0-9]*)\n");
    if (size == 0) {
        return 0;
    }
    // The first byte chooses how the receiver starts: before a port is chosen, off, or on; the
    // rest is what the client sends.
    const Start start = static_cast<Start>(data[0] % 3);
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);

    // One client sends everything in one write; the other one line at a time, each LF-ended line
    // its own arrival, so that each line's answer can be told apart.
    SessionRig whole(start);
    SessionRig byLine(start);
    const std::string wholeAnswer = whole.ask(input);
    fuzzCheck(endsEveryLine(wholeAnswer), "every answer line ends in LF");

    std::string lineAnswers;
    for (std::size_t begin = 0; begin < input.size();) {
        const std::size_t end = std::min(input.find('\n', begin), input.size() - 1);
        const std::string_view arrival = input.substr(begin, end + 1 - begin);
        begin = end + 1;
        const bool finishedBefore = byLine.session.finished();
        const std::string answer = byLine.ask(arrival);
        lineAnswers += answer;
        fuzzCheck(endsEveryLine(answer), "every answer line ends in LF");
        const std::string_view line = arrival.substr(0, arrival.size() - 1);
        if (!finishedBefore && arrival.back() == '\n' &&
            line.find_first_of("\r\n") == std::string_view::npos &&
            line.size() <= orvex::RigctlSession::MaxLineBytes && isPlainSetting(line)) {
            fuzzCheck(std::regex_match(answer, Report), "a setting answers RPRT n alone");
        }
    }
    fuzzCheck(lineAnswers == wholeAnswer, "how the bytes arrive changes no answer");
    fuzzCheck(whole.session.finished() == byLine.session.finished(),
              "how the bytes arrive changes when the conversation ends");
    return 0;
}
