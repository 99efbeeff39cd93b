#include "app/SettingsDialog.h"
#include "framework/DataExchange.h"
#include "folders/FolderBrowser.h"
#include "launch/ProgramCommand.h"
#include "resource.h"
#include <commctrl.h>
#include <commdlg.h>

namespace {
constexpr int kMinWidth = 4, kMaxWidth = 10;

constexpr wchar_t kTimeFormatHelp[] =
    L"%Y 4桁の西暦\n%y 2桁の西暦\n%m 月(01～12)\n%d 日付(01～31)\n%H 時間(00～23)\n%M 分(00～59)\n%S 秒(00～59)";
constexpr wchar_t kMacroHelp[] =
    L"$Dドライブ $M連続\n$Pフォルダ $A全て\n$Cファイル $R実行時\nf フルパス\nx 拡張子なし\ns 短い形式\nq \"～\"で括る\n";

// The colour chooser's custom slots, kept for the whole run of the program.
COLORREF customColours[16] = {};
}  // namespace

ProgramChoice programChoiceFor(const std::wstring& programPath) {
    const StoredCommand command = commandForProgram(programPath);
    return {command.commandLine, command.folder};
}

SettingsDialog::SettingsDialog(SettingsFile& settings)
    : Dialog(IDD_SETTINGS),
      colours{settings.backColor,     settings.dirColor,    settings.hideColor,
              settings.readOnlyColor, settings.systemColor, settings.normalColor},
      timeFormat(settings.timeFormat),
      sizeWidth(settings.fileSizeCols),
      showAttributes(settings.fileAttributes),
      viewerMacro(settings.viewerMacro),
      viewerDir(settings.viewerDir),
      editorMacro(settings.editorMacro),
      editorDir(settings.editorDir),
      settings_(settings),
      storedWidth_(settings.fileSizeCols) {}

const MessageMap* SettingsDialog::messageMap() const {
    static const MessageEntry entries[] = {
        onCommandRange<IDC_COLOR_BACK, IDC_COLOR_NORMAL, &SettingsDialog::pickColour>(),
        onCommand<IDC_SETTINGS_VIEWER_PICK, &SettingsDialog::pickProgram>(),
        onCommand<IDC_SETTINGS_EDITOR_PICK, &SettingsDialog::pickProgram>(),
        onCommand<IDC_SETTINGS_VIEWER_DIR_PICK, &SettingsDialog::pickFolder>(),
        onCommand<IDC_SETTINGS_EDITOR_DIR_PICK, &SettingsDialog::pickFolder>(),
        onControl<EN_SETFOCUS, IDC_SETTINGS_TIME_FORMAT, &SettingsDialog::onHelpFieldFocus>(),
        onControl<EN_KILLFOCUS, IDC_SETTINGS_TIME_FORMAT, &SettingsDialog::onHelpFieldFocus>(),
        onControl<EN_SETFOCUS, IDC_SETTINGS_VIEWER, &SettingsDialog::onHelpFieldFocus>(),
        onControl<EN_KILLFOCUS, IDC_SETTINGS_VIEWER, &SettingsDialog::onHelpFieldFocus>(),
        onControl<EN_SETFOCUS, IDC_SETTINGS_EDITOR, &SettingsDialog::onHelpFieldFocus>(),
        onControl<EN_KILLFOCUS, IDC_SETTINGS_EDITOR, &SettingsDialog::onHelpFieldFocus>(),
    };
    static const MessageMap map{Dialog::messageMap(), entries};
    return &map;
}

bool SettingsDialog::onInitDialog() {
    // The arrows stay within the widths OK accepts, so they never offer a value that is refused.
    // Only the range is set, and before the fields are filled: setting a position would clamp a
    // stored width outside the range, and OK would then write a value the user never chose.
    SendDlgItemMessageW(hwnd_, IDC_SETTINGS_SIZE_SPIN, UDM_SETRANGE32, kMinWidth, kMaxWidth);
    return Dialog::onInitDialog();
}

