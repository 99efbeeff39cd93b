// The rename input ("名前の変更"): the one-line input dialog that refuses a name the item could
// not carry in its folder, saying why, and stays open on the text.
#pragma once
#include "common/InputDialog.h"

class RenameDialog : public InputDialog {
public:
    explicit RenameDialog(const std::wstring& name);

protected:
    void doDataExchange(DataExchange& dx) override;
};
