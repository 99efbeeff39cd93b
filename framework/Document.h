// A document: here only a title that the frame shows in its caption.
#pragma once
#include "framework/CommandTarget.h"
#include <string>

class FrameWindow;

class Document : public CommandTarget {
public:
    virtual bool onNewDocument();

    const std::wstring& title() const { return title_; }
    // Sets the title and refreshes the caption of the frame that shows this document.
    void setTitle(const std::wstring& title);

    void setFrame(FrameWindow* frame) { frame_ = frame; }
    FrameWindow* frame() const { return frame_; }

private:
    std::wstring title_;
    FrameWindow* frame_ = nullptr;
};
