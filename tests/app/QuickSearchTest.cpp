// The quick search line in the running program: "/" opens it over the active pane, what is typed
// goes to the line (never to the key bindings) and moves the cursor, and Enter, Escape and Down/Up
// do what the line promises.
#include "support/RunningProgram.h"
#include "support/UiDriver.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
class QuickSearch : public testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* name : {L"alpha.txt", L"Beta.txt", L"beta2.txt", L"copy.txt", L"ｶﾞｲﾄﾞ.txt"})
            dir.writeFile(name, "x");
        ASSERT_TRUE(program.start(dir.path()));
        ASSERT_EQ(pane().listing().count(), 6);
        pane().listing().applySort(1, 0);  // by name: "..", alpha, Beta, beta2, copy, ｶﾞｲﾄﾞ
    }
    CVantorView& pane() { return program.pane(0); }
    std::wstring cursorName() {
        const FileEntry* entry = pane().listing().cursorEntry();
        return entry ? entry->name() : L"";
    }
    QuickSearchLine& line() { return pane().quickSearch(); }

    // A key as the keyboard delivers it to the window with the focus: down and up through the
    // program's loop, which makes the character of a letter key.
    void key(WORD virtualKey) {
        HWND focus = GetFocus();
        const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
        PostMessageW(focus, WM_KEYDOWN, virtualKey, 1 | scan);
        PostMessageW(focus, WM_KEYUP, virtualKey, 1 | scan | (1u << 30) | (1u << 31));
        program.pumpUntil([&] { MSG m; return !PeekMessageW(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE); });
    }
    // A character the keyboard cannot type here (full-width), as an input method hands it over.
    void character(wchar_t c) {
        PostMessageW(GetFocus(), WM_CHAR, c, 1);
        program.pumpUntil([&] { MSG m; return !PeekMessageW(&m, nullptr, WM_CHAR, WM_CHAR, PM_NOREMOVE); });
    }

    TempFolder dir;
    RunningProgram program;
};
}  // namespace

TEST_F(QuickSearch, TypingMovesTheCursorAndEnterOrEscapeCloseTheLine) {
    // Each row starts on "alpha.txt" with a fresh line; `typed` is keys, `full` full-width characters.
    const struct { const char* name; std::vector<WORD> keys; std::wstring full; std::vector<WORD> then;
                   const wchar_t* cursor; const wchar_t* text; bool open; } rows[] = {
        {"prefix", {'B'}, L"", {}, L"Beta.txt", L"b", true},
        {"longer prefix", {'B', 'E', 'T', 'A', '2'}, L"", {}, L"beta2.txt", L"beta2", true},
        {"a bound letter types", {'C'}, L"", {}, L"copy.txt", L"c", true},
        {"next and previous", {'B'}, L"", {VK_DOWN}, L"beta2.txt", L"b", true},
        {"previous goes round", {'B'}, L"", {VK_UP, VK_UP}, L"Beta.txt", L"b", true},
        {"width", {}, L"ガイ", {}, L"ｶﾞｲﾄﾞ.txt", L"ガイ", true},
        {"no match stays", {'X'}, L"", {}, L"alpha.txt", L"x", true},
        {"enter keeps", {'B'}, L"", {VK_RETURN}, L"Beta.txt", L"b", false},
        {"escape returns", {'B', 'E', 'T', 'A', '2'}, L"", {VK_ESCAPE}, L"alpha.txt", L"beta2", false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        pane().setCursor(pane().listing().index().findName(L"alpha.txt", 0));
        program.pressKey(VK_OEM_2);  // "/"
        ASSERT_TRUE(program.pumpUntil([&] { return line().isOpen() && GetFocus() == line().edit(); }));
        for (WORD k : r.keys) key(k);
        for (wchar_t c : r.full) character(c);
        for (WORD k : r.then) key(k);
        EXPECT_EQ(cursorName(), r.cursor);
        EXPECT_EQ(line().text(), r.text);
        EXPECT_EQ(line().isOpen(), r.open);
        EXPECT_EQ(IsWindowVisible(line().hwnd()) != FALSE, r.open);
        if (line().isOpen()) key(VK_RETURN);
        EXPECT_EQ(GetFocus(), pane().hwnd());
    }
}
