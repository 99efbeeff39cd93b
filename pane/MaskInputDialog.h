// The mask input ("マスク指定"): the one-line input dialog that refuses a mask naming a folder.
#pragma once
#include "common/InputDialog.h"
#include <windows.h>
#include <string>

// Whether a mask is a name pattern only. A path separator would make the listing show another
// folder's files under this folder's name.
bool isNamePattern(const std::wstring& mask);
// Says, in a message box over `owner`, that a mask cannot hold a folder separator.
void refuseMaskWithFolder(HWND owner);

class MaskInputDialog : public InputDialog {
public:
    explicit MaskInputDialog(const std::wstring& mask);

protected:
    // OK with a separator in the text shows the refusal and keeps the dialog open on the text.
    void doDataExchange(DataExchange& dx) override;
};
