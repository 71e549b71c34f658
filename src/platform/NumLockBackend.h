#pragma once

// Reads and sets the keyboard's NumLock toggle. On X11 it uses XKB, whose
// absolute set cannot toggle twice; elsewhere nothing is known or changed.
class NumLockBackend
{
public:
    enum class State { Off, On, Unknown };

    virtual ~NumLockBackend() = default;
    virtual State state() = 0;
    virtual void set(bool on) = 0;

    // The X11 backend when the application runs on X11, otherwise a null one.
    static NumLockBackend& instance();
    // Takes no ownership; nullptr restores the platform backend.
    static void setInstance(NumLockBackend* backend);
};
