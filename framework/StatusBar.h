// The status bar along the bottom of a frame (the common status control): a stretching message pane
// for menu prompts and the idle text, then indicator panes whose texts show while their key is toggled on.
#pragma once
#include "framework/Handles.h"
#include "framework/ControlBar.h"
#include "framework/Window.h"
#include <commctrl.h>
#include <span>
#include <string>
#include <vector>

class StatusBar : public Window, public ControlBar {
public:
    ~StatusBar() override;

    // Creates the control as a child of the frame and docks it (with a size grip by default).
    bool create(FrameWindow& frame, UINT controlId, DWORD style = WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP);
    // The first identifier stands for the message pane; each further one names the string resource
    // with an indicator's text. False when a text is missing. The message pane then shows the idle text.
    bool setIndicators(std::span<const UINT> ids);

    void setMessageText(const std::wstring& text);
    void showIdleText();
    // Follows WM_MENUSELECT: the highlighted item's prompt (its string up to the first line break),
    // nothing for pop-ups and separators, the idle text when the menu closes.
    void showMenuPrompt(UINT itemId, UINT flags, HMENU menu);
    std::wstring paneText(int index) const;

    HWND barHandle() const override { return hwnd(); }
    int barHeight() const override { return height_; }
    // Shows each indicator's text only while its key's toggle state is on.
    void onIdleUpdate(FrameWindow& frame) override;
    void rescale(UINT oldDpi, UINT newDpi) override;

protected:
    const MessageMap* messageMap() const override;
    void onSize(UINT type, int cx, int cy);

private:
    struct Indicator {
        int key;  // virtual key whose toggle state shows the text; 0 shows it always
        std::wstring text;
        int width;
        bool shown;
    };
    void updateParts();
    void setPaneText(int index, const std::wstring& text);
    void fitHeight();

    std::vector<Indicator> indicators_;
    std::vector<UINT> indicatorIds_;
    int height_ = 0;
    GdiObject<HFONT> font_;  // once rescaled
};
