#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>

namespace orvex {

// Turns SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGUSR1 and SIGALRM into a call on the event loop, where
// the program can end as it ends by its own controls (the trace flushed, nothing switched off or
// saved). The handler only
// writes a byte to a socket: nothing else is safe inside a signal handler. Made before any file
// is opened, so no signal finds a trace without its handling.
class TerminationSignals : public QObject {
public:
    explicit TerminationSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TerminationSignals() override;

private:
    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace orvex
