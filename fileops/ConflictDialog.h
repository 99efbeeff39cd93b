// The same-name question of a transfer: source and existing target with their times and sizes,
// and the choices overwrite, only newer (files) or delete first (folders), rename and skip, for
// this item or for all later ones of the job; or abort the whole job.
#pragma once
#include "fileops/ConflictDecision.h"
#include "framework/Dialog.h"

class ConflictDialog : public Dialog {
public:
    enum Kind { kFile = 0, kFolder = 1 };
    ConflictDialog(Kind kind, ConflictDecision& decision);
    ~ConflictDialog() override;

    // The newest question on screen, or null (user-interface thread only). The main window does
    // not end under one: the job that asks cannot end before its question returns.
    static HWND openQuestion();

protected:
    const MessageMap* messageMap() const override;
    bool onInitDialog() override;
    void onOK() override;
    void onApplyToAll();
    void onNameChanged();

private:
    const int* choices() const;
    // Whether the chosen answer would act on the source itself; says so when it would.
    bool refusesAnswer();
    void readAnswer();

    Kind kind_;
    ConflictDecision& decision_;
    // The questions that have opened and not yet gone, newest first; several jobs may ask at once.
    static ConflictDialog* newestOpen_;
    ConflictDialog* olderOpen_ = nullptr;
};

// "<local time %Y/%m/%d %H:%M:%S> <size in 11 columns>byte" of an item; blanks for one that is gone.
std::wstring conflictLineText(const std::wstring& path);
