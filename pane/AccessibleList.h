// A list as screen readers see it: an IAccessible whose children are simple list items, read
// from whatever window draws the list by hand.
#pragma once
#include <oleacc.h>
#include <windows.h>
#include <string>

// What the accessible list reads of its window; positions are display positions from 0.
class AccessibleListSource {
public:
    virtual ~AccessibleListSource() = default;
    virtual HWND listWindow() const = 0;
    virtual std::wstring listName() const = 0;
    // What the list says of itself beyond its name (the marked count and totals).
    virtual std::wstring listDescription() const = 0;
    virtual int itemCount() const = 0;
    virtual std::wstring itemName(int position) const = 0;
    virtual std::wstring itemDescription(int position) const = 0;
    virtual bool itemMarked(int position) const = 0;
    virtual int cursorPosition() const = 0;  // -1: none
    // The item's row on the screen; false when it has none now.
    virtual bool itemScreenRect(int position, RECT& rect) const = 0;
    virtual int itemAtScreenPoint(POINT point) const = 0;  // -1: none
};

class AccessibleList : public IAccessible {
public:
    explicit AccessibleList(AccessibleListSource& source) : source_(&source) {}
    AccessibleList(const AccessibleList&) = delete;
    AccessibleList& operator=(const AccessibleList&) = delete;

    // The window is going: a client may hold the object longer, and every call then fails.
    void disconnect() { source_ = nullptr; }

    // The child id of a display position, and back (0 is the list itself).
    static long childId(int position) { return position + 1; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: not offered; clients call IAccessible directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    virtual ~AccessibleList() = default;
    // The display position a VARIANT names: -1 for the list itself, -2 for none this list has.
    int positionOf(const VARIANT& child) const;
    HRESULT text(const VARIANT& child, BSTR* out, std::wstring (AccessibleList::*read)(int) const) const;
    std::wstring nameOf(int position) const;
    std::wstring descriptionOf(int position) const;

    AccessibleListSource* source_;
    LONG references_ = 1;
};
