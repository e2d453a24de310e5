// A file another program holds open without sharing it, for Windows tests:
// while a cHeldOpen lives, nobody else can open, replace or delete the file.
// The Windows counterpart of the native tests' full disk.
#pragma once

#include <string>

#include "foundation/win32_win.h"

namespace test {

class cHeldOpen {
public:
    explicit cHeldOpen(const std::u16string &path)
        : handle(CreateFileW(W(path.c_str()), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~cHeldOpen() {
        if (IsHeld()) CloseHandle(handle);
    }
    cHeldOpen(const cHeldOpen &) = delete;
    cHeldOpen &operator=(const cHeldOpen &) = delete;

    bool IsHeld() const { return handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle;
};

}  // namespace test
