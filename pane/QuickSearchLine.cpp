#include "pane/QuickSearchLine.h"
#include "pane/PaneOwner.h"
#include "pane/VantorView.h"
#include "resource.h"
#include <algorithm>
#include <cwchar>

namespace {
constexpr wchar_t kPrompt[] = L"検索:";
// The text turns red when no name starts with it.
constexpr COLORREF kNotFoundColour = RGB(192, 0, 0);
}  // namespace

QuickSearchLine::QuickSearchLine(CVantorView& pane) : pane_(pane) {}

const MessageMap* QuickSearchLine::messageMap() const {
    static const MessageEntry entries[] = {
        onControl<EN_CHANGE, IDC_QUICK_SEARCH_EDIT, &QuickSearchLine::onTextChanged>(),
        onControl<EN_KILLFOCUS, IDC_QUICK_SEARCH_EDIT, &QuickSearchLine::onEditLostFocus>(),
        onMessage<WM_CTLCOLOREDIT, &QuickSearchLine::onEditColour>(),
        onMessage<WM_PAINT, &QuickSearchLine::onPaint>(),
        onMessage<WM_ERASEBKGND, &QuickSearchLine::onEraseBackground>(),
    };
    static const MessageMap map{Window::messageMap(), entries};
    return &map;
}

bool QuickSearchLine::create() {
    // The pane draws with a window DC; without clipping its children it would paint over the line.
    SetWindowLongPtrW(pane_.hwnd(), GWL_STYLE, GetWindowLongPtrW(pane_.hwnd(), GWL_STYLE) | WS_CLIPCHILDREN);
    if (!createWindow(0, L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0, pane_.hwnd(), nullptr)) return false;
    edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 0, 0, hwnd_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_QUICK_SEARCH_EDIT)),
                            GetModuleHandleW(nullptr), nullptr);
    return edit_ != nullptr;
}

void QuickSearchLine::open(const LOGFONTW& font, int lineHeight) {
    if (open_) return;
    if (!hwnd_ && !create()) return;
    // The field lets go of the old font before it is deleted.
    GdiObject<HFONT> listFont(CreateFontIndirectW(&font));
    SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(listFont.get()), FALSE);
    font_ = std::move(listFont);
    lineHeight_ = lineHeight > 0 ? lineHeight : 16;
    {
        ClientDc dc(hwnd_);
        SelectGuard useFont(dc.get(), font_.get());
        SIZE size{};
        GetTextExtentPoint32W(dc.get(), kPrompt, static_cast<int>(wcslen(kPrompt)), &size);
        promptWidth_ = size.cx + 4;
    }
    origin_ = pane_.listing().cursor();
    const FileEntry* entry = pane_.listing().cursorEntry();
    originName_ = entry ? entry->name() : L"";
    found_ = true;
    open_ = true;
    SetWindowTextW(edit_, L"");
    fitToPane();
    ShowWindow(hwnd_, SW_SHOW);
    SetFocus(edit_);
}

void QuickSearchLine::fitToPane() {
    if (!hwnd_) return;
    RECT client{};
    GetClientRect(pane_.hwnd(), &client);
    // Over the second header line, the status line, leaving the folder line above in view.
    const int width = std::max<int>(client.right - 2, 0);
    MoveWindow(hwnd_, 1, lineHeight_ + 1, width, lineHeight_, TRUE);
    MoveWindow(edit_, promptWidth_, 0, std::max(width - promptWidth_, 0), lineHeight_, TRUE);
}

void QuickSearchLine::close(bool restore) {
    if (!open_) return;
    open_ = false;
    if (restore) {
        const FileIndex& index = pane_.listing().index();
        const FileEntry* there = index.entryAt(origin_);
        int back = origin_;
        if (!there || originName_ != there->name()) back = index.findName(originName_, 0);
        if (back >= 0) pane_.setCursor(back);
    }
    ShowWindow(hwnd_, SW_HIDE);
    if (GetFocus() == edit_) SetFocus(pane_.hwnd());
    // The status line under the closed field is drawn again.
    pane_.redrawHeader();
}

std::wstring QuickSearchLine::text() const {
    if (!edit_) return {};
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit_)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void QuickSearchLine::moveCursor(SearchStep step) {
    const QuickSearchText typed(text());
    if (typed.empty()) {
        found_ = true;
    } else {
        const int position = quickSearchPosition(pane_.listing().index(), typed, pane_.listing().cursor(), step);
        found_ = position >= 0;
        if (found_ && position != pane_.listing().cursor()) pane_.setCursor(position);
    }
    InvalidateRect(edit_, nullptr, FALSE);
}

void QuickSearchLine::onTextChanged() {
    if (open_) moveCursor(SearchStep::Here);
}

void QuickSearchLine::onEditLostFocus() { close(false); }

LRESULT QuickSearchLine::onEditColour(WPARAM wParam, LPARAM) {
    const HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, found_ ? GetSysColor(COLOR_WINDOWTEXT) : kNotFoundColour);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

LRESULT QuickSearchLine::onEraseBackground() { return 1; }

void QuickSearchLine::onPaint() {
    PaintDc dc(hwnd_);
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    FillRect(dc.get(), &rc, GetSysColorBrush(COLOR_BTNFACE));
    SelectGuard useFont(dc.get(), font_.get());
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), GetSysColor(COLOR_BTNTEXT));
    RECT prompt{2, 0, promptWidth_, rc.bottom};
    DrawTextW(dc.get(), kPrompt, -1, &prompt, DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_LEFT);
}

bool QuickSearchLine::PreTranslateMessage(MSG& msg) {
    if (!open_ || msg.hwnd != edit_) return false;
    // The frame never sees these keys, yet its bar shows the modifiers held.
    const bool key = msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_SYSKEYDOWN ||
                     msg.message == WM_SYSKEYUP;
    if (PaneOwner* owner = pane_.owner(); key && owner) owner->keyTakenBeforeFrame();
    if (msg.message == WM_KEYDOWN) {
        switch (msg.wParam) {
        case VK_DOWN: moveCursor(SearchStep::Next); return true;
        case VK_UP: moveCursor(SearchStep::Previous); return true;
        case VK_RETURN: close(false); return true;
        case VK_ESCAPE: close(true); return true;
        default: break;
        }
    }
    // Every other key goes to the field itself, ahead of the frame's accelerators.
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        return true;
    }
    return false;
}
