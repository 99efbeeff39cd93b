#include "find/FolderSearch.h"
#include "common/DetachedThread.h"
#include "common/FolderRecords.h"
#include "common/ItemName.h"
#include "common/VisibleName.h"
#include "common/PathUtil.h"
#include "common/ReparseTag.h"
#include "common/ResolvedPath.h"
#include "find/ContentMatch.h"
#include "find/ReadAhead.h"
#include "framework/Handles.h"
#include <algorithm>

namespace {
// A batch goes to the pane at this many entries or after this long, whichever comes first: few
// messages on a fast walk, and the first result on screen at once on a slow one.
constexpr int kBatchEntries = 4096;
constexpr ULONGLONG kBatchWait = 20;
// Pieces small enough that a file of a megabyte is read in several, each read while the one
// before is matched.
constexpr size_t kContentPiece = 256 * 1024;
}  // namespace

struct FolderSearch::ContentSearch {
    ContentPattern pattern;
    ReadAhead reader;
    ContentSearch(const FindQuery& query)
        : pattern(query.text, query.matchCase, query.encodings), reader(kContentPiece) {}
};

FolderSearch::FolderSearch(FindQuery query)
    : query_(std::move(query)), base_(literalPath(ensureTrailingBackslash(query_.folder))) {
    if (!query_.text.empty()) content_ = std::make_shared<ContentSearch>(query_);
}

std::shared_ptr<FolderSearch> FolderSearch::start(FindQuery query, Note note) {
    std::shared_ptr<FolderSearch> search(new FolderSearch(std::move(query)));
    search->note_ = std::move(note);
    if (!runDetached([search] { search->run(); })) return nullptr;
    return search;
}

void FolderSearch::run() {
    std::vector<Pending> stack{{std::wstring(), std::wstring()}};
    batchSince_ = GetTickCount64();
    while (!stack.empty() && !cancelled_) {
        const Pending folder = std::move(stack.back());
        stack.pop_back();
        searchFolder(folder, stack);
    }
    handOver(true);
    finished_ = true;
    if (note_) note_();
}

void FolderSearch::searchFolder(const Pending& folder, std::vector<Pending>& stack) {
    const std::wstring& relative = folder.relative;
    // The folder searched keeps its backslash: a drive root is only its root with it.
    const std::wstring path = relative.empty() ? base_ : base_ + relative;
    UniqueHandle handle(openFolderForListing(path));
    if (!handle) {
        fail(relative, GetLastError(), true);
        ++folders_;
        return;
    }
    // The open that lists the folder tells where it resolves too. A link the platform does not
    // mark resolves elsewhere than its own place: it is listed as itself already, and not entered.
    const std::wstring resolved = withoutTrailingBackslash(finalPathOf(handle.get()));
    if (!folder.expected.empty() && (resolved.empty() || !resolvesToItsOwnPlace(path, resolved, folder.expected)))
        return;
    const std::wstring prefix = relative.empty() ? relative : relative + L'\\';
    const size_t pushedBefore = stack.size();
    const auto each = [&](const FolderRecord& record) {
        if (cancelled_) return;
        const std::wstring name = prefix + std::wstring(record.name);
        // The listing's tag field is not filled in everywhere: ask the item's own record then.
        const DWORD tag = (record.attributes & FILE_ATTRIBUTE_REPARSE_POINT) && !record.tag
                              ? reparseTagOf(base_ + name)
                              : record.tag;
        const bool hiddenOut = !query_.hiddenAndSystem &&
                               (record.attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
        // A folder that cannot be resolved is not entered: where its subfolders lead cannot be checked.
        if ((record.attributes & FILE_ATTRIBUTE_DIRECTORY) && query_.subfolders && !hiddenOut &&
            !marksALink(record.attributes, tag) && !resolved.empty())
            stack.push_back({name, ensureTrailingBackslash(resolved) + std::wstring(record.name)});
        consider(record, tag, name);
    };
    DWORD error = 0;
    FolderListing listed = records_.list(handle.get(), cancelled_, each, error);
    if (listed == FolderListing::NotSupported)
        listed = listFolderByName(ensureTrailingBackslash(path), cancelled_, each, error);
    if (listed == FolderListing::Failed) fail(relative, error, true);
    // Subfolders are searched in the order they were listed.
    std::reverse(stack.begin() + static_cast<ptrdiff_t>(pushedBefore), stack.end());
    ++folders_;
    handOver(false);
}

void FolderSearch::consider(const FolderRecord& record, DWORD tag, const std::wstring& relativeName) {
    if (!anyMaskMatches(query_.masks, record.name)) return;
    WIN32_FIND_DATAW data = record.findData();
    data.dwReserved0 = tag;
    if (!passesLimits(query_, data)) return;
    if (content_) {
        // A link to a file is listed as itself: what it leads to is never read.
        if (marksALink(record.attributes, tag)) return;
        DWORD error = 0;
        const ContentAnswer answer =
            fileContains(base_ + relativeName, content_->pattern, cancelled_, content_->reader, error);
        if (answer == ContentAnswer::Unreadable) fail(relativeName, error, false);
        if (answer != ContentAnswer::Found) return;
    }
    batch_.appendNamed(data, relativeName);
    ++batchCount_;
    if (++found_ == 1) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        firstFoundAt_ = now.QuadPart;
    }
    handOver(false);
}

void FolderSearch::handOver(bool now) {
    if (batchCount_ == 0) return;
    const ULONGLONG tick = GetTickCount64();
    if (!now && batchCount_ < kBatchEntries && tick - batchSince_ < kBatchWait && found_ > batchCount_) return;
    bool tell = false;
    {
        const std::lock_guard lock(mutex_);
        waiting_.takeAll(std::move(batch_));
        tell = !std::exchange(told_, true);
    }
    batch_ = FileList();
    batchCount_ = 0;
    batchSince_ = tick;
    // The end has a note of its own.
    if (tell && !now && note_) note_();
}

FileList FolderSearch::takeFound() {
    const std::lock_guard lock(mutex_);
    told_ = false;
    return std::exchange(waiting_, FileList());
}

void FolderSearch::fail(const std::wstring& relative, DWORD error, bool folder) {
    const std::lock_guard lock(mutex_);
    failures_.push_back({ensureTrailingBackslash(query_.folder) + relative, error, folder});
}

std::vector<SearchFailure> FolderSearch::failures() const {
    const std::lock_guard lock(mutex_);
    return failures_;
}

std::wstring failureReport(const std::vector<SearchFailure>& failures) {
    if (failures.empty()) return {};
    constexpr size_t kNamed = 10;
    size_t folders = 0;
    for (const SearchFailure& failure : failures) folders += failure.folder ? 1 : 0;
    std::wstring text = L"検索できなかった項目があります (フォルダ " + std::to_wstring(folders) + L" 個、ファイル " +
                        std::to_wstring(failures.size() - folders) + L" 個)。\n";
    for (size_t i = 0; i < failures.size() && i < kNamed; ++i) {
        const SearchFailure& failure = failures[i];
        text += L"\n" + visibleName(failure.path) + L"\n    " + systemErrorText(failure.error);
    }
    if (failures.size() > kNamed) text += L"\n\nほか " + std::to_wstring(failures.size() - kNamed) + L" 個";
    return text;
}
