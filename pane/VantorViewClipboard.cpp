// The pane's file lists for other programs and from them: the clipboard's copy, cut and paste,
// dragging entries out, and dropping files in.
#include "common/PathUtil.h"
#include "fileops/ShellTransferData.h"
#include "fileops/TransferJob.h"
#include "fileops/TransferRules.h"
#include "framework/CommandUI.h"
#include "framework/OleDataSource.h"
#include "pane/VantorView.h"
#include "resource.h"

// The commands this file handles: the clipboard.
std::span<const MessageEntry> CVantorView::clipboardCommands() {
    static const MessageEntry entries[] = {
        onCommand<ID_EDIT_COPY, &CVantorView::onEditCopy>(),
        onCommand<ID_EDIT_CUT, &CVantorView::onEditCut>(),
        onCommand<ID_EDIT_PASTE, &CVantorView::onEditPaste>(),
        onUpdate<ID_EDIT_PASTE, &CVantorView::onUpdateEditPaste>(),
    };
    return entries;
}

namespace {
// The blocks a pane offers for its selection, in the order they are handed over: the shell's list
// (when wanted and it can be made), the file list, the preferred effect. Empty when there is
// nothing to offer or memory ran out.
std::vector<std::pair<CLIPFORMAT, HGLOBAL>> offeredBlocks(HWND owner, const std::wstring& folder,
                                                         const std::vector<const FileEntry*>& targets, DWORD effect,
                                                         bool withShellList) {
    std::vector<std::wstring> paths, names;
    const std::wstring base = ensureTrailingBackslash(folder);
    for (const FileEntry* entry : targets) {
        names.push_back(entry->name());
        paths.push_back(base + entry->name());
    }
    HGLOBAL files = makeFileListBlock(paths);
    if (!files) return {};
    HGLOBAL preferred = makeDropEffectBlock(effect);
    if (!preferred) {
        GlobalFree(files);
        return {};
    }
    std::vector<std::pair<CLIPFORMAT, HGLOBAL>> blocks;
    if (withShellList)
        if (HGLOBAL shellList = makeShellIdListArray(owner, folder, names)) blocks.emplace_back(shellIdListFormat(), shellList);
    blocks.emplace_back(static_cast<CLIPFORMAT>(CF_HDROP), files);
    blocks.emplace_back(preferredDropEffectFormat(), preferred);
    return blocks;
}
}  // namespace

void CVantorView::offerToClipboard(DWORD effect, bool withShellList) {
    const auto blocks = offeredBlocks(hwnd_, folder(), collectTargets(), effect, withShellList);
    if (blocks.empty()) return;
    // Another program holding the clipboard makes this a no-op; the blocks are then ours to free.
    const bool opened = OpenClipboard(hwnd_) != FALSE;
    if (opened) EmptyClipboard();
    for (const auto& [format, block] : blocks)
        if (!opened || !SetClipboardData(format, block)) GlobalFree(block);
    if (opened) CloseClipboard();
}

void CVantorView::onEditCopy() { offerToClipboard(kEffectCopyOrLink, true); }

void CVantorView::onEditCut() { offerToClipboard(kEffectMove, false); }

void CVantorView::onUpdateEditPaste(CommandUI& ui) { ui.enable(IsClipboardFormatAvailable(CF_HDROP) != FALSE); }

void CVantorView::onEditPaste() {
    if (!OpenClipboard(hwnd_)) return;
    std::vector<std::wstring> files;
    DWORD effect = kEffectCopy;
    const HANDLE list = GetClipboardData(CF_HDROP);
    if (list) {
        files = readFileList(static_cast<HDROP>(list));
        if (HANDLE preferred = GetClipboardData(preferredDropEffectFormat())) effect = readDropEffect(preferred);
    }
    CloseClipboard();
    if (list) acceptFiles(files, effect);
}

void CVantorView::beginDrag() {
    const auto blocks = offeredBlocks(hwnd_, folder(), collectTargets(), kEffectAny, true);
    if (blocks.empty()) return;
    OleDataSource* data = OleDataSource::create();
    for (const auto& [format, block] : blocks) data->addGlobal(format, block);
    const DWORD effect = data->doDragDrop(kEffectAny);
    data->Release();
    // The program that took the drop does the transfer; the marks have served their purpose.
    if (effect != DROPEFFECT_NONE) listing_.markAll(MarkMode::Unmark);
}

DWORD CVantorView::dropEffect(const std::optional<std::vector<std::wstring>>& files, DWORD keys, POINTL at) const {
    if (!files) return DROPEFFECT_NONE;
    POINT client{at.x, at.y};
    ScreenToClient(hwnd_, &client);
    if (hitTest(client.y) == -1) return DROPEFFECT_NONE;  // the header line takes nothing
    return dropEffectFor(keys, *files, folder());
}

bool CVantorView::acceptFiles(const std::vector<std::wstring>& files, DWORD effect) {
    // The one check made before an incoming transfer: a folder may not go into its own subtree.
    if (refusedIntoOwnSubtree(files, folder())) return false;
    startTransfer(files, folder(), effect == kEffectMove, jobOwner());
    return true;
}
