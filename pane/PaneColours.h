// The colours a pane draws its listing with: the stored ones, or the system's while the system's
// high-contrast mode is on (the stored ones stay untouched, and come back when it is turned off).
#pragma once
#include <windows.h>

class SettingsFile;

struct PaneColours {
    COLORREF back, normal, folder, hidden, readOnly, system;
    COLORREF cursorBar;   // CLR_INVALID: the bar takes the cursor entry's own colour
    COLORREF cursorText;  // text on the active pane's cursor bar

    static PaneColours stored(const SettingsFile& settings);
    // Window, window text, highlight and grey text for hidden entries, as `systemColour` gives them
    // (GetSysColor, or a stand-in in tests).
    static PaneColours ofSystem(COLORREF (*systemColour)(int index));

    // An entry's text colour: system, then hidden, then read-only, then folder, else normal.
    COLORREF entry(DWORD attributes) const;
    // Markers stand apart from the text around them.
    COLORREF markerBeside(COLORREF text) const { return text == hidden ? normal : hidden; }
};

// Whether the system's high-contrast mode is on, as the system said when first asked since the
// last forgetHighContrast (which the main window calls when the system's settings change).
bool highContrastIsOn();
void forgetHighContrast();
// Replaces that question (nullptr: the system answers again). Tests use it: Wine cannot turn the
// mode on.
void answerHighContrastWith(bool (*answer)());
// The colours to draw with now.
PaneColours paneColours(const SettingsFile& settings);
