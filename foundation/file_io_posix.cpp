#include "foundation/file_io.h"

#include "foundation/text_util.h"

std::string PlatformPath(const char16_t *path) {
    std::string p = ToUtf8(path ? std::u16string(path) : std::u16string());
    for (char &c : p)
        if (c == '\\') c = '/';
    return p;
}

FILE *OpenFileWide(const char16_t *path, const char *mode) {
    if (!path || !*path) return nullptr;
    return std::fopen(PlatformPath(path).c_str(), mode);
}
