#include "remote/RigctlServer.h"

#include <sys/resource.h>

#include <algorithm>

#include "controls/ReceiverActions.h"
#include "remote/RigctlClient.h"

namespace orvex {
namespace {

// How many files the program may have open at once; nothing when there is no limit.
std::optional<rlim_t> descriptorLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return std::nullopt;
    }
    return limit.rlim_cur;
}

}  // namespace

RigctlServer::RigctlServer(ReceiverActions& actions, ListenAddress where, QObject* parent)
    : QObject(parent),
      actions_(actions),
      where_(where),
      listener_([this](FileDescriptor fd, const Peer& peer) { admit(std::move(fd), peer); },
                [this] { outOfDescriptors(); }),
      refusals_([this](const QString& text) { emit message(text); }) {
    turn_.setSingleShot(true);
    turn_.setTimerType(Qt::PreciseTimer);
    connect(&turn_, &QTimer::timeout, this, &RigctlServer::turn);
    connect(&actions_.host(), &ReceiverHost::portChosen, this, &RigctlServer::portChosen);
}

RigctlServer::~RigctlServer() {
    for (RigctlClient* client : clients_) {
        client->disconnect(this);
    }
}

bool RigctlServer::start() {
    if (isListening()) {
        return true;
    }
    // A burst of clients must not be turned away by the kernel before they are counted.
    if (const std::optional<QString> problem = listener_.listen(where_, DefaultMaxClients)) {
        emit message(
            QString("Cannot listen for rigctl clients on %1: %2").arg(where_.text(), *problem));
        return false;
    }
    emit listeningChanged();
    QString text = "Listening for rigctl clients on " + address();
    if (!where_.host.isLoopback()) {
        text += allowed_.allowsEveryone()
                    ? " (anyone who can reach this address can tune the receiver)"
                    : " (clients from " + allowed_.text() + " only)";
    }
    emit message(text);
    return true;
}

void RigctlServer::stop() {
    if (!isListening()) {
        return;
    }
    listener_.close();
    for (RigctlClient* client : std::vector(clients_)) {
        client->close();
    }
    emit listeningChanged();
    emit message("Stopped listening for rigctl clients");
}

QString RigctlServer::address() const {
    if (!isListening()) {
        return {};
    }
    ListenAddress bound = where_;
    bound.port = listener_.port();
    return bound.text();
}

void RigctlServer::admit(FileDescriptor fd, const Peer& peer) {
    if (!allowed_.allows(peer.address)) {
        refuse(std::move(fd), peer, "its address is not one that --rigctl-allow names");
        return;
    }
    if (clientCount() >= maxClients_) {
        freeDepartedPlaces();
    }
    if (clientCount() >= maxClients_) {
        refuse(std::move(fd), peer, QString("%1 clients are connected").arg(clientCount()));
        return;
    }
    if (!descriptorFree(fd)) {
        refuse(std::move(fd), peer, "the program has no file descriptor to spare for it");
        return;
    }
    auto* client = new RigctlClient(actions_, std::move(fd),
                                    {peer.text().toStdString(), vfoMode_, tracking_}, idle_, this);
    connect(client, &RigctlClient::waiting, this, &RigctlServer::scheduleTurn);
    connect(client, &RigctlClient::closed, this, [this, client] { clientClosed(client); });
    connect(client, &RigctlClient::changed, this,
            [this, client](const QString& change) { noteChange(client->peer(), change); });
    connect(client, &RigctlClient::refusedWithoutPort, this, &RigctlServer::noteRefusal);
    connect(client, &RigctlClient::message, this, &RigctlServer::message);
    clients_.push_back(client);
    emit clientCountChanged(clientCount());
    client->start();
}

void RigctlServer::refuse(FileDescriptor fd, const Peer& peer, const QString& why) {
    ClientSocket socket(std::move(fd));
    socket.send("RPRT -9\n");
    socket.finish();
    refusals_.refused(peer.address.toString(), why);
}

// Descriptors are numbered from the lowest free one up, so a client's number tells how close the
// program is to its limit.
bool RigctlServer::descriptorFree(const FileDescriptor& fd) {
    const std::optional<rlim_t> limit = descriptorLimit();
    if (!limit || static_cast<rlim_t>(fd.get()) + ReservedDescriptors < *limit) {
        return true;
    }
    tellDescriptorLimit(QString("The program may have only %1 files open at once (ulimit -n), "
                                "and keeps the last %2 for its own: rigctl clients beyond the "
                                "%3 connected are refused")
                            .arg(*limit)
                            .arg(ReservedDescriptors)
                            .arg(clientCount()));
    return false;
}

void RigctlServer::outOfDescriptors() {
    const std::optional<rlim_t> limit = descriptorLimit();
    tellDescriptorLimit(
        QString("The program has as many files open as it may (%1, ulimit -n): new rigctl "
                "clients wait until one closes")
            .arg(limit ? QString::number(*limit) : QString("no limit is set, but the system's")));
}

void RigctlServer::tellDescriptorLimit(const QString& text) {
    if (!toldDescriptorLimit_) {
        toldDescriptorLimit_ = true;
        emit message(text);
    }
}

// A client that has closed its side with nothing left to answer gives its place up now, even if
// the event loop has not yet told its connection.
void RigctlServer::freeDepartedPlaces() {
    for (RigctlClient* client : std::vector(clients_)) {
        if (client->hasLeft()) {
            client->close();
        }
    }
}

void RigctlServer::clientClosed(RigctlClient* client) {
    clients_.erase(std::find(clients_.begin(), clients_.end(), client));
    client->deleteLater();
    emit clientCountChanged(clientCount());
    listener_.resume();
}

// Plans the next turn for the moment the soonest waiting command may run.
void RigctlServer::scheduleTurn() {
    std::optional<RigctlClient::Clock::time_point> soonest;
    for (const RigctlClient* client : clients_) {
        if (const auto at = client->nextTurn(); at && (!soonest || *at < *soonest)) {
            soonest = at;
        }
    }
    if (!soonest) {
        turn_.stop();
        return;
    }
    const auto wait = std::max(
        std::chrono::ceil<std::chrono::milliseconds>(*soonest - RigctlClient::Clock::now()),
        std::chrono::milliseconds(0));
    if (!turn_.isActive() || turn_.remainingTime() > wait.count()) {
        turn_.start(wait);
    }
}

// One command for each client whose command may run now, in the clients' order.
void RigctlServer::turn() {
    const auto now = RigctlClient::Clock::now();
    // Clients that close during the turn leave the list, but live until the event loop runs.
    for (RigctlClient* client : std::vector(clients_)) {
        if (const auto at = client->nextTurn(); at && *at <= now) {
            client->serveOne();
        }
    }
    scheduleTurn();
}

void RigctlServer::noteChange(const QString& peer, const QString& change) {
    lastChange_ = peer + " " + change;
    emit lastChangeChanged(lastChange_);
}

void RigctlServer::noteRefusal() {
    setNotice(
        "Remote commands that reach the board are refused: no printer port chosen. Open About "
        "and choose LPT1 or LPT2.");
}

// Once a port is chosen, the refusals are over.
void RigctlServer::portChosen() {
    setNotice({});
}

void RigctlServer::setNotice(const QString& notice) {
    if (notice != notice_) {
        notice_ = notice;
        emit noticeChanged(notice_);
        // Once as the refusals begin, not for every refused command.
        if (!notice_.isEmpty()) {
            emit message(notice_);
        }
    }
}

}  // namespace orvex
