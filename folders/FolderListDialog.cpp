#include "folders/FolderListDialog.h"
#include "framework/MessageBox.h"
#include "folders/FolderHistory.h"
#include "folders/FolderInputDialog.h"
#include "folders/FolderListLine.h"
#include "resource.h"

namespace {
// The buttons that act on the selected line.
constexpr int kLineButtons[] = {IDOK, IDC_FOLDER_LIST_EDIT, IDC_FOLDER_LIST_DELETE, IDC_FOLDER_LIST_STORE_LEFT,
                                IDC_FOLDER_LIST_STORE_RIGHT};
}  // namespace

FolderListDialog::FolderListDialog(NumberedSection& store, bool editable)
    : Dialog(IDD_FOLDER_LIST), store_(store), editable_(editable) {}

const MessageMap* FolderListDialog::messageMap() const {
    static const MessageEntry entries[] = {
        onControl<LBN_SELCHANGE, IDC_FOLDER_LIST, &FolderListDialog::updateButtons>(),
        onCommand<IDC_FOLDER_LIST_CLEAR_ALL, &FolderListDialog::onClearAll>(),
        onCommand<IDC_FOLDER_LIST_DELETE, &FolderListDialog::onClearSlot>(),
        onCommand<IDC_FOLDER_LIST_EDIT, &FolderListDialog::onEditSlot>(),
        onCommandRange<IDC_FOLDER_LIST_STORE_LEFT, IDC_FOLDER_LIST_STORE_RIGHT, &FolderListDialog::onStorePaneFolder>(),
    };
    static const MessageMap map{Dialog::messageMap(), entries};
    return &map;
}

bool FolderListDialog::onInitDialog() {
    const bool focusBySystem = Dialog::onInitDialog();
    fillList();
    SendMessageW(item(IDC_FOLDER_LIST), LB_SETCURSEL, 0, 0);
    if (!title.empty()) SetWindowTextW(hwnd_, title.c_str());
    if (editable_) {
        updateButtons();
    } else {
        for (int id : {IDC_FOLDER_LIST_EDIT, IDC_FOLDER_LIST_DELETE, IDC_FOLDER_LIST_STORE_LEFT,
                       IDC_FOLDER_LIST_STORE_RIGHT})
            ShowWindow(item(id), SW_HIDE);
    }
    return focusBySystem;
}

void FolderListDialog::onOK() {
    chosenIndex = selectedLine();
    Dialog::onOK();
}

void FolderListDialog::updateButtons() {
    const bool selected = selectedLine() >= 0;
    for (int id : kLineButtons) EnableWindow(item(id), selected);
}

int FolderListDialog::selectedLine() const {
    const LRESULT line = SendMessageW(item(IDC_FOLDER_LIST), LB_GETCURSEL, 0, 0);
    return line == LB_ERR ? -1 : static_cast<int>(line);
}

void FolderListDialog::insertLine(int index, const std::wstring& folder) {
    const std::wstring text = folderLineText(index, folder);
    SendMessageW(item(IDC_FOLDER_LIST), LB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.c_str()));
}

void FolderListDialog::clearLines() { SendMessageW(item(IDC_FOLDER_LIST), LB_RESETCONTENT, 0, 0); }

void FolderListDialog::setSlot(int index, const std::wstring& text) {
    store_.write(index, text);
    HWND list = item(IDC_FOLDER_LIST);
    SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    insertLine(index, text);
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void FolderListDialog::onClearAll() {
    const UINT flags = MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2;
    if (showMessageBox(hwnd_, L"全て削除します\nよろしいですか？", flags) != IDOK) return;
    store_.clearAll();
    fillList();
}

void FolderListDialog::onClearSlot() {
    if (const int line = selectedLine(); line >= 0) clearSlot(line);
}

void FolderListDialog::onEditSlot() {
    if (const int line = selectedLine(); line >= 0) editSlot(line);
}

void FolderListDialog::onStorePaneFolder(UINT id) {
    if (const int line = selectedLine(); line >= 0)
        storePaneFolder(static_cast<int>(id - IDC_FOLDER_LIST_STORE_LEFT), line);
}

HistoryDialog::HistoryDialog(FolderHistory& history) : FolderListDialog(history, false), history_(history) {}

void HistoryDialog::fillList() {
    clearLines();
    for (int i = 0;; ++i) {
        const std::wstring folder = history_.entryAt(i);
        if (folder.empty()) break;
        insertLine(i, folder);
    }
}

BookmarkDialog::BookmarkDialog(NumberedSection& bookmarks, std::function<std::wstring(int side)> paneFolder)
    : FolderListDialog(bookmarks, true), paneFolder_(std::move(paneFolder)) {}

void BookmarkDialog::fillList() {
    clearLines();
    for (int i = 0; i < store().slotCount(); ++i) insertLine(i, store().read(i));
}

void BookmarkDialog::editSlot(int index) {
    FolderInputDialog input;
    input.folder = store().read(index);
    if (input.doModal(hwnd_) == IDOK) setSlot(index, input.folder);
}

void BookmarkDialog::clearSlot(int index) {
    if (showMessageBox(hwnd_, L"削除します", MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK) setSlot(index, L"");
}

void BookmarkDialog::storePaneFolder(int side, int index) {
    if (paneFolder_) setSlot(index, paneFolder_(side));
}
