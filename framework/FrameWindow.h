// A top-level frame: menu with update handlers, status prompts, the active view, and command
// routing from the active view to the frame to the application.
#pragma once
#include "framework/Window.h"
#include <string>

class Document;
class View;

class FrameWindow : public Window {
public:
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

    // Idle-time update of bars; frames with bars extend it.
    virtual void onIdleUpdate() {}

protected:
    const MessageMap* messageMap() const override;
    // Creates the client area (views, splitter) during WM_CREATE; false fails the creation.
    virtual bool onCreateClient(const CREATESTRUCTW& cs) { (void)cs; return true; }
    // Places bars and the client area; the base fills the client area with the first child window.
    virtual void recalcLayout();

    LRESULT onCreate(WPARAM wParam, LPARAM lParam);
    void onSize(UINT type, int cx, int cy);
    LRESULT onInitMenuPopup(WPARAM wParam, LPARAM lParam);
    void onClose();
    void onDestroy();
    void onSetFocus();

    HWND clientWindow_ = nullptr;  // the window that fills the space the bars leave

private:
    View* activeView_ = nullptr;
    Document* document_ = nullptr;
    std::wstring appName_;
};
