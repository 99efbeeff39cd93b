#include "app/VantorApp.h"
#include "app/AboutDialog.h"
#include "app/MainFrame.h"
#include "app/VantorDoc.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "resource.h"
#include <commctrl.h>
#include <commdlg.h>
#include <ole2.h>

SettingsFile& settings() { return CVantorApp::instance()->settings(); }

CVantorApp::CVantorApp(std::wstring settingsPath) {
    settings_.path = std::move(settingsPath);
    createSettingsFileIfMissing(settings_.path);
}

CVantorApp::~CVantorApp() { exitInstance(); }

const MessageMap* CVantorApp::messageMap() const {
    static const MessageEntry entries[] = {
        onCommand<ID_APP_ABOUT, &CVantorApp::onAppAbout>(),
        onCommand<ID_APP_EXIT, &CVantorApp::onAppExit>(),
        onCommand<ID_FILE_NEW, &CVantorApp::onFileNewCommand>(),
        onCommand<ID_FILE_OPEN, &CVantorApp::onFileOpen>(),
    };
    static const MessageMap map{Application::messageMap(), entries};
    return &map;
}

bool CVantorApp::InitInstance() {
    // A drive without a medium (a drive key, a folder on it) fails quietly like any missing folder
    // instead of raising the system's critical-error box.
    SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS);
    // OLE carries the panes' drag and drop; without it the program cannot work and ends silently.
    if (FAILED(OleInitialize(nullptr))) return false;
    oleInitialized_ = true;

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    setProfilePath(settings_.path);
    settings_.load();
    listFont_.load();
    keyTable_.load();

    addDocTemplate(new DocTemplate(
        IDR_MAINFRAME, [] { return std::make_unique<CVantorDoc>(); }, [] { return std::make_unique<CMainFrame>(); }));
    if (!processShellCommand()) return false;

    // Always the plain "show" state, whatever state the program was started with.
    HWND main = mainWindow()->hwnd();
    ShowWindow(main, SW_SHOW);
    UpdateWindow(main);
    return true;
}

void CVantorApp::exitInstance() {
    if (oleInitialized_) {
        OleUninitialize();
        oleInitialized_ = false;
    }
}

void CVantorApp::onAppAbout() {
    AboutDialog about;
    about.doModal(mainWindow() ? mainWindow()->hwnd() : nullptr);
}

void CVantorApp::onAppExit() {
    if (mainWindow()) PostMessageW(mainWindow()->hwnd(), WM_CLOSE, 0, 0);
}

void CVantorApp::onFileNewCommand() { onFileNew(); }

// The document keeps no data, so opening a file only starts a fresh document titled after it.
void CVantorApp::onFileOpen() {
    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW ofn{sizeof(ofn)};
    ofn.hwndOwner = mainWindow() ? mainWindow()->hwnd() : nullptr;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&ofn)) return;
    onFileNew();
    if (DocTemplate* t = docTemplate(); t && t->document()) t->document()->setTitle(file + ofn.nFileOffset);
}
