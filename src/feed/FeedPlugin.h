#pragma once

#include "feed/FeedService.h"

#include <QObject>

// The feed plugin's entry point.
class FeedPlugin : public QObject, public FeedService
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FeedService_iid)
    Q_INTERFACES(FeedService)

public:
    std::optional<QString> serve(const QString& address, quint16 port, Quorvel* home,
                                 Quorvel* visitor, QObject* owner) override;
};
