// A view: a child window of a frame that shows its document and is the first stop of command routing.
#pragma once
#include "framework/Window.h"

class Document;
class FrameWindow;

class View : public Window {
public:
    Document* document() const { return document_; }
    void setDocument(Document* document) { document_ = document; }
    FrameWindow* parentFrame() const;

    // Called by the frame when this view becomes or stops being the active view.
    virtual void onActivateView(bool active) { (void)active; }

protected:
    const MessageMap* messageMap() const override;
    LRESULT onMouseActivate(WPARAM wParam, LPARAM lParam);
    void onSetFocus();

private:
    Document* document_ = nullptr;
};
