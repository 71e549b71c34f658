#include "platform/modGrabKeys.h"

#include "platform/NumLockBackend.h"

namespace modGrabKeys {

void SetNumLock(bool wanted)
{
    NumLockBackend& backend = NumLockBackend::instance();
    const auto current = backend.state();
    if (current == NumLockBackend::State::Unknown)
        return;
    if ((current == NumLockBackend::State::On) == wanted)
        return;
    backend.set(wanted);
}

void applyNumLockForce(int force)
{
    if (force == 1)
        SetNumLock(true);
    else if (force == 2)
        SetNumLock(false);
}

} // namespace modGrabKeys
