// The function-key bar in the running program: its labels follow the modifier keys, a click presses
// the key for the active pane, and keys aimed at a focused button still reach the accelerators.
#include "keys/KeyNames.h"
#include "support/RunningProgram.h"
#include "support/UiDriver.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <iterator>

namespace {
using Program = RunningProgram;

class ButtonBarTest : public testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) dir.writeFile(name, "x");
        ASSERT_TRUE(program.start(dir.path()));
        MoveWindow(program.frameWindow(), 0, 0, 800, 600, TRUE);
        program.pump(50);
    }
    HWND bar() { return program.frame().buttonBar().hwnd(); }
    HWND button(int index) { return GetDlgItem(bar(), IDC_BUTTON_F1 + index); }
    CVantorView& left() { return program.pane(0); }
    int marked() { return left().listing().list().markedCount(); }
    // The twelve texts separated by "|", a disabled button's marked with "~".
    std::wstring labels() {
        std::wstring all;
        for (int i = 0; i < 12; ++i)
            all += (i ? L"|" : L"") + std::wstring(IsWindowEnabled(button(i)) ? L"" : L"~") +
                   program.frame().buttonBar().label(i);
        return all;
    }

    TempFolder dir;
    Program program;
};
}  // namespace

TEST_F(ButtonBarTest, LabelsFollowTheModifiersHeld) {
    EXPECT_EQ(program.frame().buttonBar().modifierState(), KeyModifier::kVirtualKey);  // set at creation
    program.pressKey(VK_SHIFT, Program::kShift);
    EXPECT_EQ(labels(), L"~×|~×|~×|~×|~×|~×|~×|全容量|←揃|揃→|~×|~×");
    program.pressKey(VK_SHIFT);
    EXPECT_EQ(labels(), L"about|名前|コマンド|DOS|更新|BOOKMARK|~×|容量|揃え|窓交換|設定|KEY");
    // Screen readers read each button's own text: its key, then what the key does.
    EXPECT_EQ(windowText(button(0)), L"F1 about");
    EXPECT_EQ(windowText(button(6)), L"F7 割り当てなし");
}

TEST_F(ButtonBarTest, AClickPressesTheKeyWithTheModifiersHeldAndGivesTheFocusBackToThePane) {
    KeyAssignTable& keys = program.app().keyTable();
    keys.append({KeyModifier::kVirtualKey | KeyModifier::kShift, VK_F5, ID_MARK_ALL, L"", L""});
    keys.buildAccelerators();
    program.pressKey(VK_SHIFT, Program::kShift);
    ASSERT_TRUE(IsWindowEnabled(button(4)));

    BYTE saved[256], held[256];
    GetKeyboardState(saved);
    std::copy(std::begin(saved), std::end(saved), std::begin(held));
    held[VK_SHIFT] = 0x80;
    SetKeyboardState(held);
    SendMessageW(button(4), BM_CLICK, 0, 0);  // takes the focus as a mouse click does
    program.pump(50);
    SetKeyboardState(saved);

    EXPECT_EQ(marked(), 3);
    EXPECT_EQ(GetFocus(), left().hwnd());
    EXPECT_NE(GetWindowLongW(button(4), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
}

TEST_F(ButtonBarTest, KeysForAFocusedButtonReachTheAcceleratorsAndAClickOnThePaneTakesTheFocusBack) {
    SetFocus(button(0));
    program.pressKey(VK_HOME, Program::kNoModifier, button(0));
    EXPECT_EQ(marked(), 3);

    ASSERT_TRUE(left().isActive());
    SetFocus(button(0));
    // What the system sends a child window first when the user presses the mouse button over it.
    SendMessageW(left().hwnd(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(program.frameWindow()),
                 MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(GetFocus(), left().hwnd());
}

// Keys the frame never sees change the modifiers too: the quick search line takes them all, and a
// modal window those let go while it is open.
TEST_F(ButtonBarTest, LabelsFollowTheModifiersWhereverTheKeysGo) {
    const std::uint8_t plain = KeyModifier::kVirtualKey, ctrl = plain | KeyModifier::kCtrl;
    const auto bar = [&] { return program.frame().buttonBar().modifierState(); };
    const auto inSearch = [&](WORD key, unsigned held) {
        program.command(ID_UI_QUICK_SEARCH);
        program.pressKey(key, held, left().quickSearch().edit());
    };
    const struct { const char* name; std::function<void()> act; std::uint8_t shown; } rows[] = {
        {"Ctrl held in the quick search line", [&] { inSearch(VK_CONTROL, Program::kCtrl); }, ctrl},
        {"Shift let go in the quick search line", [&] {
             program.pressKey(VK_SHIFT, Program::kShift);
             inSearch(VK_SHIFT, 0);
         }, plain},
        // A modal window disables its owner while it is open and enables it again as it ends.
        {"Ctrl let go while a modal window had the keys", [&] {
             program.pressKey(VK_CONTROL, Program::kCtrl);
             EXPECT_EQ(bar(), ctrl);
             EnableWindow(program.frameWindow(), FALSE);
             EnableWindow(program.frameWindow(), TRUE);
         }, plain},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        r.act();
        program.pumpUntil([&] { return bar() == r.shown; });
        EXPECT_EQ(bar(), r.shown);
        if (left().quickSearch().isOpen()) program.pressKey(VK_ESCAPE, 0, left().quickSearch().edit());
        program.pressKey(VK_SHIFT);
    }
}
