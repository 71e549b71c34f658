#pragma once

#include <QString>
#include <QtPlugin>
#include <optional>

class QObject;
class Quorvel;

// What the feed plugin offers the program. The plugin is loaded only when the
// feed is on, so the program itself links no network library.
class FeedService
{
public:
    virtual ~FeedService() = default;
    // Serves the two panels on address:port for as long as owner lives; the
    // reason in words when it cannot.
    virtual std::optional<QString> serve(const QString& address, quint16 port, Quorvel* home,
                                         Quorvel* visitor, QObject* owner) = 0;
};

#define FeedService_iid "org.kestrune.tallyvane.FeedService/1"
Q_DECLARE_INTERFACE(FeedService, FeedService_iid)
