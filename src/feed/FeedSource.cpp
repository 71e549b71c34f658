#include "feed/FeedSource.h"

#include "feed/FeedCollect.h"
#include "panel/Quorvel.h"

FeedSource::FeedSource(Quorvel* home, Quorvel* visitor, QObject* parent) : QObject(parent)
{
    const std::pair<Quorvel*, FeedState::Side> panels[] = {{visitor, FeedState::Side::Visitor},
                                                           {home, FeedState::Side::Home}};
    for (const auto& entry : panels) {
        collect(entry.first, entry.second);
        connect(entry.first, &Quorvel::statsChanged, this,
                [this, entry] { collect(entry.first, entry.second); });
    }
}

void FeedSource::collect(const Quorvel* panel, FeedState::Side side)
{
    // The panel that changed last has applied the current scheme.
    const bool teamChanged = m_state.setTeam(side, FeedCollect::team(*panel));
    if (m_state.setScheme(FeedCollect::scheme(*panel)) || teamChanged)
        emit changed(m_state.json());
}
