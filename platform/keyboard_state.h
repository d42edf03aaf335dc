#pragma once

#include <cstdint>

// Whether the key of this native scan code is down on the keyboard right
// now, as the X server knows it. False where nobody can tell (Wayland, no
// display, no scan code): what the key events said must do there.
bool isKeyDownOnKeyboard(std::uint32_t nativeScanCode);
