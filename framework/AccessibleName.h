// A control whose text does not say what it does (a "…" browse button) gets a name of its own for
// screen readers: the control answers their request for its accessible object with the system's
// standard object for it, save for the name.
#pragma once
#include <windows.h>
#include <string>

// Lasts as long as the control; false when the control could not be given the name.
bool setAccessibleName(HWND control, const std::wstring& name);
