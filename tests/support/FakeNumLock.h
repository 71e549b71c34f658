#pragma once

#include "platform/NumLockBackend.h"

// A keyboard whose NumLock toggle lives in memory; counts the sets sent.
class FakeNumLock final : public NumLockBackend
{
public:
    explicit FakeNumLock(State initial = State::Off) : m_state(initial)
    {
        NumLockBackend::setInstance(this);
    }
    ~FakeNumLock() override { NumLockBackend::setInstance(nullptr); }

    State state() override { return m_state; }
    void set(bool on) override
    {
        ++sets;
        m_state = on ? State::On : State::Off;
    }
    void press() { m_state = m_state == State::On ? State::Off : State::On; }

    int sets = 0;

private:
    State m_state;
};
