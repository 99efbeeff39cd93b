// "キー割り当て一覧": every key binding in table order, with add, edit, delete and reordering. It
// edits a working copy; the caller takes the copy over only after OK.
#pragma once
#include "framework/Dialog.h"
#include "keys/KeyAssign.h"

class KeyListDialog : public Dialog {
public:
    KeyListDialog();

    // The working copy: filled before the dialog opens, read after OK. Row i shows entry i.
    KeyAssignList bindings;

protected:
    const MessageMap* messageMap() const override;
    bool onInitDialog() override;

private:
    void onAdd();
    void onEdit();
    void onDelete();
    void onUp();
    void onDown();
    LRESULT onItemChanged(NMHDR* header);

    void updateButtons();
    int selectedRow() const;
    void selectRow(int row);
    void insertRow(int row);
    void showRow(int row);
    void deleteRow(int row);
    // The overwrite question for a binding whose key another entry holds; true to go on.
    bool confirmOverwrite(const KeyAssign& binding);
    // Runs the assignment dialog on `binding`; true after OK.
    bool editBinding(KeyAssign& binding);
    void exchangeWithNext(int row);

    HWND list() const;
};
