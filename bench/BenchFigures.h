// The groups of figures the benchmark prints, and what they are run with.
#pragma once
#include <string>

struct BenchOptions {
    std::wstring dataRoot;      // holds the folders of BenchFolders.h and all else the benchmark writes
    std::wstring programPath;   // Vantor.exe, for the start-up figures
    std::wstring settingsPath;  // a settings file of the benchmark's own
    std::string filter;         // only figures whose name contains it; empty for all

    bool wants(const std::string& figure) const { return filter.empty() || figure.find(filter) != std::string::npos; }
};

void runListingFigures(const BenchOptions& options);
void runWindowFigures(const BenchOptions& options);
void runStartUpFigures(const BenchOptions& options);
void runCopyFigures(const BenchOptions& options);
void runFileJobFigures(const BenchOptions& options);
// Runs the message loop until the file jobs in existence are `before` again.
void waitForJobs(int before);
// Loads `folder` in a fresh process and prints what the listing holds in memory, with the goal for
// the bytes per entry after loading when `goalBytes` is above 0.
void runMemoryFigure(const std::wstring& folder, const std::wstring& warmFolder, const std::wstring& settingsPath,
                     double goalBytes);
void runStormFigures(const BenchOptions& options);
void runFindFigures(const BenchOptions& options);
// Searches `folder` for every name in a fresh process and prints the memory the results take.
void runFindMemoryFigure(const std::wstring& folder);
// Runs this program again with `arguments` (a figure of its own in a fresh process) and waits for it.
void runBenchChild(const std::wstring& arguments);
// Folder sizes of a tree against a raw recursive walk, and the two panes' compare of 100,000 entries.
void runSizeCompareFigures(const BenchOptions& options);
void runMillionWindowFigures(const BenchOptions& options);
// The first search result on screen, and keys answered while a search or the folder sizes run.
void runToolWindowFigures(const BenchOptions& options);
