#pragma once

#include "feed/FeedService.h"

#include <QObject>

// The entry point of tallyvanefeed: the built-in web page.
class WebFeedPlugin : public QObject, public FeedService
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FeedService_iid)
    Q_INTERFACES(FeedService)

public:
    std::optional<QString> start(const FeedSettings& settings, Quorvel* home, Quorvel* visitor,
                                 QObject* owner) override;
};
