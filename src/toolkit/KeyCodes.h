#pragma once

class QKeyEvent;
class QMouseEvent;

#include <Qt>

// Qt input mapped to the virtual-key codes and state bits the panel works in.
namespace KeyCodes {

constexpr int F1 = 112;
constexpr int F2 = 113;
constexpr int NumLock = 144;
constexpr int Enter = 13;

// Virtual-key code of a key event; 0 when the key has none.
int virtualKey(const QKeyEvent* event);
// 1 Shift, 2 Ctrl, 4 Alt.
int shiftBits(Qt::KeyboardModifiers modifiers);
// 1 left, 2 right, 4 middle.
int buttonBits(Qt::MouseButtons buttons);

} // namespace KeyCodes
