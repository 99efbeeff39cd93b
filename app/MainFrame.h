// The main window: two file panes side by side in a splitter, with the status bar below.
#pragma once
#include "framework/FrameWindow.h"
#include "framework/SplitterWindow.h"
#include "framework/StatusBar.h"
#include "pane/VantorView.h"

class CMainFrame : public FrameWindow {
public:
    // Called by each pane while it is created: the first becomes the left pane (0), the next the right (1).
    int registerPane(CVantorView* pane);
    CVantorView* paneInColumn(int column) const;
    CVantorView* otherPane(const CVantorView* pane) const;

protected:
    const MessageMap* messageMap() const override;
    LRESULT onCreate(WPARAM wParam, LPARAM lParam);
    bool onCreateClient(const CREATESTRUCTW& cs) override;

private:
    SplitterWindow splitter_;
    CVantorView left_;
    CVantorView right_;
    StatusBar statusBar_;
    CVantorView* panes_[2] = {nullptr, nullptr};
};
