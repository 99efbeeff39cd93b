// The document: holds no data; its title carries the active pane's folder into the caption.
#pragma once
#include "framework/Document.h"

class CVantorDoc : public Document {
public:
    bool onNewDocument() override { return Document::onNewDocument(); }
};
