#pragma once

#include <QObject>
#include <QString>
#include <QTcpServer>

#include "remote/ListenAddress.h"

namespace orvex {

class ReceiverHost;

// The rigctl-compatible TCP server: listens on the GUI thread, keeps one conversation for each
// client, and runs every command through the receiver's host, so the panel, the port and the
// settings file follow as if the operator had acted. It shows what a window needs: where it
// listens, how many clients it has, the last change one of them made, and why a command was
// refused.
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
    // Answers a client leaves unread beyond this close its connection.
    static constexpr qint64 MaxUnreadBytes = 64 * 1024;

    RigctlServer(ReceiverHost& host, ListenAddress where, QObject* parent = nullptr);
    ~RigctlServer() override;

    // Starts listening; false, with a message, when the address cannot be had.
    bool start();
    // Stops listening and closes every connection.
    void stop();

    bool isListening() const { return server_.isListening(); }
    // "127.0.0.1:4532" while listening, else empty.
    QString address() const;
    int clientCount() const { return clients_; }
    // "127.0.0.1:40112 tuned to 137.620 MHz"; empty until a client changed something.
    QString lastChange() const { return lastChange_; }
    // Why commands are being refused and what to do, in plain words; empty when nothing is.
    QString notice() const { return notice_; }
    // The same in a few words.
    static constexpr const char* RefusedWithoutPort = "remote refused: no port";

    void setMaxClients(int clients) { maxClients_ = clients; }

signals:
    void listeningChanged();
    void clientCountChanged(int clients);
    void lastChangeChanged(const QString& change);
    void noticeChanged(const QString& notice);
    // Plain words for the operator: the server started, stopped, or could not, or commands are
    // refused.
    void message(const QString& text);

private:
    class Connection;
    friend class Connection;

    void accept();
    void connectionClosed();
    void noteChange(const QString& peer, const std::string& change);
    void noteRefusal();
    void followPanel();
    void setNotice(const QString& notice);

    ReceiverHost& host_;
    ListenAddress where_;
    QTcpServer server_;
    int clients_ = 0;
    int maxClients_ = DefaultMaxClients;
    QString lastChange_;
    QString notice_;
};

}  // namespace orvex
