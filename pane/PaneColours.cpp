#include "pane/PaneColours.h"
#include "common/SettingsFile.h"
#include <atomic>

PaneColours PaneColours::stored(const SettingsFile& s) {
    return {s.backColor, s.normalColor, s.dirColor, s.hideColor, s.readOnlyColor, s.systemColor, CLR_INVALID,
            s.backColor};
}

PaneColours PaneColours::ofSystem(COLORREF (*systemColour)(int index)) {
    const COLORREF text = systemColour(COLOR_WINDOWTEXT);
    return {systemColour(COLOR_WINDOW), text, text, systemColour(COLOR_GRAYTEXT), text, text,
            systemColour(COLOR_HIGHLIGHT), systemColour(COLOR_HIGHLIGHTTEXT)};
}

COLORREF PaneColours::entry(DWORD attributes) const {
    if (attributes & FILE_ATTRIBUTE_SYSTEM) return system;
    if (attributes & FILE_ATTRIBUTE_HIDDEN) return hidden;
    if (attributes & FILE_ATTRIBUTE_READONLY) return readOnly;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return folder;
    return normal;
}

namespace {
bool (*highContrastAnswer)() = nullptr;
// The system's answer, asked once until the settings change: every line drawn asks, and asking the
// system each time cost half a millisecond a line.
std::atomic<int> knownHighContrast{-1};
}  // namespace

void answerHighContrastWith(bool (*answer)()) { highContrastAnswer = answer; }

void forgetHighContrast() { knownHighContrast = -1; }

bool highContrastIsOn() {
    if (highContrastAnswer) return highContrastAnswer();
    int known = knownHighContrast.load();
    if (known < 0) {
        HIGHCONTRASTW contrast{sizeof(contrast)};
        known = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
                (contrast.dwFlags & HCF_HIGHCONTRASTON);
        knownHighContrast = known;
    }
    return known != 0;
}

namespace {
COLORREF systemColour(int index) { return GetSysColor(index); }
}  // namespace

PaneColours paneColours(const SettingsFile& settings) {
    return highContrastIsOn() ? PaneColours::ofSystem(systemColour) : PaneColours::stored(settings);
}
