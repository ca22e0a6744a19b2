#pragma once

#include <QHostAddress>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

namespace orvex {

// Which clients may connect: from the loopback addresses always, and from the addresses and
// networks the operator names. Naming none lets every client in.
class AllowList {
public:
    using Network = QPair<QHostAddress, int>;  // an address and its prefix length

    // "192.168.1.0/24,10.0.0.7,2001:db8::/32": addresses or networks, separated by commas or
    // blanks. On failure, says what is wrong in plain words.
    static std::optional<AllowList> parse(const QString& text, QString* problem);

    // Adds the networks of another list (the option may be given more than once).
    void add(const AllowList& other) { networks_ += other.networks_; }

    bool allowsEveryone() const { return networks_.isEmpty(); }
    bool allows(const QHostAddress& peer) const;
    // "loopback, 192.168.1.0/24 and 10.0.0.7/32"
    QString text() const;

private:
    QList<Network> networks_;
};

// An IPv4 address written out in full ("0.0.0.0", not "0"), or an IPv6 address; nothing for
// the short and octal forms the system would also take, which rarely mean what they seem to.
std::optional<QHostAddress> parseHostAddress(const QString& text);

}  // namespace orvex
