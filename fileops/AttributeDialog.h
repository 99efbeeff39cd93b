// "属性の変更": four three-state boxes (clear, set, leave alone) and "下階層も変更" for folders.
#pragma once
#include "fileops/AttributeChoice.h"
#include "framework/Dialog.h"

class AttributeDialog : public Dialog {
public:
    // `attributes` is the OR of the selected entries' attributes; several entries start undecided.
    AttributeDialog(DWORD attributes, bool severalEntries);

    AttributeBoxes boxes;
    int recurse = 0;
    bool containsFolder;

protected:
    const MessageMap* messageMap() const override;
    bool onInitDialog() override;
    void doDataExchange(DataExchange& dx) override;

private:
    // Recursing reaches items whose attributes differ, so every box becomes undecided.
    void onRecurse();
};
