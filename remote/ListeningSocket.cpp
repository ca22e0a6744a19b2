#include "remote/ListeningSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <system_error>

#include <net/if.h>

namespace orvex {
namespace {

// Connections taken in one go, so that a flood of them cannot hold the thread.
constexpr int AcceptBatch = 64;
constexpr std::chrono::seconds RetryInterval{1};

struct SocketAddress {
    sockaddr_storage storage{};
    socklen_t length = 0;

    sockaddr* get() { return reinterpret_cast<sockaddr*>(&storage); }
};

SocketAddress socketAddress(const QHostAddress& host, quint16 port) {
    SocketAddress address;
    if (host.protocol() == QAbstractSocket::IPv6Protocol) {
        sockaddr_in6 v6{};
        v6.sin6_family = AF_INET6;
        v6.sin6_port = htons(port);
        const Q_IPV6ADDR bytes = host.toIPv6Address();
        std::memcpy(&v6.sin6_addr, &bytes, sizeof v6.sin6_addr);
        if (!host.scopeId().isEmpty()) {
            v6.sin6_scope_id = ::if_nametoindex(host.scopeId().toLocal8Bit().constData());
        }
        std::memcpy(&address.storage, &v6, sizeof v6);
        address.length = sizeof v6;
    } else {
        sockaddr_in v4{};
        v4.sin_family = AF_INET;
        v4.sin_port = htons(port);
        v4.sin_addr.s_addr = htonl(host.toIPv4Address());
        std::memcpy(&address.storage, &v4, sizeof v4);
        address.length = sizeof v4;
    }
    return address;
}

quint16 portOf(const sockaddr_storage& address) {
    if (address.ss_family == AF_INET6) {
        sockaddr_in6 v6{};
        std::memcpy(&v6, &address, sizeof v6);
        return ntohs(v6.sin6_port);
    }
    sockaddr_in v4{};
    std::memcpy(&v4, &address, sizeof v4);
    return ntohs(v4.sin_port);
}

QString listenProblem(int error, quint16 port) {
    switch (error) {
        case EADDRINUSE:
            return "another program listens there already (another copy of this one, or "
                   "rigctld?)";
        case EADDRNOTAVAIL:
            return "no network interface of this machine has that address";
        case EACCES:
            if (port < 1024) {
                return "ports below 1024 need root rights; choose 1024 or above, such as 4532";
            }
            break;
        default:
            break;
    }
    return QString::fromStdString(std::generic_category().message(error));
}

bool outOfDescriptors(int error) {
    return error == EMFILE || error == ENFILE || error == ENOBUFS || error == ENOMEM;
}

}  // namespace

QString Peer::text() const {
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                             ? "[" + address.toString() + "]"
                             : address.toString();
    return host + ":" + QString::number(port);
}

ListeningSocket::ListeningSocket(Accepted accepted, std::function<void()> outOfDescriptors,
                                 QObject* parent)
    : QObject(parent),
      accepted_(std::move(accepted)),
      outOfDescriptors_(std::move(outOfDescriptors)) {
    retry_.setSingleShot(true);
    retry_.setInterval(RetryInterval);
    connect(&retry_, &QTimer::timeout, this, &ListeningSocket::resume);
}

std::optional<QString> ListeningSocket::listen(const ListenAddress& where, int backlog) {
    close();
    SocketAddress address = socketAddress(where.host, where.port);
    FileDescriptor fd(
        ::socket(address.storage.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!fd.valid()) {
        return listenProblem(errno, where.port);
    }
    // A restarted program may listen again at once, while old connections linger in TIME_WAIT.
    const int one = 1;
    ::setsockopt(fd.get(), SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (::bind(fd.get(), address.get(), address.length) != 0 || ::listen(fd.get(), backlog) != 0) {
        return listenProblem(errno, where.port);
    }
    SocketAddress bound;
    bound.length = sizeof bound.storage;
    port_ = ::getsockname(fd.get(), bound.get(), &bound.length) == 0 ? portOf(bound.storage)
                                                                     : where.port;
    fd_ = std::move(fd);
    notifier_ = std::make_unique<QSocketNotifier>(fd_.get(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &ListeningSocket::acceptWaiting);
    return std::nullopt;
}

void ListeningSocket::close() {
    retry_.stop();
    notifier_.reset();
    fd_ = FileDescriptor(-1);
    port_ = 0;
}

void ListeningSocket::resume() {
    if (isListening() && !notifier_->isEnabled()) {
        retry_.stop();
        notifier_->setEnabled(true);
        acceptWaiting();
    }
}

void ListeningSocket::pause() {
    notifier_->setEnabled(false);
    retry_.start();
}

void ListeningSocket::acceptWaiting() {
    for (int taken = 0; taken < AcceptBatch && isListening(); ++taken) {
        SocketAddress from;
        from.length = sizeof from.storage;
        const int fd = ::accept4(fd_.get(), from.get(), &from.length, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (outOfDescriptors(errno)) {
                pause();
                outOfDescriptors_();
                return;
            }
            if (errno == EINTR || errno == ECONNABORTED || errno == EPROTO) {
                continue;  // that one gave up before it was taken; others may wait
            }
            return;  // none waits (EAGAIN), or nothing to be done about it now
        }
        accepted_(FileDescriptor(fd), Peer{QHostAddress(from.get()), portOf(from.storage)});
    }
}

}  // namespace orvex
