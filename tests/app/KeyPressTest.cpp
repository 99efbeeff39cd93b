// Keys sent through the running program's message loop: the frame's accelerators first, then the
// pane's own look-up of bindings with a parameter.
#include "keys/KeyNames.h"
#include "support/RunningProgram.h"
#include "support/UiDriver.h"
#include "resource.h"
#include <gtest/gtest.h>

namespace {
using Program = RunningProgram;

class KeyPress : public testing::Test {
protected:
    void SetUp() override {
        dir.makeFolder(L"SRC");
        dir.writeFile(L"SRC\\inner.txt", "x");
        for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.log", L"d.log"}) dir.writeFile(name, "x");
        ASSERT_TRUE(program.start(dir.path()));
        MoveWindow(program.frameWindow(), 0, 0, 800, 700, TRUE);
        program.pump(50);
        ASSERT_EQ(left().listing().count(), 6);
    }
    CVantorView& left() { return program.pane(0); }
    CVantorView& right() { return program.pane(1); }
    KeyAssignTable& keys() { return program.app().keyTable(); }
    int cursor() { return left().listing().cursor(); }
    void bind(std::uint8_t modifiers, WORD key, unsigned command, const wchar_t* parameter = L"") {
        keys().append({modifiers, key, command, parameter, L""});
        keys().buildAccelerators();
    }
    void moveTo(const wchar_t* name) { left().setCursor(left().listing().index().findName(name, 0)); }

    TempFolder dir;
    Program program;
};

constexpr std::uint8_t kVk = KeyModifier::kVirtualKey;
}  // namespace

TEST_F(KeyPress, DefaultKeysMoveTheCursorPageAndMark) {
    program.pressKey(VK_DOWN);
    program.pressKey(VK_DOWN);
    EXPECT_EQ(cursor(), 2);
    program.pressKey(VK_UP);
    EXPECT_EQ(cursor(), 1);
    program.pressKey(VK_NEXT);
    EXPECT_EQ(cursor(), 5);
    program.pressKey(VK_PRIOR);
    EXPECT_EQ(cursor(), 0);
    program.pressKey(VK_NEXT, Program::kShift);  // bottom
    EXPECT_EQ(cursor(), 5);
    program.pressKey(VK_PRIOR, Program::kShift);  // top
    EXPECT_EQ(cursor(), 0);

    program.pressKey(VK_DOWN);
    program.pressKey(VK_SPACE);  // mark and move down
    EXPECT_EQ(cursor(), 2);
    program.pressKey(VK_TAB);  // mark in place
    EXPECT_EQ(cursor(), 2);
    EXPECT_EQ(left().listing().list().markedCount(), 2);
    program.pressKey(VK_END, Program::kCtrl);  // clear
    EXPECT_EQ(left().listing().list().markedCount(), 0);
    program.pressKey(VK_HOME);  // everything but ".."
    EXPECT_EQ(left().listing().list().markedCount(), 5);
    program.pressKey(VK_END);  // toggle
    EXPECT_EQ(left().listing().list().markedCount(), 0);
}

TEST_F(KeyPress, LeftAndRightSwitchPanesAndKeysGoToTheActiveOne) {
    program.pressKey(VK_RIGHT);
    EXPECT_TRUE(right().isActive());
    program.pressKey(VK_DOWN);
    EXPECT_EQ(right().listing().cursor(), 1);
    EXPECT_EQ(cursor(), 0);
    program.pressKey(VK_LEFT);
    EXPECT_TRUE(left().isActive());
}

TEST_F(KeyPress, EnterWithOrWithoutShiftOrCtrlEntersAFolderAndBackSpaceLeavesIt) {
    for (unsigned modifiers : {unsigned{Program::kNoModifier}, unsigned{Program::kShift}, unsigned{Program::kCtrl}}) {
        moveTo(L"SRC");
        program.pressKey(VK_RETURN, modifiers);
        EXPECT_EQ(left().folder(), dir / L"SRC") << modifiers;
        program.pressKey(VK_BACK);
        EXPECT_EQ(left().folder(), dir.path()) << modifiers;
        EXPECT_EQ(left().listing().cursorEntry()->name(), std::wstring(L"SRC")) << modifiers;
    }
}

