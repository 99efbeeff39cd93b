// The font of both panes: its description, the style name the font dialog showed, and the
// average character width and line height the panes lay out with. Kept in section "Font" with its
// height in pixels at 96 dots per inch, as always; the panes get it scaled to their window's.
#pragma once
#include <windows.h>
#include <string>

// A font height as read from the settings made readable: its size (negative for the character
// height, positive for the cell height) kept within kMinimumFontSize..kMaximumFontSize, and 0,
// which names no size, as the default 12.
constexpr int kMinimumFontSize = 6;
constexpr int kMaximumFontSize = 144;
int readableFontHeight(int height);

class ListFont {
public:
    ListFont();

    // Reads "Height", "Weight", "Italic", "FaceName" and "StyleName"; other fields keep their values.
    void load();
    // Rewrites the section with exactly those five keys.
    void save() const;
    // Runs the font dialog (fixed-pitch screen fonts, no effects); true when a font was chosen.
    bool choose(HWND owner);

    // The font as the panes draw it, at the dots per inch set last (96 at first).
    const LOGFONTW& logFont() const { return scaled_; }
    // The window moved to a screen of other dots per inch: the font and the metrics follow.
    void setDpi(UINT dpi);
    UINT dpi() const { return dpi_; }
    const std::wstring& styleName() const { return styleName_; }
    int averageCharWidth() const { return averageCharWidth_; }
    int lineHeight() const { return lineHeight_; }

    // Takes over a description at the current dots per inch (face name cut to 31 and style name to
    // 19 characters) and recomputes the metrics.
    void set(const LOGFONTW& font, const std::wstring& styleName);

    static constexpr size_t kMaxStyleName = 19;

private:
    void computeMetrics();
    void setFaceName(const std::wstring& face);

    LOGFONTW logFont_{};  // at 96 dots per inch, as stored
    LOGFONTW scaled_{};
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::wstring styleName_;
    int averageCharWidth_ = 0;
    int lineHeight_ = 0;
};
