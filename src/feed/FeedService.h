#pragma once

#include <QString>
#include <QtPlugin>
#include <optional>

class QObject;
class Quorvel;
struct FeedSettings;

// What each feed plugin offers the program: the web page (tallyvanefeed) and
// the MQTT broker (tallyvanebroker). A plugin is loaded only when the settings
// file turns its feed on, so the program itself links no network library.
class FeedService
{
public:
    virtual ~FeedService() = default;
    // Feeds the two panels for as long as owner lives; the reason in words
    // when it cannot start.
    virtual std::optional<QString> start(const FeedSettings& settings, Quorvel* home,
                                         Quorvel* visitor, QObject* owner) = 0;
};

#define FeedService_iid "org.kestrune.tallyvane.FeedService/2"
Q_DECLARE_INTERFACE(FeedService, FeedService_iid)
