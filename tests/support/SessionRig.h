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
    std::string ask(std::string_view bytes) { return session.receive(bytes).bytes; }

    ReceiverActions actions{host};
    RigctlSession session{actions};
    std::vector<std::string> said;  // what the host passed on to the operator
};

}  // namespace orvex::test
