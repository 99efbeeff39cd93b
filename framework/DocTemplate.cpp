#include "framework/DocTemplate.h"
#include "framework/Application.h"
#include "framework/Document.h"
#include "framework/FrameWindow.h"

DocTemplate::DocTemplate(UINT resourceId, DocumentFactory makeDocument, FrameFactory makeFrame)
    : resourceId_(resourceId), makeDocument_(std::move(makeDocument)), makeFrame_(std::move(makeFrame)) {}

DocTemplate::~DocTemplate() {
    // The frame's window goes before the document it points to.
    frame_.reset();
    document_.reset();
}

std::wstring DocTemplate::docString(int field) const {
    const std::wstring all = loadString(resourceId_);
    size_t start = 0;
    for (int i = 0; i < field; ++i) {
        start = all.find(L'\n', start);
        if (start == std::wstring::npos) return L"";
        ++start;
    }
    return all.substr(start, all.find(L'\n', start) - start);
}

Document* DocTemplate::openNewDocument() {
    if (document_ && frame_ && frame_->hwnd()) {
        return document_->onNewDocument() ? document_.get() : nullptr;
    }
    document_ = makeDocument_();
    frame_ = makeFrame_();
    if (!document_ || !frame_) return nullptr;
    frame_->setAppName(docString(0));
    frame_->setDocument(document_.get());
    document_->setFrame(frame_.get());
    Application* app = Application::instance();
    if (app) app->setMainWindow(frame_.get());
    if (!document_->onNewDocument() || !frame_->loadFrame(resourceId_)) {
        if (app && app->mainWindow() == frame_.get()) app->setMainWindow(nullptr);
        frame_.reset();
        document_.reset();
        return nullptr;
    }
    return document_.get();
}
