// Dialogs from templates, modal or modeless, with data exchange between members and controls.
#pragma once
#include "framework/Window.h"
#include <string>

class DataExchange;

class Dialog : public Window {
public:
    explicit Dialog(UINT templateId) : templateId_(templateId) {}
    ~Dialog() override;

    // Runs the dialog modally; returns IDOK, IDCANCEL or what endDialog was given (-1 when it cannot open).
    INT_PTR doModal(HWND parent);
    // Opens the dialog modeless; the message loop gives it IsDialogMessage.
    bool create(HWND parent);
    bool isModal() const { return modal_; }

    UINT templateId() const { return templateId_; }
    HWND item(int id) const { return GetDlgItem(hwnd_, id); }
    std::wstring itemText(int id) const;
    void setItemText(int id, const std::wstring& text) const { SetDlgItemTextW(hwnd_, id, text.c_str()); }

    // Moves data between members and controls; false (with the focus on the offending field) when a
    // field fails validation.
    bool updateData(bool saveAndValidate);

    void endDialog(INT_PTR result);

protected:
    const MessageMap* messageMap() const override;
    virtual bool onInitDialog();  // true lets the system set the focus
    virtual void doDataExchange(DataExchange& dx) { (void)dx; }
    virtual void onOK();
    virtual void onCancel();
    bool onCommandMessage(WPARAM wParam, LPARAM lParam) override;
    LRESULT defaultProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    static INT_PTR CALLBACK staticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    UINT templateId_;
    bool modal_ = false;
    bool handled_ = false;  // whether the map took the message being dispatched
};
