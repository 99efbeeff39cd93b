// Figures of the listing without a window: reading, re-reading and sorting a folder, and the
// memory a listing of 100,000 and of 1,000,000 entries holds.
#include "bench/BenchClock.h"
#include "bench/BenchFigures.h"
#include "bench/BenchFolders.h"
#include "framework/Application.h"
#include "listing/PaneListing.h"
#include <psapi.h>
#include <cstdio>

namespace {
class BenchApp : public Application {
public:
    bool InitInstance() override { return true; }
};

// A pane without a window: nothing to draw, no watcher.
class NoWindow : public PaneHost {
public:
    void watchFolder(const std::wstring&) override {}
    void rearmWatcher() override {}
    void updateScrollRange() override {}
    void ensureCursorVisible(bool) override {}
    void repaintAll() override {}
    void redrawLines(std::span<const int>) override {}
    LineRange linesOnScreen() const override { return {0, 40}; }
    void redrawHeader() override {}
    FolderRead::DoneNote readDoneNote() override { return {}; }
};

std::string withLabel(std::string figure, const BenchFolder& folder) {
    if (!folder.label.empty()) figure.append(" (").append(folder.label).append(")");
    return figure;
}

// The goals of a listing of 1,000,000 entries.
constexpr double kMillionLoadRatio = 1.1;  // reading it, against one raw pass
constexpr double kMillionSortMs = 150;     // any sort type

void markEveryOther(PaneListing& listing) {
    for (int i = 0; i < listing.list().size(); i += 2) listing.list().setMark(i, MarkMode::Mark);
}

size_t workingSet() {
    PROCESS_MEMORY_COUNTERS counters{sizeof(counters)};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.WorkingSetSize;
}

size_t peakWorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{sizeof(counters)};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize;
}

// Under Wine the process is a Linux process whose peak resident size can be started afresh, so
// the peak of one operation can be read on its own.
bool resetPeakWorkingSet() {
    HANDLE file = CreateFileW(L"Z:\\proc\\self\\clear_refs", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, "5", 1, &written, nullptr) && written == 1;
    CloseHandle(file);
    return ok;
}
}  // namespace

void runListingFigures(const BenchOptions& options) {
    BenchApp app;
    app.setProfilePath(options.settingsPath);
    NoWindow host;
    for (const BenchFolder& folder : benchFolders(options.dataRoot)) {
        PaneListing listing(host, 0);
        listing.setFolder(folder.path);
        const bool million = folder.entries >= 1000000;
        if (options.wants("loadFolder")) {
            const Comparison t = compareWithRawPass(folder.path, [&] { listing.loadFolder(); }, {}, folder.rounds);
            printFigure(withLabel("loadFolder", folder), listing.count() - 1, t,
                        million ? goalRemark(t.ratio, kMillionLoadRatio, "x raw") : "");
        }
        if (options.wants("raw *.txt")) {
            const Comparison t = compareWithRawPass(folder.path, [&] { rawPass(folder.path, L"*.txt"); }, {}, folder.rounds);
            printFigure(withLabel("raw *.txt pass", folder), folder.entries, t);
        }
        if (options.wants("loadFolder *.txt")) {
            listing.setMask(L"*.txt");
            const Comparison t = compareWithRawPass(folder.path, [&] { listing.loadFolder(); }, {}, folder.rounds);
            printFigure(withLabel("loadFolder *.txt", folder), listing.count() - 1, t,
                        countRemark(listing.count() - 1, "listed"));
            listing.setMask(L"");
        }
        if (options.wants("refresh half marked")) {
            listing.loadFolder();
            listing.setCursor(listing.count() / 2);
            markEveryOther(listing);
            const Comparison t = compareWithRawPass(folder.path, [&] { listing.refresh(); }, {}, folder.rounds);
            printFigure(withLabel("refresh half marked", folder), listing.count() - 1, t,
                        countRemark(listing.list().markedCount(), "marked after"));
        }
    }
    for (const std::wstring& path :
         {largestFolder(options.dataRoot), mixedFolder(options.dataRoot), millionFolder(options.dataRoot)}) {
        PaneListing listing(host, 0);
        listing.setFolder(path);
        const bool million = path == millionFolder(options.dataRoot);
        const std::string suffix = path == mixedFolder(options.dataRoot) ? " (mixed, folders first)" : "";
        const auto figureName = [&](int type) { return "sort type " + std::to_string(type) + suffix; };
        bool anyWanted = false;
        for (int type = 0; type <= 8; ++type) anyWanted = anyWanted || options.wants(figureName(type));
        if (!anyWanted) continue;  // a listing of 1,000,000 entries is not read for nothing
        listing.loadFolder();
        listing.setCursor(listing.count() / 2);
        const uint32_t group = suffix.empty() ? 0 : FILE_ATTRIBUTE_DIRECTORY;
        for (int type = 0; type <= 8; ++type) {
            const std::string figure = figureName(type);
            if (!options.wants(figure)) continue;
            // Each run starts from the other order, so no run finds its work done by the last one.
            const int other = type == 1 ? 8 : 1;
            const Comparison t = compareWithRawPass(
                path, [&] { listing.applySort(type, group); }, [&] { listing.applySort(other, group); },
                million ? kMillionRounds : kRounds);
            printFigure(figure, listing.count() - 1, t, million ? goalRemark(t.figure.median, kMillionSortMs, " ms") : "");
        }
    }
}

void runMemoryFigure(const std::wstring& folder, const std::wstring& warmFolder, const std::wstring& settingsPath,
                     double goalBytes) {
    BenchApp app;
    app.setProfilePath(settingsPath);
    NoWindow host;
    {
        // The allocator and the listing code are set up once before anything is counted.
        PaneListing warm(host, 0);
        warm.setFolder(warmFolder);
        warm.loadFolder();
        warm.refresh();
    }
    // The platform keeps memory of its own from enumerating a large folder; it settles after two
    // passes and is reused by every later one. It is primed here so the figure is the listing's.
    const size_t beforeRaw = workingSet();
    for (int i = 0; i < 3; ++i) rawPass(folder);
    const size_t platform = workingSet() - beforeRaw;

    const size_t before = workingSet();
    PaneListing listing(host, 0);
    listing.setFolder(folder);
    listing.loadFolder();
    const size_t steady = workingSet() - before;
    const int entries = listing.count();
    listing.setCursor(0);
    markEveryOther(listing);
    const bool peakAlone = resetPeakWorkingSet();
    listing.refresh();
    const size_t peak = peakWorkingSet() - before;
    std::printf("memory %d: the listing holds %.1f MB after loading, %.0f bytes per entry; refresh half marked peaks "
                "at %.0f bytes per entry (%.2fx the steady listing)%s; the platform's enumeration keeps %.0f bytes "
                "per entry of its own%s%s\n",
                entries - 1, steady / 1048576.0, static_cast<double>(steady) / entries,
                static_cast<double>(peak) / entries, static_cast<double>(peak) / static_cast<double>(steady),
                peakAlone ? "" : " [peak of the whole run: the peak could not be reset]",
                static_cast<double>(platform) / entries, goalBytes > 0 ? "; " : "",
                goalBytes > 0
                    ? goalRemark(static_cast<double>(steady) / entries, goalBytes, " bytes per entry after loading").c_str()
                    : "");
    std::fflush(stdout);
}
