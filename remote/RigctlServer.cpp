#include "remote/RigctlServer.h"

#include <QTcpSocket>
#include <array>

#include "controls/ReceiverHost.h"
#include "remote/RigctlSession.h"

namespace orvex {

// One client: its socket and its conversation. It lives until the socket disconnects.
class RigctlServer::Connection : public QObject {
public:
    Connection(RigctlServer& server, QTcpSocket* socket)
        : QObject(&server),
          server_(server),
          socket_(socket),
          session_(server.host_),
          peer_(socket->peerAddress().toString() + ":" + QString::number(socket->peerPort())) {
        socket_->setParent(this);
        connect(socket_, &QTcpSocket::readyRead, this, &Connection::read);
        connect(socket_, &QTcpSocket::disconnected, this, &Connection::closed);
    }

    void drop() {
        socket_->disconnect(this);
        socket_->abort();
    }
    void abort() { socket_->abort(); }

private:
    // Answers what has arrived, one write for each arrival, and closes when the client asked or
    // broke the rules: a line too long, or too many answers left unread.
    void read() {
        if (session_.finished()) {
            return;  // closing: what else arrives goes unanswered
        }
        std::array<char, 4096> chunk{};
        while (socket_->bytesAvailable() > 0 && !session_.finished()) {
            const qint64 length = socket_->read(chunk.data(), chunk.size());
            if (length <= 0) {
                break;
            }
            const RigctlSession::Answer answer =
                session_.receive({chunk.data(), static_cast<std::size_t>(length)});
            if (!answer.change.empty()) {
                server_.noteChange(peer_, answer.change);
            }
            if (answer.refusedWithoutPort) {
                server_.noteRefusal();
            }
            if (!answer.bytes.empty()) {
                socket_->write(answer.bytes.data(), static_cast<qint64>(answer.bytes.size()));
                socket_->flush();
            }
            if (socket_->bytesToWrite() > MaxUnreadBytes) {
                emit server_.message("Closed the rigctl connection from " + peer_ +
                                     ": it left more than 64 KiB of answers unread");
                socket_->abort();
                return;
            }
        }
        if (session_.ending() == RigctlSession::Ending::LineTooLong) {
            emit server_.message("Closed the rigctl connection from " + peer_ +
                                 ": it sent a line longer than 1 KiB");
        }
        if (session_.finished()) {
            socket_->disconnectFromHost();
        }
    }

    void closed() {
        socket_->disconnect(this);
        server_.connectionClosed();
        deleteLater();
    }

    RigctlServer& server_;
    QTcpSocket* socket_;
    RigctlSession session_;
    QString peer_;
};

RigctlServer::RigctlServer(ReceiverHost& host, ListenAddress where, QObject* parent)
    : QObject(parent), host_(host), where_(where) {
    // A burst of clients must not be turned away by the kernel before they are counted.
    server_.setListenBacklogSize(DefaultMaxClients);
    connect(&server_, &QTcpServer::newConnection, this, &RigctlServer::accept);
    connect(&host_, &ReceiverHost::panelChanged, this, &RigctlServer::followPanel);
}

RigctlServer::~RigctlServer() {
    for (Connection* connection : findChildren<Connection*>(Qt::FindDirectChildrenOnly)) {
        connection->drop();
    }
}

bool RigctlServer::start() {
    if (server_.isListening()) {
        return true;
    }
    if (!server_.listen(where_.host, where_.port)) {
        emit message(QString("Cannot listen for rigctl clients on %1: %2")
                         .arg(where_.text(), server_.errorString()));
        return false;
    }
    emit listeningChanged();
    QString text = "Listening for rigctl clients on " + address();
    if (!where_.host.isLoopback()) {
        text += " (anyone who can reach this address can tune the receiver)";
    }
    emit message(text);
    return true;
}

void RigctlServer::stop() {
    if (!server_.isListening()) {
        return;
    }
    server_.close();
    for (Connection* connection : findChildren<Connection*>(Qt::FindDirectChildrenOnly)) {
        connection->abort();
    }
    emit listeningChanged();
    emit message("Stopped listening for rigctl clients");
}

QString RigctlServer::address() const {
    if (!server_.isListening()) {
        return {};
    }
    ListenAddress bound = where_;
    bound.port = server_.serverPort();
    return bound.text();
}

void RigctlServer::accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        if (clients_ >= maxClients_) {
            emit message(QString("Refused a rigctl client from %1: %2 clients are connected")
                             .arg(socket->peerAddress().toString())
                             .arg(clients_));
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            socket->write("RPRT -9\n");
            socket->disconnectFromHost();
            continue;
        }
        new Connection(*this, socket);
        ++clients_;
        emit clientCountChanged(clients_);
    }
}

void RigctlServer::connectionClosed() {
    --clients_;
    emit clientCountChanged(clients_);
}

void RigctlServer::noteChange(const QString& peer, const std::string& change) {
    lastChange_ = peer + " " + QString::fromStdString(change);
    emit lastChangeChanged(lastChange_);
}

void RigctlServer::noteRefusal() {
    setNotice(
        "Remote commands that reach the board are refused: no printer port chosen. Open About "
        "and choose LPT1 or LPT2.");
}

// Once a port is chosen, the refusals are over.
void RigctlServer::followPanel() {
    if (!notice_.isEmpty() && host_.receiver().portChosen()) {
        setNotice({});
    }
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
