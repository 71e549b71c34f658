#pragma once

#include <QByteArrayView>
#include <QStringList>

// The names a request may give in its Host field: this computer's own names
// and addresses, so a page served under another name (a rebinding attack
// through the browser) is refused.
class FeedHosts
{
public:
    // `names` are host names and addresses (IPv6 without brackets), compared
    // without regard to case; `port` is the only port a Host may name.
    FeedHosts(const QStringList& names, quint16 port);

    // localhost, this computer's name (also with .local) and every address
    // of its interfaces.
    static FeedHosts ofThisComputer(quint16 port);

    bool allows(QByteArrayView hostField) const;
    // A page's Origin: one of its own, "http://" and an allowed Host.
    bool allowsOrigin(QByteArrayView origin, QByteArrayView hostField) const;

private:
    QStringList m_names;
    quint16 m_port;
};
