#include "app/TerminationSignals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <csignal>

namespace orvex {
namespace {

// Every signal that ends a program by default without a fault of its own, sent by a user, a
// tool or a limit (power failing, CPU time used up, a profiling or virtual timer): each ends
// this one as Exit does, with a complete trace.
constexpr std::array<int, 11> EndingSignals{SIGTERM, SIGINT, SIGHUP,  SIGQUIT,   SIGUSR1, SIGUSR2,
                                            SIGALRM, SIGPWR, SIGXCPU, SIGVTALRM, SIGPROF};

// The one pair of sockets the handler writes to; a signal handler can reach nothing else.
std::array<int, 2> signalSockets{-1, -1};

extern "C" void onTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalSockets[0], &byte, 1);
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
    // A write past the file-size limit then fails as on a full disk, which every writer of the
    // program handles, instead of ending it with the trace and a save half written.
    std::signal(SIGXFSZ, SIG_IGN);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSockets.data()) != 0) {
        return;  // the default action of the signals stays: the program still ends
    }
    notifier_ = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const auto read = ::read(signalSockets[1], &byte, 1);
        onSignal_();
    });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : EndingSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals() {
    for (const int signal : EndingSignals) {
        std::signal(signal, SIG_DFL);
    }
    std::signal(SIGXFSZ, SIG_DFL);
    for (int& socket : signalSockets) {
        if (socket >= 0) {
            ::close(socket);
            socket = -1;
        }
    }
}

}  // namespace orvex
