// The parameter of a MACRO key assignment: working folder, "|", command line.
#pragma once
#include <string>
#include <string_view>

struct MacroParameter {
    std::wstring folder;
    std::wstring commandLine;
};

// Only the first "|" splits; without one the whole text is the command line and the folder is empty.
MacroParameter splitMacroParameter(std::wstring_view parameter);
