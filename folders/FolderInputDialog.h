// "フォルダを開く": a folder typed by hand or picked with the folder browser ("...").
#pragma once
#include "framework/Dialog.h"
#include <string>

class FolderInputDialog : public Dialog {
public:
    FolderInputDialog();

    std::wstring folder;  // initial text in; after OK the text as typed, possibly empty

protected:
    const MessageMap* messageMap() const override;
    void doDataExchange(DataExchange& dx) override;

private:
    void onBrowse();
};
