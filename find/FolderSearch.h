// One search through a folder tree on a thread of its own. What it finds is handed over in
// batches, as a listing whose names are paths from the folder searched; the pane takes each batch
// when its note comes. It never enters a link: a junction, a symbolic link or a mount point is
// judged and listed as itself.
#pragma once
#include "common/FolderRecords.h"
#include "find/FindQuery.h"
#include "listing/FileList.h"
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// An item the search could not look into, with the platform's reason.
struct SearchFailure {
    std::wstring path;
    DWORD error;
    bool folder;  // a folder that could not be listed; else a file that could not be read
};

class FolderSearch {
public:
    // Runs on the search thread when a batch waits that the pane has not been told of, and once
    // when the search has ended. It must only tell the pane (a posted message).
    using Note = std::function<void()>;

    // Null when no thread could be had.
    static std::shared_ptr<FolderSearch> start(FindQuery query, Note note);

    // The thread stops at the next entry (or the next piece of a file it reads).
    void cancel() { cancelled_ = true; }
    bool cancelled() const { return cancelled_.load(); }
    bool finished() const { return finished_.load(); }
    const FindQuery& query() const { return query_; }
    int foldersSearched() const { return folders_.load(); }
    int found() const { return found_.load(); }
    // The performance counter when the first entry was found, 0 before: how soon the pane shows it
    // is measured from here.
    int64_t firstFoundAt() const { return firstFoundAt_.load(); }

    // What was found since the last take.
    FileList takeFound();
    // Once finished: what could not be searched.
    std::vector<SearchFailure> failures() const;

private:
    explicit FolderSearch(FindQuery query);
    void run();
    // A folder still to search: its path from the folder searched, and where it resolves when it
    // is no link (its parent's resolved path and its name; empty for the folder searched).
    struct Pending {
        std::wstring relative, expected;
    };
    void searchFolder(const Pending& folder, std::vector<Pending>& stack);
    void consider(const FolderRecord& record, DWORD tag, const std::wstring& relativeName);
    void fail(const std::wstring& relative, DWORD error, bool folder);
    // Hands the batch over when it is big enough or has waited long enough; `now` hands it over anyway.
    void handOver(bool now);

    const FindQuery query_;
    const std::wstring base_;  // the folder searched, literal form, with a backslash
    Note note_;
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> finished_{false};
    std::atomic<int> folders_{0};
    std::atomic<int> found_{0};
    std::atomic<int64_t> firstFoundAt_{0};
    // The thread's own: the listing's room, the batch being gathered, the matcher and its read buffer.
    FolderRecords records_;
    FileList batch_;
    int batchCount_ = 0;
    ULONGLONG batchSince_ = 0;
    struct ContentSearch;
    std::shared_ptr<ContentSearch> content_;

    mutable std::mutex mutex_;
    FileList waiting_;         // handed over, not yet taken
    bool told_ = false;        // the pane has a note for what is waiting
    std::vector<SearchFailure> failures_;
};

// The end message of a search that could not look into everything: how many folders and files,
// the first of them by path with the platform's reason. Empty when nothing failed.
std::wstring failureReport(const std::vector<SearchFailure>& failures);
