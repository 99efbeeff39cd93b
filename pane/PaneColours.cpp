#include "pane/PaneColours.h"
#include "common/SettingsFile.h"

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
}  // namespace

void answerHighContrastWith(bool (*answer)()) { highContrastAnswer = answer; }

bool highContrastIsOn() {
    if (highContrastAnswer) return highContrastAnswer();
    HIGHCONTRASTW contrast{sizeof(contrast)};
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

namespace {
COLORREF systemColour(int index) { return GetSysColor(index); }
}  // namespace

PaneColours paneColours(const SettingsFile& settings) {
    return highContrastIsOn() ? PaneColours::ofSystem(systemColour) : PaneColours::stored(settings);
}
