#include "framework/Application.h"
#include "framework/DialogBar.h"
#include "framework/FrameWindow.h"
#include "framework/StatusBar.h"
#include "resource.h"
#include "support/SettingsFixture.h"
#include "support/UiDriver.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <iterator>
#include <string>

namespace {
class TestApp : public Application {
public:
    bool InitInstance() override { return true; }
};

// A frame laid out as the main window is: client window, status bar, dialog bar above it.
class BarFrame : public FrameWindow {
public:
    Window client;
    StatusBar status;
    DialogBar buttons{IDD_INPUT};
    std::wstring trace;
    bool okEnabled = true;

protected:
    const MessageMap* messageMap() const override {
        static const MessageEntry entries[] = {
            onMessage<WM_CREATE, &BarFrame::onCreateBars>(),
            onCommand<IDOK, &BarFrame::onOk>(),
            onUpdate<IDOK, &BarFrame::onUpdateOk>(),
        };
        static const MessageMap map{FrameWindow::messageMap(), entries};
        return &map;
    }
    bool onCreateClient(const CREATESTRUCTW&) override {
        if (!client.createWindow(0, L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, hwnd_, nullptr)) return false;
        clientWindow_ = client.hwnd();
        return true;
    }
    LRESULT onCreateBars(WPARAM wParam, LPARAM lParam) {
        if (FrameWindow::onCreate(wParam, lParam) == -1) return -1;
        static const UINT indicators[] = {0, ID_INDICATOR_KANA, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
        if (!status.create(*this, ID_VIEW_STATUS_BAR) || !status.setIndicators(indicators)) return -1;
        return buttons.create(*this, ID_VIEW_BUTTON_BAR) ? 0 : -1;
    }
    void onOk() { trace += L"ok;"; }
    void onUpdateOk(CommandUI& ui) { ui.enable(okEnabled); }
};

// A child's rectangle in its parent's client coordinates.
RECT rectInParent(HWND child) {
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

class FrameBars : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(frame.loadFrame(0, WS_OVERLAPPEDWINDOW));
        MoveWindow(frame.hwnd(), 0, 0, 640, 480, TRUE);
        app.setMainWindow(&frame);
        GetClientRect(frame.hwnd(), &area);
    }
    void TearDown() override { app.setMainWindow(nullptr); }
    void pump() { while (app.pumpMessage()) {} }

    TestApp app;
    BarFrame frame;
    RECT area{};
};
}  // namespace

