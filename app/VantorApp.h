// The application object: owns the list font, the settings, the key table and the drive memory
// for the whole run, and starts the program in a fixed order.
#pragma once
#include "pane/ListFont.h"
#include "common/SettingsFile.h"
#include "framework/Application.h"
#include "keys/KeyAssignTable.h"
#include "folders/DriveFolderTable.h"

class CVantorApp : public Application {
public:
    // Computes the settings path (or takes the one given) and creates the file when it is missing.
    explicit CVantorApp(std::wstring settingsPath = settingsPathOfThisProgram());
    ~CVantorApp() override;

    static CVantorApp* instance() { return static_cast<CVantorApp*>(Application::instance()); }

    bool InitInstance() override;
    // Undoes what InitInstance set up that outlives the windows (OLE).
    void exitInstance();

    ListFont& listFont() { return listFont_; }
    SettingsFile& settings() { return settings_; }
    KeyAssignTable& keyTable() { return keyTable_; }
    DriveFolderTable& driveFolders() { return driveFolders_; }

protected:
    const MessageMap* messageMap() const override;
    void onAppAbout();
    void onAppExit();
    void onFileNewCommand();
    void onFileOpen();

private:
    ListFont listFont_;
    SettingsFile settings_;
    KeyAssignTable keyTable_;
    DriveFolderTable driveFolders_;
    bool oleInitialized_ = false;
};

// The settings of the running program.
SettingsFile& settings();
