// The main window. For now it shows the menu and a plain client area; panes, splitter and bars
// come in later.
#pragma once
#include "framework/FrameWindow.h"

class CMainFrame : public FrameWindow {
protected:
    const MessageMap* messageMap() const override;
    void onPaint();
};
