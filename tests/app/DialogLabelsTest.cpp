// Screen readers name a dialog's edit, list and combo boxes after the text label just before them
// in tab order, and a button after its own text, or, when that says nothing ("…"), after the
// string of its id. Every dialog of the program is created, hidden, from its template, and each of
// its controls is checked.
#include <windows.h>
#include <commctrl.h>
#include <cwctype>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
std::wstring classOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring textOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    std::erase(text, L'&');
    return text;
}

// A label names something: a separator such as "/" or ":" does not.
bool names(const std::wstring& text) {
    for (wchar_t c : text)
        if (iswalnum(c) || c >= 0x3000) return true;
    return false;
}

bool isField(const std::wstring& cls) {
    for (const wchar_t* field : {L"Edit", L"ListBox", L"ComboBox", L"SysListView32", L"SysTreeView32"})
        if (_wcsicmp(cls.c_str(), field) == 0) return true;
    return false;
}

// What a screen reader could not name in dialog `id`, one line each.
std::vector<std::wstring> unnamedControls(int id, HWND owner) {
    std::vector<std::wstring> problems;
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), owner,
                                     [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    if (!dialog) return {L"dialog " + std::to_wstring(id) + L" could not be created"};
    HWND previous = nullptr;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; previous = child, child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring cls = classOf(child);
        const std::wstring where = L"dialog " + std::to_wstring(id) + L", control " +
                                   std::to_wstring(GetDlgCtrlID(child)) + L" (" + cls + L")";
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (isField(cls)) {
            if (!previous || _wcsicmp(classOf(previous).c_str(), L"Static") != 0 || !names(textOf(previous)))
                problems.push_back(where + L": no label just before it");
        } else if (_wcsicmp(cls.c_str(), L"Button") == 0 && (style & BS_TYPEMASK) != BS_OWNERDRAW &&
                   (style & BS_TYPEMASK) != BS_GROUPBOX && !names(textOf(child))) {
            const wchar_t* name = nullptr;
            if (LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(GetDlgCtrlID(child)),
                            reinterpret_cast<LPWSTR>(&name), 0) <= 0)
                problems.push_back(where + L": a button whose text names nothing, without a name of its own");
        }
    }
    DestroyWindow(dialog);
    return problems;
}
}  // namespace

TEST(DialogLabels, EveryFieldHasALabelJustBeforeItAndEveryButtonItsText) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    std::vector<int> dialogs;
    EnumResourceNamesW(
        GetModuleHandleW(nullptr), RT_DIALOG,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) -> BOOL {
            if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<int>*>(list)->push_back(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&dialogs));
    ASSERT_GE(dialogs.size(), 16u);
    // The function-key bar is a child dialog: it needs a window to live in.
    HWND owner = CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    std::wstring all;
    for (int id : dialogs)
        for (const std::wstring& problem : unnamedControls(id, owner)) all += problem + L"\n";
    DestroyWindow(owner);
    EXPECT_TRUE(all.empty()) << std::string(all.begin(), all.end());
}
