// The pane as screen readers see it: answers WM_GETOBJECT with an accessible list of its entries
// and raises the platform's events when the folder, the cursor entry or the marks change.
#pragma once
#include "pane/AccessibleList.h"
#include <cstdint>
#include <string>

class CVantorView;

class PaneAccessibility : public AccessibleListSource {
public:
    explicit PaneAccessibility(CVantorView& pane) : pane_(pane) {}
    ~PaneAccessibility() override;
    PaneAccessibility(const PaneAccessibility&) = delete;
    PaneAccessibility& operator=(const PaneAccessibility&) = delete;

    // The answer to WM_GETOBJECT; 0 leaves the request to default processing.
    LRESULT answerGetObject(WPARAM flags, LPARAM objectId);
    // Raises an event for each thing that changed since the last call: a name change for another
    // folder, one selection event however many marks changed, and a focus event naming the cursor
    // entry while the pane holds the focus. Cheap when nothing changed, so it runs after every
    // message and command the pane handles.
    void announceChanges();
    // The window is going: clients holding the list find it disconnected.
    void detach();

    // AccessibleListSource
    HWND listWindow() const override;
    std::wstring listName() const override;
    std::wstring listDescription() const override;
    int itemCount() const override;
    std::wstring itemName(int position) const override;
    std::wstring itemDescription(int position) const override;
    bool itemMarked(int position) const override;
    int cursorPosition() const override;
    bool itemScreenRect(int position, RECT& rect) const override;
    int itemAtScreenPoint(POINT point) const override;

private:
    struct Announced {
        std::wstring folder;
        int cursor = -1;
        std::wstring cursorName;
        bool focused = false;
        int marked = 0;
        uint64_t markedBytes = 0;
    };

    CVantorView& pane_;
    AccessibleList* object_ = nullptr;
    Announced announced_;
};
