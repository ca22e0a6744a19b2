#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <vector>

#include "remote/AllowList.h"
#include "remote/IdleTimeout.h"
#include "remote/ListenAddress.h"
#include "remote/ListeningSocket.h"
#include "remote/RefusalLog.h"

namespace orvex {

class ReceiverActions;
class RigctlClient;
class SatelliteTracking;

// The rigctl-compatible TCP server: listens on the GUI thread, keeps one conversation for each
// client, and runs every command through the receiver's actions, so the panel, the port and the
// settings file follow as if the operator had acted. Clients take turns: each turn of the event
// loop answers one command of each client that has one waiting, so no client's backlog holds up
// another's answer by more than the command in hand, and the timers and the window run between
// turns. It shows what a window needs: where it listens, how many clients it has, the last change
// one of them made, and why a command was refused.
class RigctlServer : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool listening READ isListening NOTIFY listeningChanged)
    Q_PROPERTY(QString address READ address NOTIFY listeningChanged)
    Q_PROPERTY(int clientCount READ clientCount NOTIFY clientCountChanged)
    Q_PROPERTY(QString lastChange READ lastChange NOTIFY lastChangeChanged)
    Q_PROPERTY(QString notice READ notice NOTIFY noticeChanged)

public:
    // Beyond this many, a new client is told RPRT -9 and closed.
    static constexpr int DefaultMaxClients = 128;
    // File descriptors kept free for the program's own files (a save, a trace): a client that
    // would take one of them is told RPRT -9 and closed instead.
    static constexpr int ReservedDescriptors = 8;

    RigctlServer(ReceiverActions& actions, ListenAddress where, QObject* parent = nullptr);
    ~RigctlServer() override;

    // Starts listening; false, with a message, when the address cannot be had.
    bool start();
    // Stops listening and closes every connection.
    void stop();

    bool isListening() const { return listener_.isListening(); }
    // "127.0.0.1:4532" while listening, else empty.
    QString address() const;
    int clientCount() const { return static_cast<int>(clients_.size()); }
    // "127.0.0.1:40112 tuned to 137.620 MHz"; empty until a client changed something.
    QString lastChange() const { return lastChange_; }
    // Why commands are being refused and what to do, in plain words; empty when nothing is.
    QString notice() const { return notice_; }
    // The same in a few words.
    static constexpr const char* RefusedWithoutPort = "remote refused: no port";

    void setMaxClients(int clients) { maxClients_ = clients; }
    // Every connection from now on in Hamlib's VFO mode, as rigctld -o has it.
    void setVfoMode(bool on) { vfoMode_ = on; }
    // What clients' passes and steering tell, for the connections from now on.
    void setTracking(SatelliteTracking* tracking) { tracking_ = tracking; }
    // How long a client may send nothing before it is closed; zero: for ever. For clients that
    // connect from now on.
    void setIdleTimeout(std::chrono::milliseconds idle) { idle_ = idle; }
    void setAllowList(AllowList allowed) { allowed_ = std::move(allowed); }

signals:
    void listeningChanged();
    void clientCountChanged(int clients);
    void lastChangeChanged(const QString& change);
    void noticeChanged(const QString& notice);
    // Plain words for the operator: the server started, stopped, or could not, or commands are
    // refused.
    void message(const QString& text);

private:
    void admit(FileDescriptor fd, const Peer& peer);
    void refuse(FileDescriptor fd, const Peer& peer, const QString& why);
    bool descriptorFree(const FileDescriptor& fd);
    void outOfDescriptors();
    void tellDescriptorLimit(const QString& text);
    void freeDepartedPlaces();
    void clientClosed(RigctlClient* client);
    void scheduleTurn();
    void turn();
    void noteChange(const QString& peer, const QString& change);
    void noteRefusal();
    void portChosen();
    void setNotice(const QString& notice);

    ReceiverActions& actions_;
    ListenAddress where_;
    ListeningSocket listener_;
    RefusalLog refusals_;
    std::vector<RigctlClient*> clients_;  // in the order of their turns; owned as children
    QTimer turn_;
    int maxClients_ = DefaultMaxClients;
    bool vfoMode_ = false;
    SatelliteTracking* tracking_ = nullptr;
    std::chrono::milliseconds idle_ = DefaultIdleTimeout;
    AllowList allowed_;
    bool toldDescriptorLimit_ = false;
    QString lastChange_;
    QString notice_;
};

}  // namespace orvex
