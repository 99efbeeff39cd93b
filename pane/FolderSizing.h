// The sizes of a pane's folders, computed on a thread of its own: the pane hands over the names,
// keeps answering keys, and takes each folder's figure as it comes. Escape stops the run.
#pragma once
#include "fileops/FolderSize.h"
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

struct SizedFolder {
    std::wstring name;
    FolderTally tally;
};

class FolderSizing {
public:
    FolderSizing();
    // Stops a run still going (its thread ends on its own; its figures are dropped).
    ~FolderSizing() { stop(); }
    FolderSizing(const FolderSizing&) = delete;
    FolderSizing& operator=(const FolderSizing&) = delete;

    // Sizes the folders `names` of `folder` in turn; `message` is posted to `window` when figures are
    // in (at most one note waits) and once more at the end. A run under way is stopped first. False
    // when no thread could be had.
    bool start(HWND window, UINT message, const std::wstring& folder, std::vector<std::wstring> names);
    void stop();
    // Whether a run's thread still works.
    bool running() const;
    // The figures in since the last take, for the folder of the current run (none after stop).
    std::vector<SizedFolder> take();
    const std::wstring& folder() const { return folder_; }

    struct State;

private:
    std::shared_ptr<State> state_;
    std::wstring folder_;
};
