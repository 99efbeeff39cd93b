#include "pane/CompareRun.h"
#include "common/DetachedThread.h"
#include "common/PathUtil.h"
#include "fileops/TransferRules.h"
#include "framework/Handles.h"
#include "listing/FileList.h"
#include <atomic>
#include <mutex>
#include <utility>

struct CompareRun::State {
    std::atomic<bool> stop{false};
    std::atomic<int> done{0}, total{0};
    mutable std::mutex lock;
    bool running = true;
    std::optional<CompareOutcome> outcome;
};

namespace {

std::wstring fileSystemOf(const std::wstring& folder) {
    wchar_t root[MAX_PATH + 1] = {}, name[MAX_PATH + 1] = {};
    if (!GetVolumePathNameW(folder.c_str(), root, MAX_PATH)) return {};
    if (!GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, nullptr, name, MAX_PATH)) return {};
    return name;
}

struct Comparer {
    CompareOptions options;
    CompareRun::State& state;
    HWND window;
    UINT message;
    CompareBuffers buffers;

    void noteProgress() { PostMessageW(window, message, 0, 0); }

    bool bytesDiffer(const std::wstring& a, const std::wstring& b) {
        const bool same = sameBytes(a, b, state.stop, buffers);
        ++state.done;
        noteProgress();
        return !same;
    }

    // Whether anything inside the two folders differs by the same rules, stopping at the first.
    bool subtreeDiffers(const std::wstring& left, const std::wstring& right) {
        FileList l, r;
        l.scan(left, L"");
        r.scan(right, L"");
        if (l.unreadable() || r.unreadable()) return true;
        const ListingDifference d = compareListings(l.entries(), r.entries(), options);
        if (!d.left.empty() || !d.right.empty()) return true;
        state.total += static_cast<int>(d.sameSizeFiles.size());
        for (const EntryPair& p : d.sameSizeFiles) {
            if (state.stop) return false;
            if (bytesDiffer(ensureTrailingBackslash(left) + l.at(p.left).name(),
                            ensureTrailingBackslash(right) + r.at(p.right).name()))
                return true;
        }
        for (const EntryPair& p : d.folders) {
            if (state.stop) return false;
            if (subtreeDiffers(ensureTrailingBackslash(left) + l.at(p.left).name(),
                               ensureTrailingBackslash(right) + r.at(p.right).name()))
                return true;
        }
        return false;
    }
};

}  // namespace

bool sameBytes(const std::wstring& a, const std::wstring& b, const std::atomic<bool>& stop, CompareBuffers& buffers) {
    UniqueHandle fa(CreateFileW(literalPath(a).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    UniqueHandle fb(CreateFileW(literalPath(b).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!fa || !fb) return false;
    constexpr DWORD kChunk = 1 << 20;
    std::vector<char>& ba = buffers.a;
    std::vector<char>& bb = buffers.b;
    ba.resize(kChunk);
    bb.resize(kChunk);
    for (;;) {
        if (stop.load()) return false;
        DWORD ra = 0, rb = 0;
        if (!ReadFile(fa.get(), ba.data(), kChunk, &ra, nullptr) || !ReadFile(fb.get(), bb.data(), kChunk, &rb, nullptr))
            return false;
        if (ra != rb || memcmp(ba.data(), bb.data(), ra) != 0) return false;
        if (ra == 0) return true;
    }
}

CompareRun::CompareRun() = default;

bool CompareRun::start(HWND window, UINT message, const CompareSide& left, const CompareSide& right, CompareBy by,
                       bool subfolders) {
    stop();
    left_ = left;
    right_ = right;
    state_ = std::make_shared<State>();
    const bool started = runDetached([state = state_, window, message, left, right, by, subfolders] {
        const bool coarse = hasTwoSecondTimes(fileSystemOf(left.folder)) || hasTwoSecondTimes(fileSystemOf(right.folder));
        Comparer comparer{{by, subfolders, coarse}, *state, window, message, {}};
        FileList l, r;
        l.scan(left.folder, left.mask);
        r.scan(right.folder, right.mask);
        ListingDifference d = compareListings(l.entries(), r.entries(), comparer.options);
        state->total = static_cast<int>(d.sameSizeFiles.size());
        const std::wstring lBase = ensureTrailingBackslash(left.folder), rBase = ensureTrailingBackslash(right.folder);
        for (const EntryPair& p : d.sameSizeFiles) {
            if (state->stop) break;
            if (comparer.bytesDiffer(lBase + l.at(p.left).name(), rBase + r.at(p.right).name())) {
                d.left.push_back(p.left);
                d.right.push_back(p.right);
            }
        }
        for (const EntryPair& p : d.folders) {
            if (state->stop) break;
            if (comparer.subtreeDiffers(lBase + l.at(p.left).name(), rBase + r.at(p.right).name())) {
                d.left.push_back(p.left);
                d.right.push_back(p.right);
            }
        }
        CompareOutcome outcome;
        for (int i : d.left) outcome.left.emplace_back(l.at(i).name());
        for (int i : d.right) outcome.right.emplace_back(r.at(i).name());
        std::lock_guard<std::mutex> guard(state->lock);
        state->running = false;
        if (!state->stop) state->outcome = std::move(outcome);
        PostMessageW(window, message, 1, 0);
    });
    if (!started) state_.reset();
    return started;
}

void CompareRun::stop() {
    if (state_) state_->stop = true;
    state_.reset();
}

bool CompareRun::running() const {
    if (!state_) return false;
    std::lock_guard<std::mutex> guard(state_->lock);
    return state_->running;
}

std::pair<int, int> CompareRun::progress() const {
    if (!state_) return {0, 0};
    return {state_->done.load(), state_->total.load()};
}

std::optional<CompareOutcome> CompareRun::take() {
    if (!state_) return std::nullopt;
    std::lock_guard<std::mutex> guard(state_->lock);
    return std::exchange(state_->outcome, std::nullopt);
}
