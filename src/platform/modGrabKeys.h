#pragma once

// Holding the keyboard's NumLock toggle in a chosen position.
namespace modGrabKeys {

// Brings NumLock to the wanted position; sends nothing when it is there.
void SetNumLock(bool wanted);

// The NumLock policy: force 1 keeps it on, 2 keeps it off, anything else
// leaves the keyboard alone.
void applyNumLockForce(int force);

} // namespace modGrabKeys
