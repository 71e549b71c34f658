#pragma once

class QWidget;
class Quorvel;

// The live feed is off unless the settings file's [Feed] section turns on the
// built-in page (Port) or the broker (Broker).
namespace FeedLauncher {
// Starts what is on, once the event loop runs, for as long as owner lives;
// tells the operator once for each that cannot start.
void start(QWidget* owner, Quorvel* home, Quorvel* visitor);
} // namespace FeedLauncher
