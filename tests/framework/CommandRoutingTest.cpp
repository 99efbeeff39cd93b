#include "framework/Application.h"
#include "framework/FrameWindow.h"
#include "framework/View.h"
#include "support/UiDriver.h"
#include <gtest/gtest.h>
#include <string>

namespace {
constexpr UINT kBoth = 40001;      // view and frame both handle it
constexpr UINT kFrameOnly = 40002;
constexpr UINT kAppOnly = 40003;
constexpr UINT kDisabled = 40004;  // view handles it, but its update handler disables it
constexpr UINT kChecked = 40005;   // frame handles it and checks it
constexpr UINT kNobody = 40006;
constexpr UINT kRangeFirst = 40010, kRangeLast = 40019;
constexpr UINT kList = 40020;      // a list box of the frame that reports its selection changes

std::wstring trace;

class TestApp : public Application {
public:
    bool InitInstance() override { return true; }

protected:
    const MessageMap* messageMap() const override {
        static const MessageEntry entries[] = {onCommand<kAppOnly, &TestApp::onAppOnly>()};
        static const MessageMap map{Application::messageMap(), entries};
        return &map;
    }
    void onAppOnly() { trace += L"app;"; }
};

class TestView : public View {
protected:
    const MessageMap* messageMap() const override {
        static const MessageEntry entries[] = {
            onCommand<kBoth, &TestView::onBoth>(),
            onCommand<kDisabled, &TestView::onDisabled>(),
            onUpdate<kDisabled, &TestView::onUpdateDisabled>(),
            onCommandRange<kRangeFirst, kRangeLast, &TestView::onRange>(),
        };
        static const MessageMap map{View::messageMap(), entries};
        return &map;
    }
    void onBoth() { trace += L"view;"; }
    void onDisabled() { trace += L"disabled ran;"; }
    void onUpdateDisabled(CommandUI& ui) { ui.enable(false); }
    void onRange(UINT id) { trace += L"range " + std::to_wstring(id - kRangeFirst) + L";"; }
};

class TestFrame : public FrameWindow {
public:
    TestView view;

protected:
    const MessageMap* messageMap() const override {
        static const MessageEntry entries[] = {
            onCommand<kBoth, &TestFrame::onBoth>(),
            onCommand<kFrameOnly, &TestFrame::onFrameOnly>(),
            onCommand<kChecked, &TestFrame::onFrameOnly>(),
            onUpdate<kChecked, &TestFrame::onUpdateChecked>(),
            onControl<LBN_SELCHANGE, kList, &TestFrame::onListSelection>(),
            onCommand<kList, &TestFrame::onListCommand>(),
        };
        static const MessageMap map{FrameWindow::messageMap(), entries};
        return &map;
    }
    bool onCreateClient(const CREATESTRUCTW&) override {
        return view.createWindow(0, L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, hwnd_, nullptr);
    }
    void onBoth() { trace += L"frame;"; }
    void onFrameOnly() { trace += L"frame only;"; }
    void onUpdateChecked(CommandUI& ui) { ui.check(true); }
    void onListSelection() { trace += L"list selection;"; }
    void onListCommand() { trace += L"list command;"; }
};

class CommandRouting : public testing::Test {
protected:
    void SetUp() override {
        trace.clear();
        ASSERT_TRUE(frame.loadFrame(0, WS_OVERLAPPEDWINDOW));
        frame.setActiveView(&frame.view);
        app.setMainWindow(&frame);
    }
    void TearDown() override { app.setMainWindow(nullptr); }

    std::wstring run(UINT id) {
        trace.clear();
        PostMessageW(frame.hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        while (app.pumpMessage()) {}
        return trace;
    }

    TestApp app;
    TestFrame frame;
};
}  // namespace

TEST_F(CommandRouting, ActiveViewFirstThenFrameThenApplication) {
    EXPECT_EQ(run(kBoth), L"view;");
    EXPECT_EQ(run(kFrameOnly), L"frame only;");
    EXPECT_EQ(run(kAppOnly), L"app;");
    EXPECT_EQ(run(kNobody), L"");
    EXPECT_EQ(run(kRangeFirst + 3), L"range 3;");

    frame.setActiveView(nullptr);
    EXPECT_EQ(run(kBoth), L"frame;");
}

TEST_F(CommandRouting, CodeOneFromAControlIsItsNotificationFromAnAcceleratorACommand) {
    // LBN_SELCHANGE and an accelerator both carry code 1; only the control sends its window.
    trace.clear();
    const auto control = reinterpret_cast<LPARAM>(frame.view.hwnd());
    SendMessageW(frame.hwnd(), WM_COMMAND, MAKEWPARAM(kList, LBN_SELCHANGE), control);
    EXPECT_EQ(trace, L"list selection;");

    trace.clear();
    PostMessageW(frame.hwnd(), WM_COMMAND, MAKEWPARAM(kList, 1), 0);
    while (app.pumpMessage()) {}
    EXPECT_EQ(trace, L"list command;");

    // A control's code 1 that no entry maps is still routed as a command.
    trace.clear();
    SendMessageW(frame.hwnd(), WM_COMMAND, MAKEWPARAM(kFrameOnly, 1), control);
    EXPECT_EQ(trace, L"frame only;");
}

TEST_F(CommandRouting, DisabledCommandIsDropped) {
    EXPECT_EQ(run(kDisabled), L"");
}

TEST_F(CommandRouting, MenuItemsTakeTheirStateFromUpdateHandlersOrFromWhetherAnyoneHandlesThem) {
    HMENU popup = CreatePopupMenu();
    const UINT ids[] = {kBoth, kDisabled, kChecked, kNobody, kAppOnly};
    for (UINT id : ids) AppendMenuW(popup, MF_STRING, id, L"item");
    frame.updateMenuState(popup);

    auto state = [&](UINT id) { return GetMenuState(popup, id, MF_BYCOMMAND); };
    EXPECT_FALSE(state(kBoth) & MF_GRAYED);
    EXPECT_TRUE(state(kDisabled) & MF_GRAYED);
    EXPECT_TRUE(state(kChecked) & MF_CHECKED);
    EXPECT_TRUE(state(kNobody) & MF_GRAYED);
    EXPECT_FALSE(state(kAppOnly) & MF_GRAYED);
    DestroyMenu(popup);
}
