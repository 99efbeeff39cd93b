// The state an update handler sets for one command: applied to a menu item or a control.
#pragma once
#include <windows.h>
#include <string>

class CommandUI {
public:
    explicit CommandUI(UINT id) : id_(id) {}
    virtual ~CommandUI() = default;

    UINT id() const { return id_; }
    virtual void enable(bool on = true) { enabled_ = on; }
    virtual void check(bool on = true) { checked_ = on; }
    bool enabled() const { return enabled_; }
    bool checked() const { return checked_; }

private:
    UINT id_;
    bool enabled_ = true;
    bool checked_ = false;
};

// Applies enable and check state straight to an item of a popup menu.
class MenuCommandUI : public CommandUI {
public:
    MenuCommandUI(HMENU menu, UINT position, UINT id) : CommandUI(id), menu_(menu), position_(position) {}
    void enable(bool on = true) override;
    void check(bool on = true) override;

private:
    HMENU menu_;
    UINT position_;
};

// Applies the state to a child control (a dialog bar button, for instance).
class ControlCommandUI : public CommandUI {
public:
    ControlCommandUI(HWND control, UINT id) : CommandUI(id), control_(control) {}
    void enable(bool on = true) override;
    void check(bool on = true) override;

private:
    HWND control_;
};
