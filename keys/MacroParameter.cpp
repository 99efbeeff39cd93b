#include "keys/MacroParameter.h"

MacroParameter splitMacroParameter(std::wstring_view parameter) {
    const size_t bar = parameter.find(L'|');
    if (bar == std::wstring_view::npos) return {std::wstring(), std::wstring(parameter)};
    return {std::wstring(parameter.substr(0, bar)), std::wstring(parameter.substr(bar + 1))};
}
