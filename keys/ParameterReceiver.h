// The receiver of key assignments that carry a parameter text: the pane implements it, and the
// command table names which of its operations each such command calls.
#pragma once
#include <string>

class ParameterReceiver {
public:
    virtual ~ParameterReceiver() = default;
    virtual void onDriveSelectParameter(const std::wstring& parameter) = 0;
    virtual void onDirDirectParameter(const std::wstring& parameter) = 0;
    virtual void onMacroParameter(const std::wstring& parameter) = 0;
    virtual void onWildcardParameter(const std::wstring& parameter) = 0;
};

using ParameterHandler = void (ParameterReceiver::*)(const std::wstring&);
