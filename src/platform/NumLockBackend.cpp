#include "platform/NumLockBackend.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

// Xlib's macros clash with Qt's headers: keep them in this file only.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

class NullNumLock final : public NumLockBackend
{
public:
    State state() override { return State::Unknown; }
    void set(bool) override {}
};

class XkbNumLock final : public NumLockBackend
{
public:
    explicit XkbNumLock(Display* display)
        : m_display(display), m_mask(XkbKeysymToModifiers(display, XK_Num_Lock))
    {
    }

    State state() override
    {
        XkbStateRec xkb{};
        if (m_mask == 0 || XkbGetState(m_display, XkbUseCoreKbd, &xkb) != Success)
            return State::Unknown;
        return (xkb.locked_mods & m_mask) ? State::On : State::Off;
    }

    void set(bool on) override
    {
        if (m_mask == 0)
            return;
        XkbLockModifiers(m_display, XkbUseCoreKbd, m_mask, on ? m_mask : 0);
        XFlush(m_display);
    }

private:
    Display* m_display;
    unsigned int m_mask;
};

NumLockBackend*& current()
{
    static NumLockBackend* backend = nullptr;
    return backend;
}

NumLockBackend& platformBackend()
{
    static NullNumLock null;
    static NumLockBackend* chosen = [] () -> NumLockBackend* {
        auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                            : nullptr;
        if (x11 && x11->display())
            return new XkbNumLock(x11->display());
        return &null;
    }();
    return *chosen;
}

} // namespace

NumLockBackend& NumLockBackend::instance()
{
    return current() ? *current() : platformBackend();
}

void NumLockBackend::setInstance(NumLockBackend* backend) { current() = backend; }
