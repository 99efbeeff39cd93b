#include "framework/Document.h"
#include "framework/FrameWindow.h"

bool Document::onNewDocument() {
    setTitle(L"");
    return true;
}

void Document::setTitle(const std::wstring& title) {
    title_ = title;
    if (frame_) frame_->updateCaption();
}