TEST_F(KeyPress, ABindingWithAParameterCallsItsHandlerAtOnce) {
    // NUM 1 carries the drive parameter "a:" by default; here it names Wine's Z: drive.
    const int num1 = keys().find(kVk, VK_NUMPAD1);
    ASSERT_GE(num1, 0);
    ASSERT_EQ(keys().at(num1).parameter, L"a:");
    keys().at(num1).parameter = L"z:";
    keys().buildAccelerators();
    program.pressKey(VK_NUMPAD1);
    EXPECT_EQ(left().folder().substr(0, 2), L"z:");

    bind(kVk | KeyModifier::kShift | KeyModifier::kCtrl, VK_F5, ID_VIEW_WILDCARD, L"*.log");
    program.pressKey(VK_F5, Program::kCtrl);  // modifiers 9: no binding
    EXPECT_EQ(left().listing().mask(), L"");
    program.pressKey(VK_F5, Program::kCtrl | Program::kShift | Program::kAlt);  // 0x1D: no binding either
    EXPECT_EQ(left().listing().mask(), L"");
    program.pressKey(VK_F5, Program::kCtrl | Program::kShift);  // exactly 13
    EXPECT_EQ(left().listing().mask(), L"*.log");
}

TEST_F(KeyPress, ABindingToNothingSwallowsItsKeyEverywhere) {
    const int copy = keys().find(kVk | KeyModifier::kCtrl, 'C');
    ASSERT_GE(copy, 0);
    keys().removeAt(copy);
    // Were Ctrl+C not swallowed, this binding with a parameter, first in the table, would set the mask.
    bind(kVk | KeyModifier::kCtrl, 'C', ID_VIEW_WILDCARD, L"*.txt");
    bind(kVk | KeyModifier::kCtrl, 'C', ID_NONE);
    program.pressKey('C', Program::kCtrl);
    program.pressKey('C', Program::kCtrl, program.frameWindow());
    program.pressKey('C', Program::kCtrl, GetDlgItem(program.frameWindow(), ID_VIEW_STATUS_BAR));
    EXPECT_EQ(left().listing().mask(), L"");
    EXPECT_EQ(left().folder(), dir.path());
}

TEST_F(KeyPress, TheBindingWithoutParameterWinsWhateverTheOrder) {
    KeyAssignList& table = keys();
    table.append({kVk, VK_DOWN, ID_VIEW_WILDCARD, L"*.txt", L""});
    // Move the parameter binding ahead of the default Down binding.
    const int down = table.find(kVk, VK_DOWN);
    for (int i = table.count() - 2; i >= down; --i) table.exchangeWithNext(i);
    ASSERT_EQ(table.at(down).parameter, L"*.txt");
    keys().buildAccelerators();
    program.pressKey(VK_DOWN);
    EXPECT_EQ(cursor(), 1);
    EXPECT_EQ(left().listing().mask(), L"");
}

TEST_F(KeyPress, AParameterOnACommandWithoutHandlerStillRunsTheCommand) {
    bind(kVk, 'J', ID_UI_LINE_DOWN, L"ignored");
    program.pressKey('J');
    EXPECT_EQ(cursor(), 1);
}

TEST_F(KeyPress, AKeyWithoutBindingDoesNothingInAPane) {
    program.pressKey('Z');
    program.pressKey('X', Program::kCtrl | Program::kShift);
    EXPECT_EQ(cursor(), 0);
    EXPECT_EQ(left().folder(), dir.path());
    EXPECT_EQ(left().listing().list().markedCount(), 0);
}
