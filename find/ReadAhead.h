// Reads a file's pieces ahead of the code that looks through them, on a thread of its own: while
// one piece is matched the next is read, so on a machine of two cores a content search takes
// about as long as reading the files alone. Where no thread can be had it reads in place.
#pragma once
#include <windows.h>
#include <cstdint>
#include <memory>
#include <span>

class ReadAhead {
public:
    explicit ReadAhead(size_t pieceBytes);
    // The thread ends on its own once a read it is in returns; nothing waits for it here.
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Starts on a file opened for reading, from where its file pointer stands.
    void begin(HANDLE file);
    // The file's next piece, valid until the next call; empty at the end of the file. False, with
    // the platform's reason in `error`, when a read failed.
    bool next(std::span<const uint8_t>& piece, DWORD& error);
    // Done with the file: returns once the thread no longer reads it, so it may be closed.
    void finish();

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    bool threaded_ = false;
};