TEST_F(FrameBars, BarsStackAtTheBottomInCreationOrderAndTheClientTakesTheRest) {
    const RECT status = rectInParent(frame.status.hwnd());
    const RECT buttons = rectInParent(frame.buttons.hwnd());
    const RECT client = rectInParent(frame.client.hwnd());
    EXPECT_GT(frame.status.barHeight(), 10);
    EXPECT_GT(frame.buttons.barHeight(), 10);

    EXPECT_EQ(status.bottom, area.bottom);
    EXPECT_EQ(status.bottom - status.top, frame.status.barHeight());
    EXPECT_EQ(buttons.bottom, status.top);  // created later, so directly above
    EXPECT_EQ(buttons.bottom - buttons.top, frame.buttons.barHeight());
    EXPECT_EQ(client.top, 0);
    EXPECT_EQ(client.bottom, buttons.top);
    for (const RECT& r : {status, buttons, client}) {
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.right, area.right);
    }
    // Built from a captioned pop-up template, the bar is still a plain child of the frame.
    EXPECT_EQ(GetParent(frame.buttons.hwnd()), frame.hwnd());
    EXPECT_TRUE(GetWindowLongW(frame.buttons.hwnd(), GWL_STYLE) & WS_CHILD);
    EXPECT_FALSE(GetWindowLongW(frame.buttons.hwnd(), GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(GetDlgCtrlID(frame.buttons.hwnd()), ID_VIEW_BUTTON_BAR);
    EXPECT_EQ(GetDlgCtrlID(frame.status.hwnd()), ID_VIEW_STATUS_BAR);
    // The status control keeps the top border that sets it off from the button bar.
    EXPECT_FALSE(GetWindowLongW(frame.status.hwnd(), GWL_STYLE) & CCS_NODIVIDER);
}

TEST_F(FrameBars, AHiddenBarGivesItsSpaceToTheBarsAboveAndTheClient) {
    frame.showControlBar(ID_VIEW_STATUS_BAR, false);
    EXPECT_FALSE(frame.isControlBarVisible(ID_VIEW_STATUS_BAR));
    EXPECT_TRUE(frame.isControlBarVisible(ID_VIEW_BUTTON_BAR));
    const RECT buttons = rectInParent(frame.buttons.hwnd());
    EXPECT_EQ(buttons.bottom, area.bottom);
    EXPECT_EQ(rectInParent(frame.client.hwnd()).bottom, buttons.top);

    frame.showControlBar(ID_VIEW_BUTTON_BAR, false);
    EXPECT_EQ(rectInParent(frame.client.hwnd()).bottom, area.bottom);
}

TEST_F(FrameBars, ABarsCommandTogglesItAndItsMenuItemIsCheckedWhileItIsShown) {
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, ID_VIEW_BUTTON_BAR, L"button bar");
    AppendMenuW(popup, MF_STRING, ID_VIEW_STATUS_BAR, L"status bar");
    auto state = [&](UINT id) { return GetMenuState(popup, id, MF_BYCOMMAND); };

    frame.updateMenuState(popup);
    EXPECT_TRUE(state(ID_VIEW_BUTTON_BAR) & MF_CHECKED);
    EXPECT_TRUE(state(ID_VIEW_STATUS_BAR) & MF_CHECKED);
    EXPECT_FALSE(state(ID_VIEW_BUTTON_BAR) & MF_GRAYED);

    PostMessageW(frame.hwnd(), WM_COMMAND, MAKEWPARAM(ID_VIEW_BUTTON_BAR, 0), 0);
    pump();
    EXPECT_FALSE(frame.isControlBarVisible(ID_VIEW_BUTTON_BAR));
    EXPECT_TRUE(frame.isControlBarVisible(ID_VIEW_STATUS_BAR));
    EXPECT_EQ(rectInParent(frame.client.hwnd()).bottom, rectInParent(frame.status.hwnd()).top);
    frame.updateMenuState(popup);
    EXPECT_FALSE(state(ID_VIEW_BUTTON_BAR) & MF_CHECKED);
    EXPECT_TRUE(state(ID_VIEW_STATUS_BAR) & MF_CHECKED);

    PostMessageW(frame.hwnd(), WM_COMMAND, MAKEWPARAM(ID_VIEW_BUTTON_BAR, 0), 0);
    pump();
    EXPECT_TRUE(frame.isControlBarVisible(ID_VIEW_BUTTON_BAR));
    frame.updateMenuState(popup);
    EXPECT_TRUE(state(ID_VIEW_BUTTON_BAR) & MF_CHECKED);
    DestroyMenu(popup);
}

TEST_F(FrameBars, BarStateRoundTripsThroughTheSettingsFile) {
    TempFolder folder;
    const std::wstring ini = folder / L"Vantor.ini";
    writeUtf16Ini(ini, L"");
    app.setProfilePath(ini);

    // Nothing saved yet: both bars keep their state.
    frame.loadBarState(L"BarState");
    EXPECT_TRUE(frame.isControlBarVisible(ID_VIEW_STATUS_BAR));
    EXPECT_TRUE(frame.isControlBarVisible(ID_VIEW_BUTTON_BAR));

    frame.showControlBar(ID_VIEW_STATUS_BAR, false);
    frame.saveBarState(L"BarState");
    EXPECT_NE(readUtf16File(ini).find(L"[BarState]"), std::wstring::npos);

    BarFrame next;
    ASSERT_TRUE(next.loadFrame(0, WS_OVERLAPPEDWINDOW));
    MoveWindow(next.hwnd(), 0, 0, 640, 480, TRUE);
    ASSERT_TRUE(next.isControlBarVisible(ID_VIEW_STATUS_BAR));
    next.loadBarState(L"BarState");
    EXPECT_FALSE(next.isControlBarVisible(ID_VIEW_STATUS_BAR));
    EXPECT_TRUE(next.isControlBarVisible(ID_VIEW_BUTTON_BAR));
    RECT nextArea;
    GetClientRect(next.hwnd(), &nextArea);
    EXPECT_EQ(rectInParent(next.buttons.hwnd()).bottom, nextArea.bottom);

    // And back: shown again, saved, loaded.
    next.showControlBar(ID_VIEW_STATUS_BAR, true);
    next.showControlBar(ID_VIEW_BUTTON_BAR, false);
    next.saveBarState(L"BarState");
    frame.loadBarState(L"BarState");
    EXPECT_TRUE(frame.isControlBarVisible(ID_VIEW_STATUS_BAR));
    EXPECT_FALSE(frame.isControlBarVisible(ID_VIEW_BUTTON_BAR));
}

