// Numbers with thousands separators and the fixed-width size cell of a listing line.
#pragma once
#include <cstdint>
#include <string>

// 1234567 gives "1,234,567"; negative values get a leading "-".
std::wstring formatThousands(int64_t value);
// The length of formatThousands(value).
int thousandsWidth(int64_t value);
// Exactly `width` characters: the size with separators right-aligned, or in K, M or G with the
// unit letter when it does not fit, or "∞" when not even G fits; a width below 5 gives dashes.
std::wstring formatSizeCell(int width, uint64_t size);
