#pragma once

#include "feed/FeedState.h"

class Quorvel;

// Reads what a scoreboard panel shows, from its public children.
namespace FeedCollect {
FeedTeam team(const Quorvel& panel);
FeedScheme scheme(const Quorvel& panel);
} // namespace FeedCollect
