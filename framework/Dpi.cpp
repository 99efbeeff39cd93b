#include "framework/Dpi.h"

UINT windowDpi(HWND window) {
    // Windows 10 1607 and later; older systems have one scale for every screen.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto forWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (forWindow && window)
        if (const UINT dpi = forWindow(window)) return dpi;
    return systemDpi();
}

UINT systemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

HFONT rescaledFont(HFONT font, UINT oldDpi, UINT newDpi) {
    LOGFONTW description{};
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (!GetObjectW(font, sizeof(description), &description)) return nullptr;
    description.lfHeight = MulDiv(description.lfHeight, static_cast<int>(newDpi), static_cast<int>(oldDpi));
    description.lfWidth = MulDiv(description.lfWidth, static_cast<int>(newDpi), static_cast<int>(oldDpi));
    return CreateFontIndirectW(&description);
}
