#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>

namespace orvex {

// Turns every signal that would end the program without a fault of its own (SIGTERM, SIGINT,
// SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGPWR, SIGXCPU, SIGVTALRM, SIGPROF) into a call on
// the event loop, where the program can end as it ends by its own controls (the trace flushed,
// nothing switched off or saved), and ignores SIGXFSZ, so that the file-size limit fails a write
// instead. The handler only writes a byte to a socket: nothing else is safe inside a signal
// handler. Made before any file is opened, so no signal finds a trace without its handling.
class TerminationSignals : public QObject {
public:
    explicit TerminationSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TerminationSignals() override;

private:
    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace orvex
