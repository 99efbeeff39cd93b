// Single-document template: ties a resource identifier to the document and frame it creates.
#pragma once
#include <windows.h>
#include <functional>
#include <memory>
#include <string>

class Document;
class FrameWindow;

class DocTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<Document>()>;
    using FrameFactory = std::function<std::unique_ptr<FrameWindow>()>;

    DocTemplate(UINT resourceId, DocumentFactory makeDocument, FrameFactory makeFrame);
    ~DocTemplate();

    UINT resourceId() const { return resourceId_; }
    // Field n of the template's resource string (fields separated by "\n"): 0 is the window title.
    std::wstring docString(int field) const;

    // Creates the document and, the first time, the frame; re-initialises the document afterwards.
    Document* openNewDocument();

    Document* document() const { return document_.get(); }
    FrameWindow* frame() const { return frame_.get(); }

private:
    UINT resourceId_;
    DocumentFactory makeDocument_;
    FrameFactory makeFrame_;
    std::unique_ptr<Document> document_;
    std::unique_ptr<FrameWindow> frame_;
};
