#pragma once

class QWidget;
class Quorvel;

// The live feed is off unless the settings file's [Feed] Port names a port.
namespace FeedLauncher {
// When it is on, starts the feed of the two panels once the event loop runs,
// for as long as owner lives; tells the operator once when it cannot start.
void start(QWidget* owner, Quorvel* home, Quorvel* visitor);
} // namespace FeedLauncher
