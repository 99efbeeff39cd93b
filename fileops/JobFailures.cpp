#include "fileops/JobFailures.h"
#include "common/ItemName.h"
#include "common/VisibleName.h"

void JobFailures::add(const std::wstring& path, DWORD error) {
    ++count_;
    if (first_.size() < kShown) first_.emplace_back(path, error);
}

std::wstring JobFailures::summary() const {
    if (count_ == 0) return {};
    std::wstring text = std::to_wstring(count_) + L" 個の項目を処理できませんでした。";
    text += done_ == 0 ? L"処理できた項目はありません。" : std::to_wstring(done_) + L" 個の項目は処理しました。";
    text += L"\n";
    for (const auto& [path, error] : first_) text += L"\n" + visibleName(path) + L"\n    " + failureReason(error);
    if (count_ > first_.size()) text += L"\n\nほか " + std::to_wstring(count_ - first_.size()) + L" 個";
    return text;
}

std::wstring failureReason(DWORD error) {
    switch (error) {
    case kFailOntoItself: return L"転送元と転送先が同じ項目です。";
    case kFailLoop: return L"フォルダをそれ自身の中へ転送することはできません。";
    case kFailOverlapsSource: return L"転送先のフォルダが転送元と重なっています。";
    default: return systemErrorText(error);
    }
}
