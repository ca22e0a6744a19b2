#pragma once

#include <QHostAddress>
#include <QString>
#include <optional>

namespace orvex {

// Where the remote-control server listens.
struct ListenAddress {
    static constexpr quint16 UsualPort = 4532;  // where Hamlib's clients look first

    QHostAddress host{QHostAddress::LocalHost};
    quint16 port = UsualPort;  // 0: any free port, named once listening

    // "127.0.0.1:4532" or "[::1]:4532".
    QString text() const;
};

// Reads "[HOST:]PORT": HOST an IPv4 address written in full, an IPv6 address in brackets, or
// "localhost", and 127.0.0.1 when left out, so the server stays on this machine unless the
// operator names another address. A multicast or broadcast address, which no client can connect
// to, is refused. On failure, says what is wrong in plain words.
std::optional<ListenAddress> parseListenAddress(const QString& text, QString* problem);

}  // namespace orvex
