#include "pane/ListFont.h"
#include "framework/Application.h"
#include "framework/Handles.h"
#include <commdlg.h>
#include <algorithm>
#include <cstdint>
#include <cwchar>

namespace {
constexpr wchar_t kSection[] = L"Font";
constexpr wchar_t kDefaultFace[] = L"ＭＳ ゴシック";
constexpr wchar_t kDefaultStyle[] = L"標準";
}  // namespace

int readableFontHeight(int height) {
    if (height == 0) return 12;
    // 64 bits: the size of INT_MIN does not fit in an int.
    const int64_t size = std::clamp<int64_t>(height < 0 ? -int64_t{height} : height, kMinimumFontSize, kMaximumFontSize);
    return static_cast<int>(height < 0 ? -size : size);
}

ListFont::ListFont() {
    logFont_.lfHeight = 12;
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
    logFont_.lfHeight = readableFontHeight(app->getProfileInt(kSection, L"Height", 12));
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
    app->writeProfileInt(kSection, L"Height", logFont_.lfHeight);
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
    logFont_.lfHeight = MulDiv(font.lfHeight, USER_DEFAULT_SCREEN_DPI, static_cast<int>(dpi_));
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
    scaled_.lfHeight = MulDiv(logFont_.lfHeight, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI);
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
