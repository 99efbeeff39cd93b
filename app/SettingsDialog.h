// "設定": the listing colours, the date format, the size column's width, the attribute column, and
// the viewer's and editor's command lines and start folders. It works on copies; only OK stores
// them in the settings and writes them to the settings file, all thirteen keys at once.
#pragma once
#include "common/SettingsFile.h"
#include "framework/Dialog.h"
#include <array>

// What picking a program fills in, as in the command dialog: the program's path (quoted when it
// holds a blank) followed by " $fqC" (the quoted full path of the cursor entry), and the program's
// folder as the start folder (the root itself for a program at a drive's root).
struct ProgramChoice {
    std::wstring commandLine;
    std::wstring folder;
};
ProgramChoice programChoiceFor(const std::wstring& programPath);

class SettingsDialog : public Dialog {
public:
    explicit SettingsDialog(SettingsFile& settings);

    // Background, folder, hidden, read-only, system, normal: the order of the colour buttons.
    std::array<COLORREF, 6> colours;
    std::wstring timeFormat;
    int sizeWidth;
    int showAttributes;
    std::wstring viewerMacro, viewerDir, editorMacro, editorDir;
    std::wstring help;

protected:
    const MessageMap* messageMap() const override;
    bool onInitDialog() override;
    void doDataExchange(DataExchange& dx) override;
    void onOK() override;

private:
    void pickColour(UINT id);
    void pickProgram(UINT id);
    void pickFolder(UINT id);
    // Shows the help of the field that has the focus as it enters or leaves one of the edits
    // that have help.
    void onHelpFieldFocus();

    SettingsFile& settings_;
    const int storedWidth_;     // the width as the settings held it when the dialog opened
    bool showingHelp_ = false;  // a validation message moves the focus, which must not ask again
};
