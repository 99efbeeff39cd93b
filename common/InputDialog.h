// One-line text input ("入力"): the caller sets the initial text and a title, then reads the text.
#pragma once
#include "framework/Dialog.h"
#include <string>

class InputDialog : public Dialog {
public:
    InputDialog();

    std::wstring text;   // initial text in, typed text out (after OK)
    std::wstring title;  // replaces "入力" when not empty

protected:
    bool onInitDialog() override;
    void doDataExchange(DataExchange& dx) override;
};
