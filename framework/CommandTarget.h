// Base of every object that takes commands: windows and the application.
#pragma once
#include "framework/MessageMap.h"

// How a command is offered to a target.
enum class CommandMode {
    Execute,  // carry the command out
    Update,   // let an update handler set enable/check state
    Probe,    // only ask whether an execute handler exists
};

class CommandTarget {
public:
    virtual ~CommandTarget() = default;

    // Routes a command through this target; true when some handler took it.
    // Frames override this to offer the command to the active view first and the application last.
    virtual bool onCmdMsg(UINT id, CommandMode mode, CommandUI* ui);

protected:
    virtual const MessageMap* messageMap() const;
    // Finds the first entry of the map chain that matches.
    const MessageEntry* findEntry(MessageEntry::Kind kind, UINT message, UINT code, UINT id) const;
    // Runs a command or update handler of this target's own map (no routing).
    bool dispatchOwnCommand(UINT id, CommandMode mode, CommandUI* ui);
};
