// A top-level frame: menu with update handlers, status prompts, the active view, and command
// routing from the active view to the frame to the application; bars docked along the bottom edge.
#pragma once
#include "framework/Window.h"
#include <string>
#include <vector>

class ControlBar;
class Document;
class StatusBar;
class View;

class FrameWindow : public Window {
public:
    FrameWindow() = default;
    ~FrameWindow() override;

    View* activeView() const { return activeView_; }
    // Makes a view the active one and tells both views; does not move the focus.
    void setActiveView(View* view);

    Document* document() const { return document_; }
    void setDocument(Document* document) { document_ = document; }

    // Caption: "<document title> - <application name>", or the application name alone.
    void updateCaption();
    void setAppName(std::wstring name) { appName_ = std::move(name); }
    const std::wstring& appName() const { return appName_; }

    // Creates the frame window with menu and icon of the given resource identifier.
    virtual bool loadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);

    // View first, then the frame's own map, then the application.
    bool onCmdMsg(UINT id, CommandMode mode, CommandUI* ui) override;

    // Asks every item of a popup menu for its state (auto-disables items nobody handles).
    void updateMenuState(HMENU popup);

    // Idle-time update of the shown bars (status indicators, dialog bar buttons).
    virtual void onIdleUpdate();

    // Bars dock themselves when they are created; the frame does not own them.
    void addControlBar(ControlBar& bar);
    void removeControlBar(ControlBar& bar);
    ControlBar* controlBar(UINT id) const;
    void showControlBar(UINT id, bool show);
    // The frame moved to a screen of other dots per inch: each bar rescales, then the layout follows.
    void rescaleBars(UINT oldDpi, UINT newDpi);
    bool isControlBarVisible(UINT id) const;
    // Whether each bar is shown, in the profile section named `profileName`, one key per bar.
    void saveBarState(const wchar_t* profileName) const;
    // Applies what saveBarState wrote; bars without a saved value keep their state.
    void loadBarState(const wchar_t* profileName);

    // Stacks the shown bars at the bottom and gives the rest to the client window (clientWindow_, or
    // else the first child that is not a bar).
    virtual void recalcLayout();

protected:
    const MessageMap* messageMap() const override;
    // Creates the client area (views, splitter) during WM_CREATE; false fails the creation.
    virtual bool onCreateClient(const CREATESTRUCTW& cs) { (void)cs; return true; }

    LRESULT onCreate(WPARAM wParam, LPARAM lParam);
    void onSize(UINT type, int cx, int cy);
    LRESULT onInitMenuPopup(WPARAM wParam, LPARAM lParam);
    void onClose();
    void onDestroy();
    void onSetFocus();
    LRESULT onMenuSelect(WPARAM wParam, LPARAM lParam);
    void onExitMenuLoop();

    HWND clientWindow_ = nullptr;  // the window that fills the space the bars leave

private:
    // A command whose identifier is a bar's control identifier toggles that bar; its item is checked
    // while the bar is shown.
    bool onBarCommand(UINT id, CommandMode mode, CommandUI* ui);
    // The status bar that shows menu prompts: the first docked one.
    StatusBar* messageBar() const;
    HWND clientArea() const;

    std::vector<ControlBar*> bars_;
    View* activeView_ = nullptr;
    Document* document_ = nullptr;
    std::wstring appName_;
};
