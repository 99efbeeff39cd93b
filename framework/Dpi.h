// Dots per inch of a window, and what follows them: sizes given for 96 and fonts scaled to a window.
#pragma once
#include <windows.h>

// The system's dots per inch: the scale of the main screen when the user signed in.
UINT systemDpi();
// The window's dots per inch: its monitor's for a program aware of each monitor's, else the system's.
UINT windowDpi(HWND window);
// A length given at 96 dots per inch, at `dpi`.
inline int scaledForDpi(int length, UINT dpi) { return MulDiv(length, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI); }
// A copy of `font` with its height scaled from `oldDpi` to `newDpi`; the caller owns it.
HFONT rescaledFont(HFONT font, UINT oldDpi, UINT newDpi);
