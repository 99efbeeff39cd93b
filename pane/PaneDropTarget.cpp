#include "pane/PaneDropTarget.h"
#include "fileops/ShellTransferData.h"
#include "pane/DropEffect.h"
#include "pane/VantorView.h"

HRESULT PaneDropTarget::QueryInterface(REFIID iid, void** object) {
    if (iid == IID_IUnknown || iid == IID_IDropTarget) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG PaneDropTarget::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT PaneDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) {
    files_ = droppedFiles(data);
    return DragOver(keys, at, effect);
}

// `effect` comes in holding what the source allows and goes out holding what the drop would do.
HRESULT PaneDropTarget::DragOver(DWORD keys, POINTL at, DWORD* effect) {
    *effect = effectAllowedBySource(pane_.dropEffect(files_, keys, at), *effect);
    return S_OK;
}

HRESULT PaneDropTarget::DragLeave() {
    files_.reset();
    return S_OK;
}

HRESULT PaneDropTarget::Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) {
    files_.reset();
    const std::optional<std::vector<std::wstring>> files = droppedFiles(data);
    const DWORD wanted = effectAllowedBySource(pane_.dropEffect(files, keys, at), *effect);
    *effect = wanted != DROPEFFECT_NONE && pane_.acceptFiles(*files, wanted) ? wanted : DROPEFFECT_NONE;
    return S_OK;
}
