#include "remote/RigctlSession.h"

#include "controls/SatelliteTracking.h"
#include "remote/RigctlRequest.h"

namespace orvex {
namespace {

using rigctl::Command;
using rigctl::Kind;
using rigctl::Outcome;
using rigctl::Request;
using rigctl::Status;

std::string report(Status status) {
    const int code = static_cast<int>(status);
    return code == 0 ? "RPRT 0\n" : "RPRT -" + std::to_string(code) + "\n";
}

// "?" as the only argument asks what a command takes: the names, each followed by a blank; a
// setting adds its report.
Outcome choicesOf(const Command& command) {
    Outcome outcome;
    outcome.values.push_back(std::string(command.choices) + " ");
    return outcome;
}

// The plain style: a query's data lines, or its report when it fails; a setting's report.
std::string plain(const Command& command, const Outcome& outcome) {
    std::string text;
    if (outcome.status == Status::Ok || command.kind == Kind::Setting) {
        for (const std::string& value : outcome.values) {
            text += value + "\n";
        }
    }
    if (command.kind == Kind::Setting || outcome.status != Status::Ok) {
        text += report(outcome.status);
    }
    return text;
}

// The extended style: the command's name and arguments, each data line with its label, and the
// report, separated by the client's separator; the last line always ends in LF.
std::string extended(const Command& command, const Request& request, const Outcome& outcome) {
    const char separator = *request.separator;
    std::string text(command.name);
    text += ':';
    for (const std::string& argument : request.arguments) {
        text += ' ' + argument;
    }
    text += separator;
    for (std::size_t i = 0; i < outcome.values.size(); ++i) {
        const std::string_view label = i < command.labels.size() ? command.labels[i] : "";
        text += label.empty() ? outcome.values[i] : std::string(label) + ": " + outcome.values[i];
        text += separator;
    }
    return text + report(outcome.status);
}

// gpredict announces passes, and writes frequencies as "F %10.0f": a nine-digit one after two
// blanks.
bool soundsLikeGpredict(std::string_view line, const Request& request) {
    if (request.command == "AOS" || request.command == "LOS") {
        return true;
    }
    return request.command == "F" && !request.arguments.empty() &&
           line.ends_with("  " + request.arguments.back());
}

}  // namespace

RigctlSession::RigctlSession(ReceiverActions& actions, SessionSetup setup)
    : context_{actions, std::move(setup.client), setup.tracking, setup.vfoMode} {}

RigctlSession::~RigctlSession() {
    if (context_.tracking != nullptr) {
        context_.tracking->clientLeft(&context_);
    }
}

void RigctlSession::feed(std::string_view bytes) {
    if (finished()) {
        return;
    }
    if (skipLineFeed_ && !bytes.empty()) {
        if (bytes.front() == '\n') {
            bytes.remove_prefix(1);
        }
        skipLineFeed_ = false;
    }
    input_.append(bytes);
}

bool RigctlSession::ready() const {
    return !finished() &&
           (input_.find_first_of("\r\n") != std::string::npos || input_.size() > MaxLineBytes);
}

RigctlSession::Answer RigctlSession::answerNext() {
    Answer answer;
    if (!ready()) {
        return answer;
    }
    const std::size_t end = input_.find_first_of("\r\n");
    if (end == std::string::npos || end > MaxLineBytes) {
        answer.bytes = report(Status::Protocol);
        input_.clear();
        ending_ = Ending::LineTooLong;
        return answer;
    }
    const std::string line = input_.substr(0, end);
    std::size_t used = end + 1;
    if (input_[end] == '\r') {
        if (used == input_.size()) {
            skipLineFeed_ = true;
        } else if (input_[used] == '\n') {
            ++used;
        }
    }
    input_.erase(0, used);
    answerLine(line, answer);
    if (finished()) {
        input_.clear();
    }
    return answer;
}

void RigctlSession::answerLine(std::string_view line, Answer& answer) {
    const Request request = rigctl::parseRequest(line);
    if (request.command.empty()) {
        if (request.separator) {
            answer.bytes += report(Status::Unavailable);  // a response style with no command
        }
        return;  // a blank line asks nothing
    }
    if (request.command == "q" || request.command == "Q") {
        answer.bytes += report(Status::Ok);
        ending_ = Ending::Quit;
        return;
    }
    const Command* command = rigctl::findCommand(request.command);
    if (command == nullptr) {
        answer.bytes += report(Status::Unavailable);
        return;
    }
    if (soundsLikeGpredict(line, request)) {
        context_.client = "gpredict";
    }
    // In VFO mode the first argument names the VFO; only this receiver's one will do.
    const bool namesVfo = context_.vfoMode && command->takesVfo;
    const bool vfoNamed =
        !namesVfo || (!request.arguments.empty() && rigctl::isVfoName(request.arguments.front()));
    const rigctl::Arguments arguments(request.arguments.begin() + (namesVfo && vfoNamed ? 1 : 0),
                                      request.arguments.end());
    const bool asksChoices =
        !command->choices.empty() && arguments.size() == 1 && arguments.front() == "?";
    Outcome outcome;
    if (!vfoNamed) {
        outcome.status = Status::InvalidParameter;
    } else if (asksChoices) {
        outcome = choicesOf(*command);
    } else if (arguments.size() != command->arguments) {
        outcome.status = Status::InvalidParameter;
    } else {
        outcome = command->run(context_, arguments);
        answer.paced = command->paces != nullptr && command->paces(arguments);
    }
    answer.change = outcome.change;
    answer.refusedWithoutPort = outcome.refusedWithoutPort;

    if (command->kind == Kind::Bare && outcome.status == Status::Ok) {
        const std::string& value = outcome.values.front();
        answer.bytes += request.separator
                            ? std::string(command->labels.front()) + ": " + value + "\n"
                            : value + "\n";
    } else if (request.separator) {
        answer.bytes += extended(*command, request, outcome);
    } else {
        answer.bytes += plain(*command, outcome);
    }
}

}  // namespace orvex
