#include "fileops/ConflictDialog.h"
#include "common/PathUtil.h"
#include "common/ResolvedPath.h"
#include "common/VisibleName.h"
#include "common/SizeFormat.h"
#include "framework/MessageBox.h"
#include "resource.h"
#include <cwchar>

namespace {
const int kFileChoices[] = {IDC_CONFLICT_OVERWRITE, IDC_CONFLICT_ONLY_NEWER, IDC_CONFLICT_RENAME, IDC_CONFLICT_SKIP, 0};
const int kFolderChoices[] = {IDC_CONFLICT_OVERWRITE, IDC_CONFLICT_DELETE, IDC_CONFLICT_RENAME, IDC_CONFLICT_SKIP, 0};
}  // namespace

std::wstring conflictLineText(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    SYSTEMTIME time{};
    FILETIME local{};
    if (!GetFileAttributesExW(literalPath(path).c_str(), GetFileExInfoStandard, &data) ||
        !FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &time))
        return std::wstring(20 + 11, L' ') + L"byte";
    wchar_t stamp[32];
    swprintf(stamp, 32, L"%04u/%02u/%02u %02u:%02u:%02u ", time.wYear, time.wMonth, time.wDay, time.wHour,
             time.wMinute, time.wSecond);
    const uint64_t size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return stamp + formatSizeCell(11, size) + L"byte";
}

ConflictDialog* ConflictDialog::newestOpen_ = nullptr;

ConflictDialog::ConflictDialog(Kind kind, ConflictDecision& decision)
    : Dialog(kind == kFile ? IDD_CONFLICT_FILE : IDD_CONFLICT_FOLDER), kind_(kind), decision_(decision) {}

ConflictDialog::~ConflictDialog() {
    for (ConflictDialog** link = &newestOpen_; *link; link = &(*link)->olderOpen_) {
        if (*link == this) {
            *link = olderOpen_;
            break;
        }
    }
}

HWND ConflictDialog::openQuestion() {
    for (const ConflictDialog* question = newestOpen_; question; question = question->olderOpen_)
        if (question->hwnd()) return question->hwnd();
    return nullptr;
}

const MessageMap* ConflictDialog::messageMap() const {
    static const MessageEntry entries[] = {
        onCommand<IDC_CONFLICT_ALL, &ConflictDialog::onApplyToAll>(),
        onControl<EN_CHANGE, IDC_CONFLICT_NAME, &ConflictDialog::onNameChanged>(),
    };
    static const MessageMap map{Dialog::messageMap(), entries};
    return &map;
}

const int* ConflictDialog::choices() const { return kind_ == kFile ? kFileChoices : kFolderChoices; }

bool ConflictDialog::onInitDialog() {
    Dialog::onInitDialog();
    olderOpen_ = newestOpen_;
    newestOpen_ = this;
    // Time and size have lines of their own: behind a long path they would be out of sight.
    setItemText(IDC_JOB_SOURCE, visibleName(decision_.source));
    setItemText(IDC_CONFLICT_SOURCE_STAMP, conflictLineText(decision_.source));
    setItemText(IDC_JOB_TARGET, visibleName(decision_.target));
    setItemText(IDC_CONFLICT_TARGET_STAMP, conflictLineText(decision_.target));
    // The name first: setting it counts as typing one, which selects rename. It is the real name,
    // the one the user edits, not the name as shown.
    setItemText(IDC_CONFLICT_NAME, decision_.newName);
    const int current = kind_ == kFile ? decision_.fileDecision : decision_.folderDecision;
    for (const int* id = choices(); *id; ++id) CheckDlgButton(hwnd_, *id, *id == current ? BST_CHECKED : BST_UNCHECKED);
    return true;
}

void ConflictDialog::readAnswer() {
    decision_.newName = itemText(IDC_CONFLICT_NAME);
    int& decision = kind_ == kFile ? decision_.fileDecision : decision_.folderDecision;
    for (const int* id = choices(); *id; ++id)
        if (IsDlgButtonChecked(hwnd_, *id) == BST_CHECKED) decision = *id;
}

bool ConflictDialog::refusesAnswer() {
    if (kind_ != kFolder) return false;
    const bool deletes = IsDlgButtonChecked(hwnd_, IDC_CONFLICT_DELETE) == BST_CHECKED;
    const bool merges = IsDlgButtonChecked(hwnd_, IDC_CONFLICT_OVERWRITE) == BST_CHECKED;
    if (!deletes && !merges) return false;
    // Deleting the target, or merging into it, when it is the source or holds it (or lies inside
    // it) would destroy the source or transfer it into itself.
    if (!isSameOrInsideItem(decision_.source, decision_.target) && !isSameOrInsideItem(decision_.target, decision_.source))
        return false;
    showMessageBox(hwnd_, L"転送先のフォルダが転送元と重なっているため、削除も上書きもできません",
                   MB_ICONEXCLAMATION | MB_OK);
    return true;
}

void ConflictDialog::onOK() {
    if (refusesAnswer()) return;
    readAnswer();
    endDialog(IDOK);
}

void ConflictDialog::onApplyToAll() {
    if (refusesAnswer()) return;
    readAnswer();
    (kind_ == kFile ? decision_.fileApplyToAll : decision_.folderApplyToAll) = 1;
    endDialog(IDOK);
}

void ConflictDialog::onNameChanged() {
    for (const int* id = choices(); *id; ++id)
        CheckDlgButton(hwnd_, *id, *id == IDC_CONFLICT_RENAME ? BST_CHECKED : BST_UNCHECKED);
}
