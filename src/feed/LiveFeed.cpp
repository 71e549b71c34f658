#include "feed/LiveFeed.h"

#include "feed/FeedCollect.h"
#include "feed/FeedServer.h"
#include "panel/Quorvel.h"

LiveFeed::LiveFeed(Quorvel* home, Quorvel* visitor, QObject* parent)
    : QObject(parent), m_server(new FeedServer(this))
{
    const std::pair<Quorvel*, FeedState::Side> panels[] = {{visitor, FeedState::Side::Visitor},
                                                           {home, FeedState::Side::Home}};
    for (auto [panel, side] : panels) {
        collect(panel, side);
        connect(panel, &Quorvel::statsChanged, this, [this, panel, side] { collect(panel, side); });
    }
}

std::optional<QString> LiveFeed::start(const QHostAddress& address, quint16 port)
{
    return m_server->start(address, port);
}

void LiveFeed::collect(const Quorvel* panel, FeedState::Side side)
{
    // The panel that changed last has applied the current scheme.
    const bool teamChanged = m_state.setTeam(side, FeedCollect::team(*panel));
    if (m_state.setScheme(FeedCollect::scheme(*panel)) || teamChanged)
        m_server->publish(m_state.json());
}
