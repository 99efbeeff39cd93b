#include "framework/StatusBar.h"
#include "framework/BarLayout.h"
#include "framework/Dpi.h"
#include "framework/FrameWindow.h"
#include "framework/Handles.h"
#include "resource.h"
#include <algorithm>

namespace {
int toggleKeyOf(UINT indicatorId) {
    switch (indicatorId) {
    case ID_INDICATOR_KANA: return VK_KANA;
    case ID_INDICATOR_CAPS: return VK_CAPITAL;
    case ID_INDICATOR_NUM: return VK_NUMLOCK;
    case ID_INDICATOR_SCRL: return VK_SCROLL;
    default: return 0;
    }
}

std::wstring firstLine(const std::wstring& text) { return text.substr(0, text.find(L'\n')); }

// The control draws with the font it was given, or with the GUI font when it was given none.
HFONT controlFont(HWND control) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}
}  // namespace

StatusBar::~StatusBar() {
    // Before ~Window, which would only unhook the control and leave it on the frame.
    if (hwnd_) DestroyWindow(hwnd_);
}

const MessageMap* StatusBar::messageMap() const {
    static const MessageEntry entries[] = {
        onMessage<WM_SIZE, &StatusBar::onSize>(),
    };
    static const MessageMap map{Window::messageMap(), entries};
    return &map;
}

bool StatusBar::create(FrameWindow& frame, UINT controlId, DWORD style) {
    // The control's class exists only once common controls were initialised; the call is cheap to repeat.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // The frame places the bar; left alone the control would move itself to the frame's bottom edge.
    // Without CCS_NODIVIDER the control keeps its top border, which sets it off from the bar above.
    style |= CCS_NOPARENTALIGN | CCS_NORESIZE;
    HWND control = CreateWindowExW(0, STATUSCLASSNAMEW, L"", style, 0, 0, 0, 0, frame.hwnd(),
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(controlId)),
                                   GetModuleHandleW(nullptr), nullptr);
    if (!control) return false;
    attach(control);

    fitHeight();
    dockIn(frame);
    return true;
}

// With CCS_NORESIZE the control no longer sizes itself: its height is the text's plus borders.
void StatusBar::fitHeight() {
    int borders[3] = {};
    SendMessageW(hwnd_, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    ClientDc dc(hwnd_);
    SelectGuard useFont(dc.get(), controlFont(hwnd_));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc.get(), &tm);
    height_ = tm.tmHeight + std::max<int>(tm.tmInternalLeading, 2) + 2 * GetSystemMetrics(SM_CYBORDER) + 2 * borders[1];
}

void StatusBar::rescale(UINT oldDpi, UINT newDpi) {
    if (!hwnd_ || oldDpi == newDpi) return;
    GdiObject<HFONT> font(rescaledFont(controlFont(hwnd_), oldDpi, newDpi));
    if (!font) return;
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    font_ = std::move(font);
    fitHeight();
    // The indicators' widths follow their texts in the new font.
    if (!indicatorIds_.empty()) setIndicators(std::vector<UINT>(indicatorIds_));
}

bool StatusBar::setIndicators(std::span<const UINT> ids) {
    if (!hwnd_ || ids.empty()) return false;
    std::vector<Indicator> indicators;
    ClientDc dc(hwnd_);
    SelectGuard useFont(dc.get(), controlFont(hwnd_));
    int borders[3] = {};
    SendMessageW(hwnd_, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    for (UINT id : ids.subspan(1)) {
        std::wstring text = loadString(id);
        if (text.empty()) return false;
        SIZE extent{};
        GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
        // Room for the pane's sunken edges and a little air on both sides of the text.
        const int width = extent.cx + 2 * borders[0] + 8;
        indicators.push_back({toggleKeyOf(id), std::move(text), width, false});
    }
    indicators_ = std::move(indicators);
    indicatorIds_.assign(ids.begin(), ids.end());
    updateParts();
    for (size_t i = 0; i < indicators_.size(); ++i) setPaneText(static_cast<int>(i + 1), L"");
    showIdleText();
    return true;
}

void StatusBar::onSize(UINT, int, int) {
    callDefault();
    updateParts();
}

void StatusBar::updateParts() {
    if (!hwnd_) return;
    RECT rc;
    GetClientRect(hwnd_, &rc);
    std::vector<int> widths;
    for (const Indicator& indicator : indicators_) widths.push_back(indicator.width);
    const bool grip = (GetWindowLongW(hwnd_, GWL_STYLE) & SBARS_SIZEGRIP) != 0;
    const std::vector<int> edges = statusPartEdges(rc.right, widths, grip ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    SendMessageW(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void StatusBar::setPaneText(int index, const std::wstring& text) {
    // The message pane has no edges of its own, as the indicators do.
    const WPARAM flags = index == 0 ? SBT_NOBORDERS : 0;
    SendMessageW(hwnd_, SB_SETTEXTW, static_cast<WPARAM>(index) | flags, reinterpret_cast<LPARAM>(text.c_str()));
}

void StatusBar::setMessageText(const std::wstring& text) {
    if (hwnd_) setPaneText(0, text);
}

void StatusBar::showIdleText() { setMessageText(loadString(IDS_IDLE_MESSAGE)); }

void StatusBar::showMenuPrompt(UINT itemId, UINT flags, HMENU menu) {
    if (flags == 0xFFFF && !menu) showIdleText();
    else if (itemId == 0 || (flags & (MF_POPUP | MF_SEPARATOR))) setMessageText(L"");
    else setMessageText(firstLine(loadString(itemId)));
}

std::wstring StatusBar::paneText(int index) const {
    if (!hwnd_) return L"";
    const auto length = LOWORD(SendMessageW(hwnd_, SB_GETTEXTLENGTHW, static_cast<WPARAM>(index), 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(hwnd_, SB_GETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

void StatusBar::onIdleUpdate(FrameWindow&) {
    for (size_t i = 0; i < indicators_.size(); ++i) {
        Indicator& indicator = indicators_[i];
        const bool on = indicator.key == 0 || (GetKeyState(indicator.key) & 1) != 0;
        // Only changes are sent: the control repaints on every SB_SETTEXT.
        if (on == indicator.shown) continue;
        indicator.shown = on;
        setPaneText(static_cast<int>(i + 1), on ? indicator.text : L"");
    }
}
