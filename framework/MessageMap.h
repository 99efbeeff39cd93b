// Per-class message maps: static tables of {kind, message, notification code, id range, adapter}.
// Adapters unpack wParam/lParam so that handlers read like ordinary member functions.
#pragma once
#include <windows.h>
#include <span>
#include <type_traits>

class CommandTarget;
class CommandUI;

// What a handler receives and may answer.
struct MessageArgs {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    UINT id = 0;              // command or control identifier
    CommandUI* ui = nullptr;  // update requests only
};

struct MessageEntry {
    enum class Kind : unsigned char { Message, Command, Control, Update, Notify };
    Kind kind;
    UINT message;   // Message entries
    UINT code;      // Control and Notify entries
    UINT firstId;   // Command, Control, Update and Notify entries
    UINT lastId;
    void (*call)(CommandTarget* target, MessageArgs& args);
};

struct MessageMap {
    const MessageMap* base;
    std::span<const MessageEntry> entries;
};

namespace message_map_detail {
template <typename F> struct MemberOf;
template <typename R, typename C, typename... A> struct MemberOf<R (C::*)(A...)> { using type = C; };
template <auto Fn> using ClassOf = typename MemberOf<decltype(Fn)>::type;

// Typed unpacking for the messages the program handles; any other message gets (WPARAM, LPARAM).
template <UINT Msg, auto Fn>
void callMessage(CommandTarget* target, MessageArgs& a) {
    auto* self = static_cast<ClassOf<Fn>*>(target);
    using F = decltype(Fn);
    if constexpr (std::is_invocable_v<F, ClassOf<Fn>*>) {
        if constexpr (std::is_void_v<std::invoke_result_t<F, ClassOf<Fn>*>>) (self->*Fn)();
        else a.result = static_cast<LRESULT>((self->*Fn)());
    } else if constexpr (Msg == WM_SIZE) {
        (self->*Fn)(static_cast<UINT>(a.wParam), static_cast<int>(static_cast<short>(LOWORD(a.lParam))),
                    static_cast<int>(static_cast<short>(HIWORD(a.lParam))));
    } else if constexpr (std::is_void_v<std::invoke_result_t<F, ClassOf<Fn>*, WPARAM, LPARAM>>) {
        (self->*Fn)(a.wParam, a.lParam);
    } else {
        a.result = static_cast<LRESULT>((self->*Fn)(a.wParam, a.lParam));
    }
}

template <auto Fn>
void callCommand(CommandTarget* target, MessageArgs& a) {
    auto* self = static_cast<ClassOf<Fn>*>(target);
    if constexpr (std::is_invocable_v<decltype(Fn), ClassOf<Fn>*, UINT>) (self->*Fn)(a.id);
    else (self->*Fn)();
}

template <auto Fn>
void callUpdate(CommandTarget* target, MessageArgs& a) {
    (static_cast<ClassOf<Fn>*>(target)->*Fn)(*a.ui);
}

template <auto Fn>
void callNotify(CommandTarget* target, MessageArgs& a) {
    a.result = (static_cast<ClassOf<Fn>*>(target)->*Fn)(reinterpret_cast<NMHDR*>(a.lParam));
}
}  // namespace message_map_detail

template <UINT Msg, auto Fn>
constexpr MessageEntry onMessage() {
    return {MessageEntry::Kind::Message, Msg, 0, 0, 0, &message_map_detail::callMessage<Msg, Fn>};
}
// Menu items, accelerators and buttons (notification code 0 or 1).
template <UINT Id, auto Fn>
constexpr MessageEntry onCommand() {
    return {MessageEntry::Kind::Command, WM_COMMAND, 0, Id, Id, &message_map_detail::callCommand<Fn>};
}
template <UINT First, UINT Last, auto Fn>
constexpr MessageEntry onCommandRange() {
    return {MessageEntry::Kind::Command, WM_COMMAND, 0, First, Last, &message_map_detail::callCommand<Fn>};
}
// A control's notification sent through WM_COMMAND with a non-zero code (EN_CHANGE, LBN_SELCHANGE...).
template <UINT Code, UINT Id, auto Fn>
constexpr MessageEntry onControl() {
    return {MessageEntry::Kind::Control, WM_COMMAND, Code, Id, Id, &message_map_detail::callCommand<Fn>};
}
template <UINT Id, auto Fn>
constexpr MessageEntry onUpdate() {
    return {MessageEntry::Kind::Update, 0, 0, Id, Id, &message_map_detail::callUpdate<Fn>};
}
template <UINT First, UINT Last, auto Fn>
constexpr MessageEntry onUpdateRange() {
    return {MessageEntry::Kind::Update, 0, 0, First, Last, &message_map_detail::callUpdate<Fn>};
}
template <UINT Code, UINT Id, auto Fn>
constexpr MessageEntry onNotify() {
    return {MessageEntry::Kind::Notify, WM_NOTIFY, Code, Id, Id, &message_map_detail::callNotify<Fn>};
}
