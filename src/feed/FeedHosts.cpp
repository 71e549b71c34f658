#include "feed/FeedHosts.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>

FeedHosts::FeedHosts(const QStringList& names, quint16 port) : m_names(names), m_port(port) {}

FeedHosts FeedHosts::ofThisComputer(quint16 port)
{
    const QString name = QHostInfo::localHostName();
    QStringList names{QStringLiteral("localhost"), name, name + QStringLiteral(".local")};
    for (QHostAddress address : QNetworkInterface::allAddresses()) {
        address.setScopeId({});
        names << address.toString();
    }
    return FeedHosts(names, port);
}

bool FeedHosts::allows(QByteArrayView hostField) const
{
    const QString host = QString::fromLatin1(hostField);
    const bool bracketed = host.startsWith(u'[');
    const qsizetype close = bracketed ? host.indexOf(u']') : -1;
    const qsizetype colon =
        bracketed ? (host.size() > close + 1 ? close + 1 : -1) : host.lastIndexOf(u':');
    if (colon >= 0 && host.mid(colon + 1).toUInt() != m_port)
        return false;
    const QString name = bracketed ? host.mid(1, close - 1) : host.left(colon);
    return m_names.contains(name, Qt::CaseInsensitive);
}

bool FeedHosts::allowsOrigin(QByteArrayView origin, QByteArrayView hostField) const
{
    return allows(hostField) && origin.size() == hostField.size() + 7 &&
           origin.first(7).compare("http://", Qt::CaseInsensitive) == 0 &&
           origin.sliced(7).compare(hostField, Qt::CaseInsensitive) == 0;
}
