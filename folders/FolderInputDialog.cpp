#include "folders/FolderInputDialog.h"
#include "framework/DataExchange.h"
#include "folders/FolderBrowser.h"
#include "resource.h"

FolderInputDialog::FolderInputDialog() : Dialog(IDD_FOLDER_INPUT) {}

const MessageMap* FolderInputDialog::messageMap() const {
    static const MessageEntry entries[] = {
        onCommand<IDC_FOLDER_BROWSE, &FolderInputDialog::onBrowse>(),
    };
    static const MessageMap map{Dialog::messageMap(), entries};
    return &map;
}

void FolderInputDialog::doDataExchange(DataExchange& dx) {
    dx.text(IDC_FOLDER_EDIT, folder);
}

// The browser starts at what is typed; the edit changes only when a folder was chosen.
void FolderInputDialog::onBrowse() {
    updateData(true);
    if (browseForFolder(hwnd_, folder)) updateData(false);
}
