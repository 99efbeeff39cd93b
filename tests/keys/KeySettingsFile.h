// A settings file in a temp folder with an application object pointing at it, for the tests of
// the section "Key".
#pragma once
#include "framework/Application.h"
#include "keys/DefaultKeyTable.h"
#include "keys/KeyAssign.h"
#include "support/SettingsFixture.h"
#include <string>

class KeySettingsFile {
public:
    KeySettingsFile() { app_.setProfilePath(folder_ / L"s.ini"); }

    // Gives the file new contents under a new name, so no cached copy of an older one is read.
    void write(const std::wstring& text) {
        app_.setProfilePath(folder_ / (L"s" + std::to_wstring(++generation_) + L".ini"));
        writeUtf16Ini(app_.profilePath(), text);
    }
    std::wstring text() const { return readUtf16File(app_.profilePath()); }
    const Application& app() const { return app_; }

private:
    class ProfileApp : public Application {
    public:
        bool InitInstance() override { return true; }
    };
    TempFolder folder_;
    ProfileApp app_;
    int generation_ = 0;
};

inline KeyAssignList defaultBindings() {
    KeyAssignList list;
    for (const DefaultKeyAssign& row : defaultKeyTable())
        list.append({row.modifiers, row.key, row.command, row.parameter ? row.parameter : L"", L""});
    return list;
}
