#include "listing/NamePool.h"
#include <algorithm>
#include <cstring>

const wchar_t* NamePool::add(const wchar_t* text, size_t length) {
    if (blocks_.empty() || used_ + length + 1 > blockSize_) {
        // A name longer than a block gets a block of its own size.
        blockSize_ = std::max(kBlockChars, length + 1);
        blocks_.push_back(std::make_unique_for_overwrite<wchar_t[]>(blockSize_));
        used_ = 0;
    }
    wchar_t* copy = blocks_.back().get() + used_;
    std::memcpy(copy, text, length * sizeof(wchar_t));
    copy[length] = 0;
    used_ += length + 1;
    return copy;
}

void NamePool::clear() {
    blocks_.clear();
    used_ = 0;
    blockSize_ = 0;
}
