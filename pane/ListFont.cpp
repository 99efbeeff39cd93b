#include "pane/ListFont.h"
#include "framework/Application.h"
#include "framework/Handles.h"
#include <commdlg.h>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <string>

namespace {
constexpr wchar_t kSection[] = L"Font";
constexpr wchar_t kDefaultFace[] = L"ＭＳ ゴシック";
constexpr wchar_t kDefaultStyle[] = L"標準";

constexpr int kHundredths = 100;
constexpr int kStoredScale = USER_DEFAULT_SCREEN_DPI * kHundredths;
}  // namespace

int storedFontHeight(int height, UINT dpi) { return MulDiv(height, kStoredScale, static_cast<int>(dpi)); }

// Half a hundredth at 96 dots per inch is 1/100 of a pixel at 192: far from turning the rounding.
int fontHeightAt(int stored, UINT dpi) { return MulDiv(stored, static_cast<int>(dpi), kStoredScale); }

std::wstring storedFontHeightText(int hundredths) {
    const int whole = hundredths / kHundredths, part = std::abs(hundredths % kHundredths);
    if (part == 0) return std::to_wstring(whole);
    wchar_t text[32];
    swprintf(text, 32, L"%s%d.%02d", hundredths < 0 ? L"-" : L"", std::abs(whole), part);
    std::wstring trimmed = text;
    if (trimmed.back() == L'0') trimmed.pop_back();
    return trimmed;
}

namespace {
// The number a text starts with, as the profile functions read "Height" (blanks, a sign, digits,
// the rest ignored), and a fraction after a point, in hundredths; 0 for no number.
long long storedHundredths(const std::wstring& text) {
    size_t i = text.find_first_not_of(L" \t");
    if (i == std::wstring::npos) return 0;
    const bool negative = text[i] == L'-';
    if (text[i] == L'-' || text[i] == L'+') ++i;
    // Beyond any readable size long before it could overflow.
    constexpr long long kCap = 1LL << 40;
    long long value = 0;
    for (; i < text.size() && iswdigit(text[i]); ++i) value = std::min(value * 10 + (text[i] - L'0'), kCap);
    value *= kHundredths;
    if (i < text.size() && text[i] == L'.')
        for (int scale = kHundredths / 10; ++i < text.size() && iswdigit(text[i]) && scale > 0; scale /= 10)
            value += (text[i] - L'0') * scale;
    return negative ? -value : value;
}
}  // namespace

int readStoredFontHeight(const std::wstring& text) {
    const long long hundredths = storedHundredths(text);
    if (hundredths == 0) return 12 * kHundredths;
    const long long size = std::clamp<long long>(hundredths < 0 ? -hundredths : hundredths,
                                                 kMinimumFontSize * kHundredths, kMaximumFontSize * kHundredths);
    return static_cast<int>(hundredths < 0 ? -size : size);
}

ListFont::ListFont() {
    logFont_.lfCharSet = DEFAULT_CHARSET;
    setFaceName(kDefaultFace);
    styleName_ = kDefaultStyle;
    computeMetrics();
}

void ListFont::setFaceName(const std::wstring& face) {
    const size_t length = std::min(face.size(), static_cast<size_t>(LF_FACESIZE - 1));
    wmemcpy(logFont_.lfFaceName, face.data(), length);
    logFont_.lfFaceName[length] = 0;
}

void ListFont::load() {
    Application* app = Application::instance();
    if (!app) return;
    height_ = readStoredFontHeight(app->getProfileString(kSection, L"Height", L"12"));
    logFont_.lfWeight = app->getProfileInt(kSection, L"Weight", 0);
    logFont_.lfItalic = static_cast<BYTE>(app->getProfileInt(kSection, L"Italic", 0));
    setFaceName(app->getProfileString(kSection, L"FaceName", kDefaultFace));
    styleName_ = app->getProfileString(kSection, L"StyleName", kDefaultStyle).substr(0, kMaxStyleName);
    computeMetrics();
}

void ListFont::save() const {
    Application* app = Application::instance();
    if (!app) return;
    app->writeProfileString(kSection, nullptr, nullptr);
    app->writeProfileString(kSection, L"Height", storedFontHeightText(height_).c_str());
    app->writeProfileInt(kSection, L"Weight", logFont_.lfWeight);
    app->writeProfileInt(kSection, L"Italic", logFont_.lfItalic);
    app->writeProfileString(kSection, L"FaceName", logFont_.lfFaceName);
    app->writeProfileString(kSection, L"StyleName", styleName_.c_str());
}

void ListFont::setDpi(UINT dpi) {
    dpi_ = dpi ? dpi : USER_DEFAULT_SCREEN_DPI;
    computeMetrics();
}

void ListFont::set(const LOGFONTW& font, const std::wstring& styleName) {
    logFont_ = font;
    height_ = storedFontHeight(font.lfHeight, dpi_);
    logFont_.lfWidth = MulDiv(font.lfWidth, USER_DEFAULT_SCREEN_DPI, static_cast<int>(dpi_));
    logFont_.lfFaceName[LF_FACESIZE - 1] = 0;
    styleName_ = styleName.substr(0, kMaxStyleName);
    computeMetrics();
}

bool ListFont::choose(HWND owner) {
    LOGFONTW font = scaled_;
    // The dialog may write a style name as long as a face name, so its buffer is that long;
    // the name is cut to the stored length afterwards.
    wchar_t style[LF_FACESIZE + 1] = {};
    wcsncpy(style, styleName_.c_str(), LF_FACESIZE);
    CHOOSEFONTW cf{sizeof(cf)};
    cf.hwndOwner = owner;
    cf.lpLogFont = &font;
    cf.lpszStyle = style;
    cf.Flags = CF_SCREENFONTS | CF_FIXEDPITCHONLY | CF_NOVERTFONTS | CF_NOSCRIPTSEL | CF_USESTYLE |
               CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontW(&cf)) return false;
    set(font, style);
    save();
    return true;
}

void ListFont::computeMetrics() {
    scaled_ = logFont_;
    scaled_.lfHeight = fontHeightAt(height_, dpi_);
    scaled_.lfWidth = MulDiv(logFont_.lfWidth, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI);
    MemoryDc dc(nullptr);
    GdiObject<HFONT> font(CreateFontIndirectW(&scaled_));
    TEXTMETRICW tm{};
    {
        SelectGuard use(dc.get(), font.get());
        GetTextMetricsW(dc.get(), &tm);
    }
    averageCharWidth_ = tm.tmAveCharWidth;
    lineHeight_ = tm.tmHeight;
}
