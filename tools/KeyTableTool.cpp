// vantor_keytable <guide> <output>: writes the guide again with the table of the default keys
// between its marker lines made anew from the program's own tables, so the guide cannot drift
// from the code. Exit code 1 when a file cannot be read or written or a marker is missing.
#include "keys/KeyAssignTable.h"
#include "keys/KeyTableMarkdown.h"
#include <windows.h>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {
std::wstring fromUtf8(const std::string& bytes) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
    return text;
}

std::string toUtf8(const std::wstring& text) {
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr, nullptr);
    return bytes;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vantor_keytable <guide.md> <output.md>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "vantor_keytable: cannot read %ls\n", argv[1]);
        return 1;
    }
    const std::wstring guide = fromUtf8(std::string(std::istreambuf_iterator<char>(in), {}));
    in.close();

    // Without an application object the table holds exactly the built-in defaults.
    KeyAssignTable defaults;
    defaults.load();
    const std::optional<std::wstring> written = withKeyTable(guide, keyTableMarkdown(defaults));
    if (!written) {
        std::fprintf(stderr, "vantor_keytable: the key table markers are missing in %ls\n", argv[1]);
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << toUtf8(*written);
    if (!out.flush()) {
        std::fprintf(stderr, "vantor_keytable: cannot write %ls\n", argv[2]);
        return 1;
    }
    return 0;
}
