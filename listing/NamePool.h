// Zero-terminated names packed into large blocks that never move, so a listing holds one pointer
// per entry instead of a fixed 260-character buffer, and growing never copies a name.
#pragma once
#include <cstddef>
#include <memory>
#include <vector>

class NamePool {
public:
    NamePool() = default;
    NamePool(NamePool&&) noexcept = default;
    NamePool& operator=(NamePool&&) noexcept = default;
    NamePool(const NamePool&) = delete;
    NamePool& operator=(const NamePool&) = delete;

    // A stable copy of `length` code units of `text`, zero-terminated.
    const wchar_t* add(const wchar_t* text, size_t length);
    void clear();
    // Takes over `other`'s names, which stay where they are.
    void adopt(NamePool&& other);

private:
    static constexpr size_t kBlockChars = 32 * 1024;

    std::vector<std::unique_ptr<wchar_t[]>> blocks_;
    size_t used_ = 0;       // code units taken in the last block
    size_t blockSize_ = 0;  // of the last block
};