TEST_F(FrameBars, DialogBarButtonsRunFrameCommandsAndTakeTheirStateAtIdle) {
    HWND ok = GetDlgItem(frame.buttons.hwnd(), IDOK);
    HWND cancel = GetDlgItem(frame.buttons.hwnd(), IDCANCEL);
    ASSERT_TRUE(ok && cancel);

    clickButton(frame.buttons.hwnd(), IDOK);
    pump();
    EXPECT_EQ(frame.trace, L"ok;");
    EXPECT_TRUE(IsWindow(frame.buttons.hwnd()));  // a bar's OK is a command, not the end of a dialog

    app.onIdle();
    EXPECT_TRUE(IsWindowEnabled(ok));
    EXPECT_FALSE(IsWindowEnabled(cancel));  // nobody carries out IDCANCEL
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(frame.buttons.hwnd(), IDC_INPUT_EDIT)));  // not a button

    frame.okEnabled = false;
    app.onIdle();
    EXPECT_FALSE(IsWindowEnabled(ok));
}

TEST_F(FrameBars, IndicatorsShowTheirTextsWhileTheirKeysAreToggledOn) {
    BYTE saved[256];
    ASSERT_TRUE(GetKeyboardState(saved));
    auto setToggles = [&](bool kana, bool caps, bool num, bool scroll) {
        BYTE keys[256];
        std::copy(std::begin(saved), std::end(saved), keys);
        keys[VK_KANA] = kana ? 1 : 0;
        keys[VK_CAPITAL] = caps ? 1 : 0;
        keys[VK_NUMLOCK] = num ? 1 : 0;
        keys[VK_SCROLL] = scroll ? 1 : 0;
        SetKeyboardState(keys);
    };
    auto indicators = [&] {
        return frame.status.paneText(1) + L"|" + frame.status.paneText(2) + L"|" + frame.status.paneText(3) + L"|" +
               frame.status.paneText(4);
    };

    setToggles(false, true, false, false);
    app.onIdle();
    EXPECT_EQ(indicators(), L"|CAP||");

    setToggles(true, false, true, true);
    app.onIdle();
    EXPECT_EQ(indicators(), L"ｶﾅ||NUM|SCRL");
    SetKeyboardState(saved);
}

TEST_F(FrameBars, MenuPromptsFollowTheHighlightedItemAndTheIdleTextReturnsWhenTheMenuCloses) {
    const std::wstring idle = L"ﾚﾃﾞｨ";
    EXPECT_EQ(frame.status.paneText(0), idle);

    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, ID_FILE_COPY, L"copy");
    auto select = [&](UINT item, UINT flags, HMENU from) {
        SendMessageW(frame.hwnd(), WM_MENUSELECT, MAKEWPARAM(item, flags), reinterpret_cast<LPARAM>(from));
        return frame.status.paneText(0);
    };
    EXPECT_EQ(select(ID_FILE_COPY, MF_HILITE, menu), L"選択したファイルを反対側へ複写");
    EXPECT_EQ(select(40999, MF_HILITE, menu), L"");  // no string: no stale prompt either
    EXPECT_EQ(select(ID_FILE_COPY, MF_HILITE, menu), L"選択したファイルを反対側へ複写");
    EXPECT_EQ(select(0, MF_HILITE | MF_POPUP, menu), L"");
    EXPECT_EQ(select(0, 0xFFFF, nullptr), idle);

    select(ID_FILE_COPY, MF_HILITE, menu);
    SendMessageW(frame.hwnd(), WM_EXITMENULOOP, FALSE, 0);
    EXPECT_EQ(frame.status.paneText(0), idle);
    DestroyMenu(menu);
}
