// A bar built from a dialog template: a modeless child dialog docked at the bottom of a frame. Its
// buttons are commands: clicks go to the bar's own handlers, else to the frame's command routing, and
// at idle each button is enabled and checked as the bar's or the routing's update handlers say.
#pragma once
#include "framework/ControlBar.h"
#include "framework/Dialog.h"
#include "framework/Handles.h"

class DialogBar : public Dialog, public ControlBar {
public:
    explicit DialogBar(UINT templateId) : Dialog(templateId) {}

    // Creates the bar from the template as a child of the frame, whatever styles the template has, and
    // docks it above the bars docked before.
    bool create(FrameWindow& frame, UINT controlId);

    HWND barHandle() const override { return hwnd(); }
    int barHeight() const override { return height_; }
    void onIdleUpdate(FrameWindow& frame) override;
    void rescale(UINT oldDpi, UINT newDpi) override;

protected:
    const MessageMap* messageMap() const override;
    bool onCommandMessage(WPARAM wParam, LPARAM lParam) override;
    LRESULT onEraseBackground(WPARAM wParam, LPARAM lParam);

private:
    int height_ = 0;
    GdiObject<HFONT> font_;  // the controls' font once rescaled
};
