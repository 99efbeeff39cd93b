// The pane as a place to drop files on: hands the drag's data and keys to the pane, which decides
// the effect and starts the transfer.
#pragma once
#include "framework/Handles.h"
#include <ole2.h>
#include <atomic>
#include <optional>
#include <string>
#include <vector>

class CVantorView;

class PaneDropTarget final : public IDropTarget {
public:
    // One reference, which the pane owns; registering adds the system's own.
    explicit PaneDropTarget(CVantorView& pane) : pane_(pane) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;

private:
    ~PaneDropTarget() = default;

    CVantorView& pane_;
    // The file list of the drag in progress, read once when it enters; none without one.
    std::optional<std::vector<std::wstring>> files_;
    std::atomic<ULONG> references_{1};
};
