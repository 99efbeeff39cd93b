#include "framework/CommandTarget.h"

const MessageMap* CommandTarget::messageMap() const {
    static const MessageMap map{nullptr, {}};
    return &map;
}

const MessageEntry* CommandTarget::findEntry(MessageEntry::Kind kind, UINT message, UINT code, UINT id) const {
    for (const MessageMap* map = messageMap(); map; map = map->base) {
        for (const MessageEntry& e : map->entries) {
            if (e.kind != kind) continue;
            switch (kind) {
            case MessageEntry::Kind::Message:
                if (e.message == message) return &e;
                break;
            case MessageEntry::Kind::Command:
            case MessageEntry::Kind::Update:
                if (id >= e.firstId && id <= e.lastId) return &e;
                break;
            case MessageEntry::Kind::Control:
            case MessageEntry::Kind::Notify:
                if (e.code == code && id >= e.firstId && id <= e.lastId) return &e;
                break;
            }
        }
    }
    return nullptr;
}

bool CommandTarget::dispatchOwnCommand(UINT id, CommandMode mode, CommandUI* ui) {
    if (mode == CommandMode::Update) {
        const MessageEntry* e = findEntry(MessageEntry::Kind::Update, 0, 0, id);
        if (!e) return false;
        MessageArgs args{0, 0, 0, 0, id, ui};
        e->call(this, args);
        return true;
    }
    const MessageEntry* e = findEntry(MessageEntry::Kind::Command, WM_COMMAND, 0, id);
    if (!e) return false;
    if (mode == CommandMode::Execute) {
        MessageArgs args{WM_COMMAND, id, 0, 0, id, nullptr};
        e->call(this, args);
    }
    return true;
}

bool CommandTarget::onCmdMsg(UINT id, CommandMode mode, CommandUI* ui) {
    return dispatchOwnCommand(id, mode, ui);
}
