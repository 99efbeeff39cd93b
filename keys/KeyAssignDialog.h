// "キー割り当て": one key binding — key, modifiers, command, parameter and button caption.
#pragma once
#include "framework/Dialog.h"
#include "keys/KeyAssign.h"
#include <string>

class KeyAssignDialog : public Dialog {
public:
    KeyAssignDialog();

    // The binding shown when the dialog opens (all empty for a new one) and the result after OK.
    KeyAssign value;

protected:
    const MessageMap* messageMap() const override;
    bool onInitDialog() override;
    void doDataExchange(DataExchange& dx) override;
    void onOK() override;

private:
    void onCommandChanged();
    void onKeyChanged();
    int selectedRow(int comboId) const;
    void fillChoices();

    // The fields as the controls show them.
    int alt_ = 0;
    int ctrl_ = 0;
    int shift_ = 0;
    std::wstring parameter_;
    std::wstring caption_;
};
