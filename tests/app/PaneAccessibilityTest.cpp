// The panes as a screen reader meets them, through the platform's accessibility functions on the
// running program: a list named after its folder whose items are the entries, and the events that
// make a screen reader speak the entry under the cursor.
#include "support/RunningProgram.h"
#include "resource.h"
#include <oleacc.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
struct Event {
    DWORD kind;
    HWND window;
    LONG object;
    LONG child;
};
std::vector<Event> events;

void CALLBACK recordEvent(HWINEVENTHOOK, DWORD kind, HWND window, LONG object, LONG child, DWORD, DWORD) {
    events.push_back({kind, window, object, child});
}

class PaneAccessibilityTest : public testing::Test {
protected:
    void SetUp() override {
        dir.writeFile(L"b.txt", std::string(1234, 'x'));
        SetFileAttributesW((dir / L"b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
        dir.writeFile(L"a.txt", "x");
        dir.makeFolder(L"sub");
        ASSERT_TRUE(program.start(dir.path()));
        pane().listing().applySort(1, 0);  // by name: "..", a.txt, b.txt, sub
        pane().listing().setCursor(1);
        SetFocus(pane().hwnd());
    }
    void TearDown() override { SetFileAttributesW((dir / L"b.txt").c_str(), FILE_ATTRIBUTE_NORMAL); }
    CVantorView& pane() { return program.pane(0); }

    IAccessible* paneObject() {
        IAccessible* object = nullptr;
        AccessibleObjectFromWindow(pane().hwnd(), static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&object));
        return object;
    }

    TempFolder dir;
    RunningProgram program;
};

VARIANT child(long id) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::wstring take(BSTR text) {
    std::wstring value = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return value;
}

std::wstring nameOf(IAccessible* object, long id) {
    BSTR name = nullptr;
    object->get_accName(child(id), &name);
    return take(name);
}

long numberOf(HRESULT (STDMETHODCALLTYPE IAccessible::*read)(VARIANT, VARIANT*), IAccessible* object, long id) {
    VARIANT value;
    VariantInit(&value);
    (object->*read)(child(id), &value);
    return value.vt == VT_I4 ? value.lVal : -1;
}
}  // namespace

TEST_F(PaneAccessibilityTest, APaneIsAListOfItsEntriesWithTheirStatesAndDescriptions) {
    program.command(ID_UI_MARK);  // marks a.txt and leaves the cursor on it
    ASSERT_EQ(pane().listing().cursor(), 1);
    IAccessible* list = paneObject();
    ASSERT_NE(list, nullptr);

    EXPECT_EQ(numberOf(&IAccessible::get_accRole, list, CHILDID_SELF), ROLE_SYSTEM_LIST);
    EXPECT_EQ(nameOf(list, CHILDID_SELF), pane().listing().folder());
    long count = 0;
    list->get_accChildCount(&count);
    EXPECT_EQ(count, 4);

    const struct { const wchar_t* name; bool focused, selected; const wchar_t* described; } rows[] = {
        {L"..", false, false, L"親フォルダ"},
        {L"a.txt", true, true, L"ファイル, 1 バイト"},
        {L"b.txt", false, false, L"ファイル, 1,234 バイト"},
        {L"sub", false, false, L"フォルダ"},
    };
    for (long id = 1; id <= 4; ++id) {
        const auto& r = rows[id - 1];
        SCOPED_TRACE(id);
        EXPECT_EQ(nameOf(list, id), r.name);
        EXPECT_EQ(numberOf(&IAccessible::get_accRole, list, id), ROLE_SYSTEM_LISTITEM);
        const long state = numberOf(&IAccessible::get_accState, list, id);
        EXPECT_EQ((state & STATE_SYSTEM_FOCUSED) != 0, r.focused) << state;
        EXPECT_EQ((state & STATE_SYSTEM_SELECTED) != 0, r.selected) << state;
        BSTR description = nullptr;
        list->get_accDescription(child(id), &description);
        EXPECT_EQ(take(description).rfind(r.described, 0), 0u);
    }
    BSTR description = nullptr;
    list->get_accDescription(child(3), &description);
    EXPECT_NE(take(description).find(L"読み取り専用"), std::wstring::npos);
    // The list's own description carries the marked count and bytes, as the status line does.
    list->get_accDescription(child(CHILDID_SELF), &description);
    EXPECT_EQ(take(description), L"1 files / 1 bytes select");
    list->Release();
}

TEST_F(PaneAccessibilityTest, EventsNameTheNewCursorEntryAndAWholeListMarkIsOneEvent) {
    events.clear();
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTIONWITHIN, nullptr, recordEvent,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    const auto seen = [&](DWORD kind) {
        std::vector<Event> found;
        for (const Event& e : events)
            if (e.kind == kind && e.window == pane().hwnd() && e.object == OBJID_CLIENT) found.push_back(e);
        return found;
    };

    program.pressKey(VK_DOWN);
    ASSERT_TRUE(program.pumpUntil([&] { return !seen(EVENT_OBJECT_FOCUS).empty(); }))
        << "no focus event after the cursor moved";
    const Event focus = seen(EVENT_OBJECT_FOCUS).back();
    IAccessible* object = nullptr;
    VARIANT item;
    VariantInit(&item);
    ASSERT_EQ(AccessibleObjectFromEvent(focus.window, static_cast<DWORD>(focus.object), static_cast<DWORD>(focus.child),
                                        &object, &item),
              S_OK);
    BSTR name = nullptr;
    object->get_accName(item, &name);
    EXPECT_EQ(take(name), L"b.txt");
    object->Release();

    events.clear();
    program.command(ID_MARK_ALL);
    program.command(ID_UI_LINE_DOWN);  // a later event shows that the marks' one has come, if any
    ASSERT_TRUE(program.pumpUntil([&] { return !seen(EVENT_OBJECT_FOCUS).empty(); }));
    EXPECT_EQ(seen(EVENT_OBJECT_SELECTIONWITHIN).size(), 1u);
    EXPECT_EQ(pane().listing().list().markedCount(), 3);
    UnhookWinEvent(hook);
}
