#include "foundation/file_io.h"

bool ReadWholeFile(const char16_t *path, std::string &bytes) {
    bytes.clear();
    FILE *f = OpenFileWide(path, "rb");
    if (!f) return false;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    std::fclose(f);
    return true;
}
