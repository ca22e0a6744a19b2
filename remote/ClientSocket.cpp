#include "remote/ClientSocket.h"

#include <linux/sockios.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

#include <array>
#include <cerrno>

namespace orvex {
namespace {

bool wouldBlock() {
    return errno == EAGAIN || errno == EWOULDBLOCK;
}

}  // namespace

ClientSocket::ClientSocket(FileDescriptor fd, QObject* parent)
    : QObject(parent),
      fd_(std::move(fd)),
      reader_(fd_.get(), QSocketNotifier::Read),
      writer_(fd_.get(), QSocketNotifier::Write) {
    // Every answer is one small write: sent at once, not held back to be joined with the next.
    const int one = 1;
    ::setsockopt(fd_.get(), IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    reader_.setEnabled(false);
    writer_.setEnabled(false);
    connect(&reader_, &QSocketNotifier::activated, this, &ClientSocket::readable);
    connect(&writer_, &QSocketNotifier::activated, this, &ClientSocket::flush);
}

ClientSocket::Received ClientSocket::receive(std::string& into) {
    std::array<char, ChunkBytes> chunk{};
    for (;;) {
        const ssize_t got = ::recv(fd_.get(), chunk.data(), chunk.size(), MSG_DONTWAIT);
        if (got > 0) {
            into.append(chunk.data(), static_cast<std::size_t>(got));
            return Received::Bytes;
        }
        if (got == 0) {
            return Received::Ended;
        }
        if (errno != EINTR) {
            return wouldBlock() ? Received::Nothing : Received::Broken;
        }
    }
}

void ClientSocket::watchInput(bool on) {
    if (isOpen()) {
        reader_.setEnabled(on);
    }
}

bool ClientSocket::send(std::string_view bytes) {
    if (!isOpen()) {
        return false;
    }
    if (!output_.empty()) {
        output_.append(bytes);  // behind what is already waiting
        return true;
    }
    while (!bytes.empty()) {
        const ssize_t sent =
            ::send(fd_.get(), bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
        } else if (errno != EINTR) {
            if (!wouldBlock()) {
                return false;
            }
            output_.assign(bytes);
            writer_.setEnabled(true);
            return true;
        }
    }
    return true;
}

void ClientSocket::flush() {
    const std::string waiting = std::move(output_);
    output_.clear();
    writer_.setEnabled(false);
    if (!send(waiting)) {
        emit broken();
    }
}

std::size_t ClientSocket::unread() const {
    int queued = 0;
    if (!isOpen() || ::ioctl(fd_.get(), SIOCOUTQ, &queued) != 0 || queued < 0) {
        queued = 0;
    }
    return output_.size() + static_cast<std::size_t>(queued);
}

bool ClientSocket::peerHasLeft() const {
    if (!isOpen()) {
        return true;
    }
    pollfd state{fd_.get(), POLLIN | POLLRDHUP, 0};
    if (::poll(&state, 1, 0) <= 0 || (state.revents & (POLLRDHUP | POLLHUP | POLLERR)) == 0) {
        return false;
    }
    int waiting = 0;
    return ::ioctl(fd_.get(), FIONREAD, &waiting) != 0 || waiting == 0;
}

void ClientSocket::finish() {
    if (!isOpen()) {
        return;
    }
    if (!output_.empty()) {
        const std::string waiting = std::move(output_);
        output_.clear();
        send(waiting);  // what the kernel will not take now is lost with the connection
    }
    ::shutdown(fd_.get(), SHUT_WR);
    // Closing with input unread would reset the connection and could take the last answers
    // with it; a client that keeps sending is cut off after a few chunks all the same.
    std::array<char, ChunkBytes> chunk{};
    for (int i = 0; i < 16 && ::recv(fd_.get(), chunk.data(), chunk.size(), MSG_DONTWAIT) > 0;
         ++i) {
    }
    close();
}

void ClientSocket::close() {
    reader_.setEnabled(false);
    writer_.setEnabled(false);
    output_.clear();
    fd_ = FileDescriptor(-1);
}

}  // namespace orvex
