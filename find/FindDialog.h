// "検索": what to look for below the pane's folder. OK checks every field and keeps the dialog
// open on the first one that is not usable, saying why; the masks and texts go into their histories.
#pragma once
#include "find/FindQuery.h"
#include "framework/Dialog.h"

class FindDialog : public Dialog {
public:
    explicit FindDialog(std::wstring folder);
    // Filled in when the dialog ends with OK.
    FindQuery query;

protected:
    bool onInitDialog() override;
    void doDataExchange(DataExchange& dx) override;

private:
    // Refuses the field `id` with `why`; false so the caller can return it.
    bool refuse(DataExchange& dx, int id, const wchar_t* why);
};
