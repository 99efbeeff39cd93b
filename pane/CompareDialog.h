// The compare's choices ("比較マーク"): the rule and whether folders on both sides are compared inside.
#pragma once
#include "framework/Dialog.h"
#include "pane/CompareRules.h"

class CompareDialog : public Dialog {
public:
    CompareDialog();

    CompareBy by = CompareBy::TimeAndSize;  // in and out
    bool subfolders = false;

protected:
    void doDataExchange(DataExchange& dx) override;
};
