// The bar of twelve buttons for F1 to F12: each shows what its key does under the modifier keys held
// now, and a click presses the key, so the key takes the normal way through accelerators and panes.
#pragma once
#include "framework/DialogBar.h"
#include "keys/FunctionKeyButtons.h"
#include "keys/KeyAssign.h"
#include <array>
#include <cstdint>
#include <string>

class ButtonBar : public DialogBar {
public:
    // The bar reads `bindings` whenever it relabels; it never changes them.
    explicit ButtonBar(const KeyAssignList& bindings);

    // Reads Alt, Ctrl and Shift as of the message being processed and relabels when they changed
    // (or always, when forced). Labels made for an older table stay until then.
    void updateModifiers(bool force);
    void relabel();

    // What button `index` shows (its own text, which screen readers say, carries its key too).
    const std::wstring& label(int index) const { return labels_.at(static_cast<size_t>(index)); }
    // 1 plus the held modifiers' bits the labels were made for; 0 before the first update.
    std::uint8_t modifierState() const { return modifierState_; }

protected:
    const MessageMap* messageMap() const override;
    bool onInitDialog() override;

private:
    void onSize(UINT type, int cx, int cy);
    LRESULT onDrawItem(WPARAM wParam, LPARAM lParam);
    void onFunctionButton(UINT id);
    void onSpacer() {}
    void onUpdateFunctionButton(CommandUI& ui);

    const KeyAssignList& bindings_;
    std::uint8_t modifierState_ = 0;
    std::array<bool, kFunctionKeyButtons> enabled_{};
    std::array<std::wstring, kFunctionKeyButtons> labels_;
};
