#include "remote/AllowList.h"

#include <QRegularExpression>
#include <QStringList>

namespace orvex {
namespace {

// A client of an IPv6 socket that reached it over IPv4 shows as ::ffff:a.b.c.d.
QHostAddress plain(const QHostAddress& address) {
    bool mapped = false;
    const quint32 v4 = address.toIPv4Address(&mapped);
    return address.protocol() == QAbstractSocket::IPv6Protocol && mapped ? QHostAddress(v4)
                                                                         : address;
}

}  // namespace

std::optional<QHostAddress> parseHostAddress(const QString& text) {
    QHostAddress address;
    if (!address.setAddress(text)) {
        return std::nullopt;
    }
    if (address.protocol() == QAbstractSocket::IPv4Protocol && address.toString() != text) {
        return std::nullopt;
    }
    return address;
}

std::optional<AllowList> AllowList::parse(const QString& text, QString* problem) {
    const auto fail = [&](const QString& why) -> std::optional<AllowList> {
        if (problem != nullptr) {
            *problem = why;
        }
        return std::nullopt;
    };
    AllowList list;
    const QStringList items = text.split(QRegularExpression("[,\\s]+"), Qt::SkipEmptyParts);
    if (items.isEmpty()) {
        return fail("name at least one address or network, as 192.168.1.0/24");
    }
    for (const QString& item : items) {
        const QString address = item.section('/', 0, 0);
        const std::optional<QHostAddress> host = parseHostAddress(address);
        if (!host) {
            return fail(QString("\"%1\" is not an IP address; write it in full, as 192.168.1.20")
                            .arg(address.left(64)));
        }
        const bool v4 = host->protocol() == QAbstractSocket::IPv4Protocol;
        int prefix = v4 ? 32 : 128;
        if (item.contains('/')) {
            bool number = false;
            prefix = item.section('/', 1).toInt(&number);
            if (!number || prefix < 0 || prefix > (v4 ? 32 : 128)) {
                return fail(QString("\"%1\": the network's prefix length must be 0 to %2")
                                .arg(item.left(64))
                                .arg(v4 ? 32 : 128));
            }
        }
        list.networks_.append(
            QHostAddress::parseSubnet(host->toString() + "/" + QString::number(prefix)));
    }
    return list;
}

bool AllowList::allows(const QHostAddress& peer) const {
    const QHostAddress address = plain(peer);
    if (allowsEveryone() || address.isLoopback()) {
        return true;
    }
    for (const Network& network : networks_) {
        if (address.isInSubnet(network)) {
            return true;
        }
    }
    return false;
}

QString AllowList::text() const {
    QStringList names{"loopback"};
    for (const Network& network : networks_) {
        names << network.first.toString() + "/" + QString::number(network.second);
    }
    if (names.size() == 1) {
        return names.front();
    }
    const QString last = names.takeLast();
    return names.join(", ") + " and " + last;
}

}  // namespace orvex
