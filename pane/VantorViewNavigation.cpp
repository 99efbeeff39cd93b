// Making another folder current in a pane, and the commands that do so.
#include "app/MainFrame.h"
#include "app/VantorApp.h"
#include "common/PathUtil.h"
#include "framework/Document.h"
#include "pane/VantorView.h"
#include "resource.h"

namespace {
// The name after the last backslash; empty when there is none.
std::wstring lastName(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(slash + 1);
}
}  // namespace

void CVantorView::changeFolder(const std::wstring& target, bool relative) {
    // The platform resolves the target through the process's current directory, which is put
    // back afterwards whatever happens.
    const std::wstring saved = currentDirectory();
    bool entered = !relative || SetCurrentDirectoryW(listing_.folder().c_str());
    entered = entered && !target.empty() && SetCurrentDirectoryW(target.c_str());
    const std::wstring folder = entered ? currentDirectory() : std::wstring();
    if (!folder.empty()) {
        const std::wstring cursorName = target == L".." ? lastName(listing_.folder()) : L"..";
        listing_.setFolder(folder);
        Document* doc = document();
        if (!doc && parentFrame()) doc = parentFrame()->document();
        if (doc) doc->setTitle(folder);
        CVantorApp::instance()->driveFolders().remember(folder);
        history_.visit(folder);
        listing_.loadFolder();
        const int found = listing_.index().findName(cursorName, 0);
        listing_.setCursor(found >= 0 ? found : (listing_.count() > 0 ? 0 : -1));
        updateScrollRange();
        ensureVisible(listing_.cursor(), false);
        repaintAll();
    }
    if (!saved.empty()) SetCurrentDirectoryW(saved.c_str());
}

void CVantorView::onDriveSelectParameter(const std::wstring& parameter) {
    if (parameter.empty()) return;
    changeFolder(CVantorApp::instance()->driveFolders().recall(parameter[0]), false);
}

void CVantorView::onDirDirectParameter(const std::wstring& parameter) { changeFolder(parameter, false); }

void CVantorView::onDirRoot() { changeFolder(L"\\", true); }
void CVantorView::onDirParent() { changeFolder(L"..", true); }

void CVantorView::onDirByActive() {
    if (CVantorView* other = otherPane(); other && other != this) other->changeFolder(folder(), false);
}

void CVantorView::onDirByLeft() {
    auto* frame = dynamic_cast<CMainFrame*>(parentFrame());
    CVantorView* left = frame ? frame->paneInColumn(0) : nullptr;
    CVantorView* right = frame ? frame->paneInColumn(1) : nullptr;
    if (left && right) right->changeFolder(left->folder(), false);
}

void CVantorView::onDirByRight() {
    auto* frame = dynamic_cast<CMainFrame*>(parentFrame());
    CVantorView* left = frame ? frame->paneInColumn(0) : nullptr;
    CVantorView* right = frame ? frame->paneInColumn(1) : nullptr;
    if (left && right) left->changeFolder(right->folder(), false);
}

void CVantorView::onDirSwap() {
    auto* frame = dynamic_cast<CMainFrame*>(parentFrame());
    CVantorView* left = frame ? frame->paneInColumn(0) : nullptr;
    CVantorView* right = frame ? frame->paneInColumn(1) : nullptr;
    if (!left || !right) return;
    const std::wstring oldLeft = left->folder(), oldRight = right->folder();
    left->changeFolder(oldRight, false);
    right->changeFolder(oldLeft, false);
}

void CVantorView::onFileOpenApp() {
    const FileEntry* entry = listing_.cursorEntry();
    if (entry && entry->isFolder()) changeFolder(entry->name(), true);
    // Files are opened with their associated program once launching is in place.
}

void CVantorView::onFileViewOrEdit() {
    const FileEntry* entry = listing_.cursorEntry();
    if (entry && entry->isFolder()) changeFolder(entry->name(), true);
    // Files go to the configured viewer or editor once launching is in place.
}
