// The application object: message loop with pre-translation and idle updates, the profile
// (settings) file, and the last stop of command routing.
#pragma once
#include "framework/CommandTarget.h"
#include <string>
#include <vector>

class Window;
class DocTemplate;

class Application : public CommandTarget {
public:
    Application();
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application* instance() { return instance_; }

    virtual bool InitInstance() = 0;
    // Runs the message loop until WM_QUIT; returns its exit code.
    int run();
    // Handles one message if there is one; false when the queue was empty or WM_QUIT arrived.
    bool pumpMessage();
    // Idle work: command-state updates of the main window's bars.
    virtual void onIdle();

    Window* mainWindow() const { return mainWindow_; }
    void setMainWindow(Window* window) { mainWindow_ = window; }

    // Modeless dialogs get IsDialogMessage in the loop so Tab and Enter work in them.
    void addModeless(HWND dialog);
    void removeModeless(HWND dialog);

    // The profile file: every profile read and write of the program goes to this INI file.
    void setProfilePath(std::wstring path) { profilePath_ = std::move(path); }
    const std::wstring& profilePath() const { return profilePath_; }
    int getProfileInt(const wchar_t* section, const wchar_t* key, int defaultValue) const;
    // The whole value however long (see readProfileText).
    std::wstring getProfileString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue = L"") const;
    // A null value deletes the key; a null key deletes the whole section.
    bool writeProfileString(const wchar_t* section, const wchar_t* key, const wchar_t* value) const;
    bool writeProfileInt(const wchar_t* section, const wchar_t* key, int value) const;

    // The document template (single document); the application owns it.
    void addDocTemplate(DocTemplate* docTemplate);
    DocTemplate* docTemplate() const { return docTemplate_; }
    // Standard command-line handling: any command line opens a new empty document and its frame.
    bool processShellCommand();

    void onFileNew();

protected:
    bool PreTranslateMessage(MSG& msg);

private:
    // IsDialogMessage of the modeless dialogs that are child windows, or of those that are not.
    bool dialogMessage(MSG& msg, bool childDialogs);
    bool windowsPreTranslate(MSG& msg);

    static Application* instance_;
    Window* mainWindow_ = nullptr;
    DocTemplate* docTemplate_ = nullptr;
    std::vector<HWND> modeless_;
    std::wstring profilePath_;
    bool idlePending_ = true;
};
