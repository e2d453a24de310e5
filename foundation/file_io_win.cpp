#include "foundation/file_io.h"

#include "foundation/win32_win.h"
#include "foundation/text_util.h"

std::string PlatformPath(const char16_t *path) { return ToUtf8(path ? std::u16string(path) : std::u16string()); }

FILE *OpenFileWide(const char16_t *path, const char *mode) {
    if (!path || !*path) return nullptr;
    std::u16string m = WidenAscii(mode);
    return _wfopen(W(path), W(m.c_str()));
}
