#include "find/FindDialog.h"
#include "common/VisibleName.h"
#include "find/FindHistory.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "pane/MaskInputDialog.h"
#include "resource.h"

namespace {
void fillHistory(HWND combo, const wchar_t* section) {
    for (const std::wstring& text : FindHistory(section).load())
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
}  // namespace

FindDialog::FindDialog(std::wstring folder) : Dialog(IDD_FIND) { query.folder = std::move(folder); }

bool FindDialog::onInitDialog() {
    fillHistory(item(IDC_FIND_MASK), L"FindMask");
    fillHistory(item(IDC_FIND_TEXT), L"FindText");
    setItemText(IDC_FIND_FOLDER, visibleName(query.folder));
    CheckDlgButton(hwnd_, IDC_FIND_SUBFOLDERS, query.subfolders ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd_, IDC_FIND_HIDDEN, query.hiddenAndSystem ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd_, IDC_FIND_CASE, query.matchCase ? BST_CHECKED : BST_UNCHECKED);
    for (int id : {IDC_FIND_UTF8, IDC_FIND_UTF16, IDC_FIND_SJIS}) CheckDlgButton(hwnd_, id, BST_CHECKED);
    return Dialog::onInitDialog();
}

bool FindDialog::refuse(DataExchange& dx, int id, const wchar_t* why) {
    showMessageBox(hwnd_, why, MB_OK | MB_ICONEXCLAMATION);
    dx.fail(id);
    return false;
}

void FindDialog::doDataExchange(DataExchange& dx) {
    if (!dx.saving()) return;
    query.maskText = itemText(IDC_FIND_MASK);
    const std::optional<std::vector<std::wstring>> masks = parseMasks(query.maskText);
    if (!masks) {
        refuseMaskWithFolder(hwnd_);
        dx.fail(IDC_FIND_MASK);
        return;
    }
    query.masks = *masks;
    query.text = itemText(IDC_FIND_TEXT);
    query.matchCase = IsDlgButtonChecked(hwnd_, IDC_FIND_CASE) == BST_CHECKED;
    query.subfolders = IsDlgButtonChecked(hwnd_, IDC_FIND_SUBFOLDERS) == BST_CHECKED;
    query.hiddenAndSystem = IsDlgButtonChecked(hwnd_, IDC_FIND_HIDDEN) == BST_CHECKED;
    query.encodings = 0;
    if (IsDlgButtonChecked(hwnd_, IDC_FIND_UTF8) == BST_CHECKED) query.encodings |= kFindUtf8;
    if (IsDlgButtonChecked(hwnd_, IDC_FIND_UTF16) == BST_CHECKED) query.encodings |= kFindUtf16;
    if (IsDlgButtonChecked(hwnd_, IDC_FIND_SJIS) == BST_CHECKED) query.encodings |= kFindShiftJis;
    if (!query.text.empty() && query.encodings == 0) {
        refuse(dx, IDC_FIND_UTF8, L"文字列を探す文字コードを一つ以上選んでください。");
        return;
    }
    const auto minSize = parseSizeLimit(itemText(IDC_FIND_MIN_SIZE));
    if (!minSize) return (void)refuse(dx, IDC_FIND_MIN_SIZE, L"サイズは数値で入力してください (例: 500, 100K, 2M, 1G)。");
    const auto maxSize = parseSizeLimit(itemText(IDC_FIND_MAX_SIZE));
    if (!maxSize) return (void)refuse(dx, IDC_FIND_MAX_SIZE, L"サイズは数値で入力してください (例: 500, 100K, 2M, 1G)。");
    if (*minSize && *maxSize && **minSize > **maxSize)
        return (void)refuse(dx, IDC_FIND_MAX_SIZE, L"最大サイズが最小サイズより小さくなっています。");
    const auto from = parseDateLimit(itemText(IDC_FIND_FROM), false);
    if (!from) return (void)refuse(dx, IDC_FIND_FROM, L"日付は YYYY-MM-DD の形で入力してください (例: 2026-12-09)。");
    const auto until = parseDateLimit(itemText(IDC_FIND_UNTIL), true);
    if (!until) return (void)refuse(dx, IDC_FIND_UNTIL, L"日付は YYYY-MM-DD の形で入力してください (例: 2026-12-09)。");
    if (*from && *until && **from >= **until)
        return (void)refuse(dx, IDC_FIND_UNTIL, L"終わりの日付が始めの日付より前になっています。");
    query.limits = {*minSize, *maxSize, *from, *until};
    FindHistory(L"FindMask").remember(query.maskText);
    FindHistory(L"FindText").remember(query.text);
}
