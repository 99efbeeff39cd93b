// The font of both panes: its description, the style name the font dialog showed, and the
// average character width and line height the panes lay out with. Kept in section "Font" with its
// height in pixels at 96 dots per inch, as always (to the hundredth where the scale it was chosen at
// needs it); the panes get it scaled to their window's.
#pragma once
#include <windows.h>
#include <string>

// "Height" holds pixels at 96 dots per inch. A height chosen at another scale seldom falls on a
// whole pixel there, and one rounded to it may come back a pixel taller, so it is kept to the
// hundredth ("-13.6"), which brings it back as chosen at any scale; whole numbers are written and
// read as they always were. Stored heights below are in hundredths of a pixel at 96 dots per inch.
int storedFontHeight(int height, UINT dpi);
int fontHeightAt(int stored, UINT dpi);
std::wstring storedFontHeightText(int stored);
// A "Height" text read as the profile functions read a number, with a fraction after a point, made
// readable: its size (negative for the character height, positive for the cell height) kept within
// kMinimumFontSize..kMaximumFontSize pixels, and no number or 0, which name no size, as the default 12.
constexpr int kMinimumFontSize = 6;
constexpr int kMaximumFontSize = 144;
int readStoredFontHeight(const std::wstring& text);

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

    LOGFONTW logFont_{};  // at 96 dots per inch, as stored; its height is height_
    int height_ = 1200;   // at 96 dots per inch, in hundredths of a pixel
    LOGFONTW scaled_{};
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::wstring styleName_;
    int averageCharWidth_ = 0;
    int lineHeight_ = 0;
};
