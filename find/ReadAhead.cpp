#include "find/ReadAhead.h"
#include "common/DetachedThread.h"
#include <atomic>
#include <vector>

namespace {
// A turn usually comes within one piece's read or match (tens of microseconds), while a sleep and
// its wake-up cost about as much again (seen under Wine: 50 us for a round trip through the slim
// lock's condition variable). So each side looks for its turn a while before it sleeps.
constexpr int64_t kSpinMicroseconds = 200;

int64_t counterNow() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

template <typename Ready>
void awaitTurn(SRWLOCK& lock, CONDITION_VARIABLE& changed, Ready ready) {
    ReleaseSRWLockExclusive(&lock);
    static const int64_t spinTicks = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return frequency.QuadPart * kSpinMicroseconds / 1000000;
    }();
    // No pause instruction in the loop: a virtual machine's host takes a run of them for a waiting
    // lock and may take the processor away for a while.
    for (const int64_t until = counterNow() + spinTicks; !ready() && counterNow() < until;) {}
    AcquireSRWLockExclusive(&lock);
    while (!ready()) SleepConditionVariableSRW(&changed, &lock, INFINITE, 0);
}
}  // namespace

// Two pieces take turns: the thread fills one while the other is looked through. What a side
// looks at while it waits without the lock is atomic; it is changed under the lock only.
struct ReadAhead::Shared {
    struct Piece {
        std::vector<uint8_t> bytes;
        DWORD size = 0;
        DWORD error = 0;
        bool ok = true;
        std::atomic<bool> full{false};
    };
    explicit Shared(size_t pieceBytes) {
        for (Piece& piece : pieces) piece.bytes.resize(pieceBytes);
    }

    SRWLOCK lock = SRWLOCK_INIT;
    CONDITION_VARIABLE changed = CONDITION_VARIABLE_INIT;
    Piece pieces[2];
    std::atomic<HANDLE> file{nullptr};
    std::atomic<int> filling{0};
    int taking = 0;
    bool held = false;                // pieces[taking] is the caller's until its next call
    std::atomic<bool> atEnd{false};   // the thread has read the file's last piece (or failed)
    std::atomic<bool> reading{false}; // the thread is in a read of `file`
    std::atomic<bool> quit{false};

    // Reads one piece into `piece`: a short read is the end of the file as it stood.
    static void read(HANDLE file, Piece& piece) {
        piece.ok = ReadFile(file, piece.bytes.data(), static_cast<DWORD>(piece.bytes.size()), &piece.size, nullptr);
        piece.error = piece.ok ? 0 : GetLastError();
        piece.full = true;
    }
    bool ended(const Piece& piece) const { return !piece.ok || piece.size < piece.bytes.size(); }

    void run() {
        AcquireSRWLockExclusive(&lock);
        for (;;) {
            awaitTurn(lock, changed, [this] { return quit || (file && !atEnd && !pieces[filling].full); });
            if (quit) break;
            const HANDLE source = file;
            Piece& piece = pieces[filling];
            reading = true;
            ReleaseSRWLockExclusive(&lock);
            read(source, piece);
            AcquireSRWLockExclusive(&lock);
            reading = false;
            atEnd = ended(piece);
            filling = filling ^ 1;
            WakeAllConditionVariable(&changed);
        }
        ReleaseSRWLockExclusive(&lock);
    }
};

ReadAhead::ReadAhead(size_t pieceBytes) : shared_(std::make_shared<Shared>(pieceBytes)) {
    threaded_ = runDetached([shared = shared_] { shared->run(); });
}

ReadAhead::~ReadAhead() {
    AcquireSRWLockExclusive(&shared_->lock);
    shared_->quit = true;
    shared_->file = nullptr;
    ReleaseSRWLockExclusive(&shared_->lock);
    WakeAllConditionVariable(&shared_->changed);
}

void ReadAhead::begin(HANDLE file) {
    AcquireSRWLockExclusive(&shared_->lock);
    shared_->file = file;
    ReleaseSRWLockExclusive(&shared_->lock);
    WakeAllConditionVariable(&shared_->changed);
}

bool ReadAhead::next(std::span<const uint8_t>& piece, DWORD& error) {
    Shared& s = *shared_;
    Shared::Piece* taken = nullptr;
    if (!threaded_) {
        taken = &s.pieces[0];
        if (s.atEnd) {
            taken->size = 0;
        } else {
            Shared::read(s.file, *taken);
            s.atEnd = s.ended(*taken);
        }
    } else {
        AcquireSRWLockExclusive(&s.lock);
        if (s.held) {
            s.pieces[s.taking].full = false;
            s.taking ^= 1;
            s.held = false;
            WakeAllConditionVariable(&s.changed);
        }
        // Past the last piece nothing more comes.
        awaitTurn(s.lock, s.changed, [&s] { return s.pieces[s.taking].full || (s.atEnd && !s.reading); });
        if (s.pieces[s.taking].full) {
            taken = &s.pieces[s.taking];
            s.held = true;
        }
        ReleaseSRWLockExclusive(&s.lock);
        if (!taken) {
            piece = {};
            return true;
        }
    }
    if (!taken->ok) {
        error = taken->error;
        return false;
    }
    piece = {taken->bytes.data(), taken->size};
    return true;
}

void ReadAhead::finish() {
    Shared& s = *shared_;
    AcquireSRWLockExclusive(&s.lock);
    s.file = nullptr;
    while (s.reading) SleepConditionVariableSRW(&s.changed, &s.lock, INFINITE, 0);
    for (Shared::Piece& piece : s.pieces) piece.full = false;
    s.filling = s.taking = 0;
    s.held = s.atEnd = false;
    ReleaseSRWLockExclusive(&s.lock);
}
