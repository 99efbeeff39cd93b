// "ドライブ選択": lists the existing drives with their types; the caller reads the chosen letter after OK.
#pragma once
#include "framework/Dialog.h"
#include <string>

class DriveSelectDialog : public Dialog {
public:
    DriveSelectDialog();

    // In: the current drive (the first character of the pane's folder); out after OK: the typed character.
    std::wstring chosenLetter = L"C";

protected:
    const MessageMap* messageMap() const override;
    bool onInitDialog() override;
    void doDataExchange(DataExchange& dx) override;
    void onOK() override;

private:
    void fillDrives();
    void onDriveSelected();

    std::wstring letterText_;  // the edit's text
    bool upper_ = true;        // letters shown in upper case (the chosen letter was upper case)
};
