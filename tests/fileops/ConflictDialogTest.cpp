#include "common/VisibleName.h"
#include "fileops/ConflictDialog.h"
#include "resource.h"
#include "support/TempFolder.h"
#include "support/UiDriver.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
// Width in pixels of `text` in the font `control` draws with.
int textWidth(HWND control, const std::wstring& text) {
    HDC dc = GetDC(control);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return size.cx;
}

// What the question showed of one line of text.
struct ShownText {
    std::wstring text;
    int needed = 0;     // pixels the text takes, with a radio button's circle
    int available = 0;  // pixels the control gives it
};

struct Shown {
    std::wstring sourcePath, targetPath, sourceStamp, targetStamp, newName;
    bool pathsElided = false;  // the path lines cut a long path in the middle, keeping its name
    std::vector<ShownText> texts;  // every label, time-and-size line and button
};

BOOL CALLBACK collectText(HWND control, LPARAM lParam) {
    wchar_t cls[32] = {};
    GetClassNameW(control, cls, 32);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const bool isStatic = _wcsicmp(cls, L"Static") == 0, isButton = _wcsicmp(cls, L"Button") == 0;
    std::wstring text = windowText(control);
    if ((!isStatic && !isButton) || text.empty() || (isStatic && (style & SS_PATHELLIPSIS))) return TRUE;
    if (isButton) std::erase(text, L'&');  // the mnemonic's mark is not drawn
    RECT client{};
    GetClientRect(control, &client);
    if (isStatic && IsRectEmpty(&client)) return TRUE;  // a label only screen readers read, never drawn
    const bool radio = isButton && (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
    const int circle = radio ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 0;
    reinterpret_cast<Shown*>(lParam)->texts.push_back({text, textWidth(control, text) + circle, client.right});
    return TRUE;
}
}  // namespace

TEST(ConflictDialog, ShowsTimeAndSizeOfALongPathWithItsHiddenCharactersAndEveryTextWhole) {
    TempFolder src, dst;
    // A folder name that brings each file's full path to 250 characters. The name hides a
    // right-to-left override, which the paths show as a marker; the name to edit stays the real one.
    const std::wstring name = L"a\u202Etxt.exe";
    const std::wstring folder = L"長い名前のフォルダ" + std::wstring(250 - src.path().size() - name.size() - 2 - 9, L'x');
    for (const TempFolder* side : {&src, &dst}) side->makeFolder(folder);
    src.writeFile(folder + L"\\" + name, std::string(123456, 'n'));
    dst.writeFile(folder + L"\\" + name, std::string(1234, 'o'));
    ConflictDecision decision;
    decision.source = src / (folder + L"\\" + name);
    decision.target = dst / (folder + L"\\" + name);
    decision.newName = name;
    ASSERT_EQ(decision.source.size(), 250u);

    for (const ConflictDialog::Kind kind : {ConflictDialog::kFile, ConflictDialog::kFolder}) {
        SCOPED_TRACE(kind == ConflictDialog::kFile ? "file" : "folder");
        Shown shown;
        DialogAction look(kind == ConflictDialog::kFile ? L"同名のファイル" : L"同名のディレクトリ", [&shown](HWND dialog) {
            shown.sourcePath = windowText(GetDlgItem(dialog, IDC_JOB_SOURCE));
            shown.targetPath = windowText(GetDlgItem(dialog, IDC_JOB_TARGET));
            shown.sourceStamp = windowText(GetDlgItem(dialog, IDC_CONFLICT_SOURCE_STAMP));
            shown.targetStamp = windowText(GetDlgItem(dialog, IDC_CONFLICT_TARGET_STAMP));
            shown.newName = windowText(GetDlgItem(dialog, IDC_CONFLICT_NAME));
            shown.pathsElided = true;
            for (int id : {IDC_JOB_SOURCE, IDC_JOB_TARGET})
                shown.pathsElided &= (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & SS_PATHELLIPSIS) != 0;
            EnumChildWindows(dialog, &collectText, reinterpret_cast<LPARAM>(&shown));
            clickButton(dialog, IDCANCEL);
        });
        ConflictDialog question(kind, decision);
        EXPECT_EQ(question.doModal(nullptr), IDCANCEL);
        ASSERT_TRUE(look.finish());
        EXPECT_EQ(shown.sourcePath, visibleName(decision.source));
        EXPECT_EQ(shown.targetPath, visibleName(decision.target));
        EXPECT_NE(shown.sourcePath.find(L"a<U+202E>txt.exe"), std::wstring::npos);
        EXPECT_EQ(shown.newName, name);
        EXPECT_TRUE(shown.pathsElided);
        EXPECT_EQ(shown.sourceStamp, conflictLineText(decision.source));
        EXPECT_EQ(shown.targetStamp, conflictLineText(decision.target));
        EXPECT_NE(shown.sourceStamp.find(L"123,456byte"), std::wstring::npos);
        EXPECT_NE(shown.targetStamp.find(L"1,234byte"), std::wstring::npos);
        size_t stamps = 0;
        for (const ShownText& t : shown.texts) {
            stamps += t.text == shown.sourceStamp || t.text == shown.targetStamp;
            EXPECT_LE(t.needed, t.available) << testing::PrintToString(t.text);
        }
        EXPECT_EQ(stamps, 2u);
        EXPECT_GE(shown.texts.size(), 13u);  // three labels, two stamps, the note, four choices, three buttons
    }
}
