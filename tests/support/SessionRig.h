#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "controls/ReceiverActions.h"
#include "remote/RigctlSession.h"
#include "support/HostRig.h"

namespace orvex::test {

// Where a session test starts: before a port is chosen, switched off with LPT1 chosen, or on.
enum class Start { NoPort, Off, On };

// Feeds the bytes as one arrival and answers every line they complete: the answers joined, the
// last change, and whether a command was refused for want of a port or paced.
inline RigctlSession::Answer answerAll(RigctlSession& session, std::string_view bytes) {
    session.feed(bytes);
    RigctlSession::Answer all;
    while (session.ready()) {
        const RigctlSession::Answer one = session.answerNext();
        all.bytes += one.bytes;
        all.change = one.change.empty() ? all.change : one.change;
        all.refusedWithoutPort = all.refusedWithoutPort || one.refusedWithoutPort;
        all.paced = all.paced || one.paced;
    }
    return all;
}

// A receiver on a recording port, run by its host, and one client's session with it.
struct SessionRig : HostRig {
    explicit SessionRig(Start start) {
        QObject::connect(&host, &ReceiverHost::message,
                         [this](const QString& text) { said.push_back(text.toStdString()); });
        host.run([](Receiver& r) { r.Form_Load(); });
        if (start != Start::NoPort) {
            host.run([](Receiver& r) { r.choosePort(Lpt1Base); });
        }
        if (start == Start::On) {
            host.run([](Receiver& r) { r.Toggle7_Change(true); });
        }
        recorder.clear();
    }

    // Every answer to the bytes, as the client reads them.
    std::string ask(std::string_view bytes) { return answerAll(session, bytes).bytes; }

    ReceiverActions actions{host};
    RigctlSession session{actions};
    std::vector<std::string> said;  // what the host passed on to the operator
};

}  // namespace orvex::test
