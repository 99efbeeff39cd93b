#include "pane/AccessibleList.h"

namespace {
HRESULT giveText(const std::wstring& text, BSTR* out) {
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

void setChild(VARIANT* out, long id) {
    out->vt = VT_I4;
    out->lVal = id;
}

// Whether `window` holds the keyboard focus, asked of its own thread: a client calls from any.
bool holdsFocus(HWND window) {
    GUITHREADINFO info{sizeof(info)};
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus == window;
}
}  // namespace

HRESULT AccessibleList::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG AccessibleList::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT AccessibleList::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

int AccessibleList::positionOf(const VARIANT& child) const {
    if (child.vt != VT_I4) return -2;
    if (child.lVal == CHILDID_SELF) return -1;
    return child.lVal >= 1 && child.lVal <= source_->itemCount() ? static_cast<int>(child.lVal - 1) : -2;
}

HRESULT AccessibleList::text(const VARIANT& child, BSTR* out, std::wstring (AccessibleList::*read)(int) const) const {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!source_) return RPC_E_DISCONNECTED;
    const int position = positionOf(child);
    if (position == -2) return E_INVALIDARG;
    return giveText((this->*read)(position), out);
}

std::wstring AccessibleList::nameOf(int position) const {
    return position < 0 ? source_->listName() : source_->itemName(position);
}

std::wstring AccessibleList::descriptionOf(int position) const {
    return position < 0 ? source_->listDescription() : source_->itemDescription(position);
}

HRESULT AccessibleList::get_accParent(IDispatch** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!source_) return RPC_E_DISCONNECTED;
    return AccessibleObjectFromWindow(source_->listWindow(), static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(parent));
}

HRESULT AccessibleList::get_accChildCount(long* count) {
    if (!count) return E_POINTER;
    if (!source_) return RPC_E_DISCONNECTED;
    *count = source_->itemCount();
    return S_OK;
}

HRESULT AccessibleList::get_accChild(VARIANT child, IDispatch** dispatch) {
    if (!dispatch) return E_POINTER;
    *dispatch = nullptr;
    if (!source_) return RPC_E_DISCONNECTED;
    // The items are simple elements, reached through this object with their child ids.
    return positionOf(child) >= 0 ? S_FALSE : E_INVALIDARG;
}

HRESULT AccessibleList::get_accName(VARIANT child, BSTR* name) { return text(child, name, &AccessibleList::nameOf); }

HRESULT AccessibleList::get_accValue(VARIANT, BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    return source_ ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
}

HRESULT AccessibleList::get_accDescription(VARIANT child, BSTR* description) {
    return text(child, description, &AccessibleList::descriptionOf);
}

HRESULT AccessibleList::get_accRole(VARIANT child, VARIANT* role) {
    if (!role) return E_POINTER;
    VariantInit(role);
    if (!source_) return RPC_E_DISCONNECTED;
    const int position = positionOf(child);
    if (position == -2) return E_INVALIDARG;
    setChild(role, position < 0 ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM);
    return S_OK;
}

HRESULT AccessibleList::get_accState(VARIANT child, VARIANT* state) {
    if (!state) return E_POINTER;
    VariantInit(state);
    if (!source_) return RPC_E_DISCONNECTED;
    const int position = positionOf(child);
    if (position == -2) return E_INVALIDARG;
    const bool focused = holdsFocus(source_->listWindow());
    long bits = STATE_SYSTEM_FOCUSABLE;
    if (position < 0) {
        if (focused) bits |= STATE_SYSTEM_FOCUSED;
    } else {
        bits |= STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_MULTISELECTABLE;
        if (source_->itemMarked(position)) bits |= STATE_SYSTEM_SELECTED;
        if (focused && position == source_->cursorPosition()) bits |= STATE_SYSTEM_FOCUSED;
        RECT row;
        if (!source_->itemScreenRect(position, row)) bits |= STATE_SYSTEM_OFFSCREEN;
    }
    setChild(state, bits);
    return S_OK;
}

HRESULT AccessibleList::get_accHelp(VARIANT, BSTR* help) {
    if (!help) return E_POINTER;
    *help = nullptr;
    return source_ ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
}

HRESULT AccessibleList::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return source_ ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
}

HRESULT AccessibleList::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) {
    if (!shortcut) return E_POINTER;
    *shortcut = nullptr;
    return source_ ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
}

HRESULT AccessibleList::get_accFocus(VARIANT* child) {
    if (!child) return E_POINTER;
    VariantInit(child);
    if (!source_) return RPC_E_DISCONNECTED;
    if (!holdsFocus(source_->listWindow())) return S_FALSE;
    const int cursor = source_->cursorPosition();
    setChild(child, cursor >= 0 ? childId(cursor) : CHILDID_SELF);
    return S_OK;
}

HRESULT AccessibleList::get_accSelection(VARIANT* children) {
    if (!children) return E_POINTER;
    VariantInit(children);
    if (!source_) return RPC_E_DISCONNECTED;
    // One marked item is named; for more, clients read each item's selected state (an enumerator
    // of 100,000 children would help nobody).
    int found = -1;
    for (int i = 0, n = source_->itemCount(); i < n; ++i) {
        if (!source_->itemMarked(i)) continue;
        if (found >= 0) return DISP_E_MEMBERNOTFOUND;
        found = i;
    }
    if (found < 0) return S_FALSE;
    setChild(children, childId(found));
    return S_OK;
}

HRESULT AccessibleList::get_accDefaultAction(VARIANT, BSTR* action) {
    if (!action) return E_POINTER;
    *action = nullptr;
    return source_ ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
}

HRESULT AccessibleList::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    if (!source_) return RPC_E_DISCONNECTED;
    const int position = positionOf(child);
    if (position == -2) return E_INVALIDARG;
    RECT rect{};
    if (position < 0) {
        HWND window = source_->listWindow();
        GetClientRect(window, &rect);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    } else if (!source_->itemScreenRect(position, rect)) {
        return S_FALSE;
    }
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
}

HRESULT AccessibleList::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (!end) return E_POINTER;
    VariantInit(end);
    if (!source_) return RPC_E_DISCONNECTED;
    const int position = positionOf(start);
    if (position == -2) return E_INVALIDARG;
    const int count = source_->itemCount();
    int target = -1;
    if (position < 0) {
        if (direction == NAVDIR_FIRSTCHILD) target = 0;
        else if (direction == NAVDIR_LASTCHILD) target = count - 1;
        else return DISP_E_MEMBERNOTFOUND;  // the list's own siblings are its window's business
    } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) {
        target = position + 1;
    } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) {
        target = position - 1;
    }
    if (target < 0 || target >= count) return S_FALSE;
    setChild(end, childId(target));
    return S_OK;
}

HRESULT AccessibleList::accHitTest(long left, long top, VARIANT* child) {
    if (!child) return E_POINTER;
    VariantInit(child);
    if (!source_) return RPC_E_DISCONNECTED;
    const POINT point{left, top};
    RECT client{};
    HWND window = source_->listWindow();
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    if (!PtInRect(&client, point)) return S_FALSE;
    const int position = source_->itemAtScreenPoint(point);
    setChild(child, position >= 0 ? childId(position) : CHILDID_SELF);
    return S_OK;
}
