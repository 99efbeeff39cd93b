// Starting programs from the pane: the editor and viewer, the associated program, the properties,
// the command interpreter and command lines from the command dialog or a key binding.
#include "common/PathUtil.h"
#include "common/SettingsFile.h"
#include "folders/FolderBrowser.h"
#include "launch/CommandDialog.h"
#include "launch/CommandHistory.h"
#include "launch/Launcher.h"
#include "launch/ShellVerb.h"
#include "launch/StoredCommand.h"
#include "pane/PaneOwner.h"
#include "pane/VantorView.h"
#include "resource.h"

// The commands this file handles: starting programs.
std::span<const MessageEntry> CVantorView::launchCommands() {
    static const MessageEntry entries[] = {
        onCommand<ID_FILE_OPEN_APP, &CVantorView::onFileOpenApp>(),
        onCommandRange<ID_FILE_EDIT, ID_FILE_VIEW, &CVantorView::onFileViewOrEdit>(),
        onCommand<ID_FILE_PROPERTY, &CVantorView::onFileProperty>(),
        onCommand<ID_MACRO, &CVantorView::onMacro>(),
        onCommand<ID_MACRO_DOS, &CVantorView::onMacroDos>(),
    };
    return entries;
}

MacroScene CVantorView::macroScene() const {
    MacroScene scene;
    scene.folder = folder();
    const CVantorView* other = otherPane();
    scene.otherFolder = other ? other->folder() : folder();
    if (const FileEntry* cursor = listing_.cursorEntry()) scene.cursor = MacroEntry{cursor->name(), cursor->isParent()};
    for (const FileEntry* target : collectTargets()) scene.targets.emplace_back(target->name());
    // A search's result lies below the pane's folder: "$P" and "$C" take its own folder and name.
    if (listing_.showsResults() && scene.cursor) {
        const std::optional<SplitPath> split = splitPath(ensureTrailingBackslash(scene.folder) + scene.cursor->name);
        if (split) {
            scene.targetFolder = scene.folder;
            scene.folder = split->folder.size() > 3 ? split->folder.substr(0, split->folder.size() - 1) : split->folder;
            scene.cursor->name = split->name;
        }
    }
    return scene;
}

void CVantorView::launch(const std::wstring& macro, const std::wstring& startFolder) {
    ::launch(hwnd_, macro, startFolder, macroScene());
}

void CVantorView::openWithShell(const FileEntry& entry, const wchar_t* verb) {
    if (entry.isFolder()) {
        changeFolder(entry.name(), true);
        return;
    }
    // The full path: the process's current folder is never the pane's, so a bare name could name another file.
    runShellVerb(hwnd_, verb, ensureTrailingBackslash(folder()) + entry.name(), folder());
}

void CVantorView::onFileOpenApp() {
    if (const FileEntry* entry = listing_.cursorEntry()) openWithShell(*entry, L"open");
}

void CVantorView::onFileViewOrEdit(UINT id) {
    const FileEntry* entry = listing_.cursorEntry();
    if (!entry) return;
    if (entry->isFolder()) {
        changeFolder(entry->name(), true);
        return;
    }
    if (!owner()) return;
    const SettingsFile& values = owner()->paneSettings();
    if (id == ID_FILE_EDIT) launch(values.editorMacro, values.editorDir);
    else launch(values.viewerMacro, values.viewerDir);
}

void CVantorView::onFileProperty() {
    const FileEntry* entry = listing_.cursorEntry();
    if (!entry || entry->isParent()) return;
    runShellVerb(hwnd_, L"properties", ensureTrailingBackslash(folder()) + entry->name(), folder());
}

void CVantorView::onMacro() {
    CommandHistory history;
    CommandDialog dialog(history, &browseForFolder);
    if (dialog.doModal(hwnd_) == IDOK) launch(dialog.commandLine, dialog.startFolder);
}

void CVantorView::onMacroParameter(const std::wstring& parameter) {
    const StoredCommand command = splitStoredCommand(parameter);
    launch(command.commandLine, command.folder);
}

// Without "ComSpec" there is no command interpreter to name, and guessing one could start another program.
void CVantorView::onMacroDos() {
    if (const std::optional<std::wstring> interpreter = commandInterpreter()) launch(*interpreter, folder());
}
