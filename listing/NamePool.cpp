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

void NamePool::adopt(NamePool&& other) {
    if (other.blocks_.empty()) return;
    if (blocks_.empty()) {
        *this = std::move(other);
        return;
    }
    // Our last block stays last, so the names still to come fill its free room.
    blocks_.insert(blocks_.end() - 1, std::make_move_iterator(other.blocks_.begin()),
                   std::make_move_iterator(other.blocks_.end()));
    other.clear();
}
