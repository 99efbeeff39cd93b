// The main window: two file panes side by side in a splitter, the function-key button bar and the
// status bar below. It keeps its outer rectangle and the proportion between the panes across runs.
#pragma once
#include "app/WindowPlacement.h"
#include "framework/FrameWindow.h"
#include "framework/SplitterWindow.h"
#include "framework/StatusBar.h"
#include "keys/ButtonBar.h"
#include "pane/PaneOwner.h"
#include "pane/VantorView.h"

class CMainFrame : public FrameWindow, public PaneOwner {
public:
    // How long a close waits for cancelled jobs before the program ends without them (10 s).
    void setJobWait(DWORD milliseconds) { jobWaitMs_ = milliseconds; }
    CMainFrame();

    int registerPane(CVantorView* pane) override;
    CVantorView* paneInColumn(int column) const override;
    CVantorView* otherPane(const CVantorView* pane) const override;
    // The program's own, for the panes.
    const SettingsFile& paneSettings() const override;
    const ListFont& listFont() const override;
    const KeyAssignTable& keyTable() const override;
    DriveFolderTable& driveFolders() override;
    void keyTakenBeforeFrame() override;

    SplitterWindow& splitter() { return splitter_; }
    ButtonBar& buttonBar() { return buttonBar_; }
    int weightL() const { return weightL_; }
    int weightR() const { return weightR_; }
    int gap() const { return gap_; }
    const RECT& windowRect() const { return windowRect_; }

    // Rewrites the menu texts so that each shows the key bound to its command.
    void refreshMenuKeyTexts();

    // Key messages meet the key table's accelerators here, before any window inside the frame
    // sees them.
    bool PreTranslateMessage(MSG& msg) override;

protected:
    const MessageMap* messageMap() const override;
    bool onCreateClient(const CREATESTRUCTW& cs) override;
    LRESULT onCreate(WPARAM wParam, LPARAM lParam);
    void onSize(UINT type, int cx, int cy);
    void onMove();
    void onSizeMoveLoop();
    void onDestroy();

    void onQuitConfirm();
    void onClose();
    // Whether the window may close now: with file jobs running, asks whether to cancel them and,
    // on Yes, cancels them and waits until each has removed what it had not finished. Never while
    // a job's same-name question is open: that question comes to the front instead.
    bool mayCloseWithJobs();
    void onSplitCenter();
    void onWindowSplit();
    void onSetupFont();
    void onSetup();
    void onSetupKey();
    void onActivate();
    void onEnable(WPARAM enabled, LPARAM);
    void onColoursChanged();
    LRESULT onDpiChanged(WPARAM wParam, LPARAM lParam);
    // Both panes lay out again with the list font as it is now, and everything is redrawn.
    void listFontChanged();

private:
    // Column widths and outer width become the weights and the gap (only while both panes show).
    void captureProportion();
    window_placement::Proportion measureProportion() const;
    void takeProportion(const window_placement::Proportion& p);
    // The outer rectangle of the restored window, in screen coordinates, whatever its state now.
    RECT normalRect() const;
    static std::vector<window_placement::Monitor> monitors();
    void readWindowRect();
    int columnWidth(int column) const;
    void repaintEverything();

    SplitterWindow splitter_;
    RECT windowRect_{};
    RECT shownRect_{};  // the outer rectangle last seen while not minimised: what the columns fill
    CVantorView* panes_[2] = {nullptr, nullptr};
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;  // the window's scale, as last applied
    int weightL_ = 1;
    int weightR_ = 1;
    int gap_ = 0;
    window_placement::Proportion beforeMinimised_{0, 0, 0};
    StatusBar statusBar_;
    ButtonBar buttonBar_;
    CVantorView left_;
    CVantorView right_;
    bool waitingForJobs_ = false;
    DWORD jobWaitMs_ = 10000;  // how long a close waits for cancelled jobs to end
};
