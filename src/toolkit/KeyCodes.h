#pragma once

class QKeyEvent;
class QMouseEvent;

#include <Qt>

// Qt input mapped to the virtual-key codes and state bits the panel works in.
namespace KeyCodes {

// The keys the panel acts on or converts to characters (KeyCodeToAsci).
constexpr int none = 0;
constexpr int enter = 13;
constexpr int space = 32;
constexpr int digit0 = 48;
constexpr int digit9 = 57;
constexpr int keypad0 = 96;
constexpr int keypad9 = 105;
constexpr int keypadPlus = 107;
constexpr int keypadMinus = 109;
constexpr int keypadDecimal = 110;
constexpr int f1 = 112;
constexpr int f2 = 113;
constexpr int numLock = 144;
constexpr int equalsPlus = 187;
constexpr int minus = 189;
constexpr int fullStop = 190;

// Virtual-key code of a key event; 0 when the key has none.
int virtualKey(const QKeyEvent* event);
// 1 Shift, 2 Ctrl, 4 Alt.
int shiftBits(Qt::KeyboardModifiers modifiers);
// 1 left, 2 right, 4 middle.
int buttonBits(Qt::MouseButtons buttons);

} // namespace KeyCodes
