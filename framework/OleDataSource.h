// Data offered to other programs by drag and drop: a data object holding global memory blocks by
// clipboard format, and the drag loop with the usual mouse and Escape rules.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <atomic>
#include <vector>

class OleDataSource final : public IDataObject {
public:
    // A new object with one reference, which the caller owns.
    static OleDataSource* create() { return new OleDataSource; }

    // Takes ownership of `block`; formats are offered in the order they were added.
    void addGlobal(CLIPFORMAT format, HGLOBAL block);
    // Runs the drag loop offering `allowed` effects; the effect of the drop, or DROPEFFECT_NONE.
    DWORD doDragDrop(DWORD allowed);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override;
    // IDataObject
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    OleDataSource() = default;
    ~OleDataSource();
    const HGLOBAL* find(const FORMATETC* format) const;

    std::atomic<ULONG> references_{1};
    std::vector<std::pair<CLIPFORMAT, HGLOBAL>> blocks_;
};
