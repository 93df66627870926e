// The main window's keys: T and N switch the whiskers, Q quits. Letters are
// matched with bit 0x20 ignored, so lower and upper case (and the virtual
// key codes that differ only in that bit, such as F5, F2 and the keypad's
// decimal point) act alike.
#pragma once

#include <cstdint>

enum class KeyAction { None, Quit };

// Applies one key-down to Scene's whisker switches. The switches form a
// three-state machine: normals (start), tangents, none; never both.
KeyAction ApplyKey(std::uintptr_t keyCode);