void SettingsDialog::doDataExchange(DataExchange& dx) {
    dx.check(IDC_SETTINGS_ATTRIBUTES, showAttributes);
    dx.integer(IDC_SETTINGS_SIZE_WIDTH, sizeWidth);
    // The stored width passes as it is, in range or not (0 hides the column): only a new one is checked.
    if (sizeWidth != storedWidth_) dx.range(IDC_SETTINGS_SIZE_WIDTH, sizeWidth, kMinWidth, kMaxWidth);
    dx.text(IDC_SETTINGS_TIME_FORMAT, timeFormat);
    dx.text(IDC_SETTINGS_VIEWER, viewerMacro);
    dx.text(IDC_SETTINGS_VIEWER_DIR, viewerDir);
    dx.text(IDC_SETTINGS_EDITOR, editorMacro);
    dx.text(IDC_SETTINGS_EDITOR_DIR, editorDir);
    dx.text(IDC_SETTINGS_HELP, help);
}

void SettingsDialog::onHelpFieldFocus() {
    if (showingHelp_) return;
    showingHelp_ = true;
    if (updateData(true)) {
        const HWND focus = GetFocus();
        const int id = focus && GetParent(focus) == hwnd_ ? GetDlgCtrlID(focus) : 0;
        if (id == IDC_SETTINGS_TIME_FORMAT) help = kTimeFormatHelp;
        else if (id == IDC_SETTINGS_VIEWER || id == IDC_SETTINGS_EDITOR) help = kMacroHelp;
        else help.clear();
        updateData(false);
    }
    showingHelp_ = false;
}

void SettingsDialog::pickColour(UINT id) {
    COLORREF& colour = colours[id - IDC_COLOR_BACK];
    std::copy(colours.begin(), colours.end(), customColours);
    CHOOSECOLORW chooser{};
    chooser.lStructSize = sizeof(chooser);
    chooser.hwndOwner = hwnd_;
    chooser.rgbResult = colour;
    chooser.lpCustColors = customColours;
    chooser.Flags = CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT;
    if (ChooseColorW(&chooser)) colour = chooser.rgbResult;
}

void SettingsDialog::pickProgram(UINT id) {
    if (!updateData(true)) return;
    const std::wstring path = ::pickProgram(hwnd_);
    if (path.empty()) return;
    const ProgramChoice choice = programChoiceFor(path);
    const bool viewer = id == IDC_SETTINGS_VIEWER_PICK;
    (viewer ? viewerMacro : editorMacro) = choice.commandLine;
    (viewer ? viewerDir : editorDir) = choice.folder;
    updateData(false);
}

void SettingsDialog::pickFolder(UINT id) {
    if (!updateData(true)) return;
    std::wstring& folder = id == IDC_SETTINGS_VIEWER_DIR_PICK ? viewerDir : editorDir;
    browseForFolder(hwnd_, folder);
    updateData(false);
}

void SettingsDialog::onOK() {
    if (!updateData(true)) return;
    SettingsFile& s = settings_;
    COLORREF* colourMembers[] = {&s.backColor, &s.dirColor, &s.hideColor, &s.readOnlyColor, &s.systemColor, &s.normalColor};
    static const wchar_t* const kColourKeys[] = {L"Back", L"Dir", L"Hide", L"ReadOnly", L"System", L"Normal"};
    for (size_t i = 0; i < colours.size(); ++i) {
        *colourMembers[i] = colours[i];
        s.writeHex(L"Color", kColourKeys[i], colours[i]);
    }
    const auto storeText = [&](std::wstring& stored, const std::wstring& value, const wchar_t* section,
                               const wchar_t* key) {
        stored = value;
        s.writeString(section, key, value);
    };
    const auto storeNumber = [&](int& stored, int value, const wchar_t* key) {
        stored = value;
        s.writeInt(L"Disp", key, value);
    };
    storeText(s.timeFormat, timeFormat, L"Disp", L"TimeFormat");
    storeNumber(s.fileSizeCols, sizeWidth, L"FileSizeCols");
    storeNumber(s.fileAttributes, showAttributes, L"FileAttributes");
    storeText(s.viewerMacro, viewerMacro, L"Exec", L"ViewerMacro");
    storeText(s.viewerDir, viewerDir, L"Exec", L"ViewerDir");
    storeText(s.editorMacro, editorMacro, L"Exec", L"EditorMacro");
    storeText(s.editorDir, editorDir, L"Exec", L"EditorDir");
    endDialog(IDOK);
}
