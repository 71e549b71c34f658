#pragma once

#include "feed/FeedState.h"

#include <QObject>

class Quorvel;

// The state of both scoreboards as the feed sends it: follows the panels as
// they announce changes and tells when the document changed.
class FeedSource : public QObject
{
    Q_OBJECT

public:
    FeedSource(Quorvel* home, Quorvel* visitor, QObject* parent = nullptr);

    const QByteArray& json() const { return m_state.json(); }

signals:
    void changed(const QByteArray& json);

private:
    void collect(const Quorvel* panel, FeedState::Side side);

    FeedState m_state;
};
