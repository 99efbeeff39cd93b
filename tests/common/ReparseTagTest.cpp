#include "common/ReparseTag.h"
#include <gtest/gtest.h>

// Only the name surrogates stand for another item; every other reparse point is the item itself.
TEST(ReparseTag, OnlyNameSurrogatesAreLinks) {
    const struct {
        const char* what;
        DWORD attributes, tag;
        bool link;
    } rows[] = {
        {"junction or mount point", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT, 0xA0000003, true},
        {"symbolic link", FILE_ATTRIBUTE_REPARSE_POINT, 0xA000000C, true},
        {"cloud folder", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT, 0x9000001A, false},
        {"OneDrive's own", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT, 0x80000021, false},
        {"deduplicated file", FILE_ATTRIBUTE_REPARSE_POINT, 0x80000013, false},
        {"WIM-backed file", FILE_ATTRIBUTE_REPARSE_POINT, 0x80000008, false},
        {"a surrogate's tag left in a record that is no reparse point", FILE_ATTRIBUTE_DIRECTORY, 0xA0000003, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(marksALink(r.attributes, r.tag), r.link);
    }
}
