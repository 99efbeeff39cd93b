// The commands of the program: identifier, stored name, short label and description, and for the
// four commands that take a parameter text, the receiver operation that handles it.
#pragma once
#include "keys/ParameterReceiver.h"
#include <span>
#include <string_view>

struct CommandEntry {
    unsigned id;
    ParameterHandler parameterHandler;  // null for commands without a parameter
    const wchar_t* name;
    const wchar_t* shortLabel;
    const wchar_t* description;
};

// The rows in their fixed order; a row's position is its index in the key dialog's function list.
std::span<const CommandEntry> commandTable();

// The first row's texts for the identifier, or null when no row carries it.
const wchar_t* commandName(unsigned id);
const wchar_t* commandShortLabel(unsigned id);
const wchar_t* commandDescription(unsigned id);
// The identifier whose name equals the text exactly (case-sensitive); 0 when none does.
unsigned commandIdOf(std::wstring_view name);
// Null for rows without a handler and for identifiers no row carries.
ParameterHandler parameterHandlerOf(unsigned id);
// Row index of the identifier, or -1.
int commandRowOf(unsigned id);
