#include "remote/ListenAddress.h"

#include "remote/AllowList.h"

namespace orvex {

QString ListenAddress::text() const {
    const QString name = host.protocol() == QAbstractSocket::IPv6Protocol
                             ? "[" + host.toString() + "]"
                             : host.toString();
    return name + ":" + QString::number(port);
}

std::optional<ListenAddress> parseListenAddress(const QString& text, QString* problem) {
    const auto fail = [&](const QString& why) -> std::optional<ListenAddress> {
        if (problem != nullptr) {
            *problem = why;
        }
        return std::nullopt;
    };
    ListenAddress address;
    const qsizetype colon = text.lastIndexOf(':');
    const QString portText = colon < 0 ? text : text.mid(colon + 1);
    if (colon >= 0) {
        QString hostText = text.left(colon);
        if (hostText.startsWith('[') && hostText.endsWith(']')) {
            hostText = hostText.mid(1, hostText.size() - 2);
        } else if (hostText.contains(':')) {
            return fail(QString("\"%1\": write an IPv6 address in brackets, as [::1]:4532")
                            .arg(text.left(64)));
        }
        if (hostText.compare("localhost", Qt::CaseInsensitive) == 0) {
            address.host = QHostAddress(QHostAddress::LocalHost);
        } else if (const std::optional<QHostAddress> host = parseHostAddress(hostText)) {
            address.host = *host;
        } else {
            return fail(QString("\"%1\" is not an IP address to listen on; write it in full, as "
                                "127.0.0.1, or 0.0.0.0 for every IPv4 address")
                            .arg(hostText.left(64)));
        }
        if (address.host.isMulticast() || address.host.isBroadcast()) {
            return fail(QString("%1 is a %2 address: no client can connect to it")
                            .arg(hostText, address.host.isMulticast() ? "multicast" : "broadcast"));
        }
    }
    bool number = false;
    const uint port = portText.toUInt(&number);
    if (!number || port > 65535) {
        return fail(QString("\"%1\" is not a port number from 0 to 65535").arg(portText.left(64)));
    }
    address.port = static_cast<quint16>(port);
    return address;
}

}  // namespace orvex
