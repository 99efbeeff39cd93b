#include "framework/OleDataSource.h"
#include <shlobj.h>

namespace {
// The drop source every drag of the program uses: Escape or the other button cancels, releasing
// the button that started it drops, and the system's cursors show the effect.
class DropSource final : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IDropSource) {
            *object = static_cast<IDropSource*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the stack of the drag loop, which outlasts every use.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape || (keys & MK_RBUTTON)) return DRAGDROP_S_CANCEL;
        if (!(keys & MK_LBUTTON)) return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};
}  // namespace

OleDataSource::~OleDataSource() {
    for (auto& [format, block] : blocks_) GlobalFree(block);
}

void OleDataSource::addGlobal(CLIPFORMAT format, HGLOBAL block) {
    if (block) blocks_.emplace_back(format, block);
}

DWORD OleDataSource::doDragDrop(DWORD allowed) {
    DropSource source;
    DWORD effect = DROPEFFECT_NONE;
    if (DoDragDrop(this, &source, allowed, &effect) != DRAGDROP_S_DROP) return DROPEFFECT_NONE;
    return effect;
}

HRESULT OleDataSource::QueryInterface(REFIID iid, void** object) {
    if (iid == IID_IUnknown || iid == IID_IDataObject) {
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG OleDataSource::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

const HGLOBAL* OleDataSource::find(const FORMATETC* format) const {
    if (!format || !(format->tymed & TYMED_HGLOBAL) || format->dwAspect != DVASPECT_CONTENT) return nullptr;
    for (const auto& [held, block] : blocks_)
        if (held == format->cfFormat) return &block;
    return nullptr;
}

HRESULT OleDataSource::GetData(FORMATETC* format, STGMEDIUM* medium) {
    const HGLOBAL* block = find(format);
    if (!block) return DV_E_FORMATETC;
    // The receiver frees what it gets, so it gets a copy and the object keeps its own.
    HGLOBAL copy = static_cast<HGLOBAL>(OleDuplicateData(*block, format->cfFormat, 0));
    if (!copy) return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT OleDataSource::QueryGetData(FORMATETC* format) { return find(format) ? S_OK : DV_E_FORMATETC; }

HRESULT OleDataSource::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    if (out) out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT OleDataSource::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    std::vector<FORMATETC> offered;
    for (const auto& [format, block] : blocks_)
        offered.push_back({format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    return SHCreateStdEnumFmtEtc(static_cast<UINT>(offered.size()), offered.data(), formats);
}
