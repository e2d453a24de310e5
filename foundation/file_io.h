// Opening files by wide path on both platforms.  Windows takes the UTF-16
// path as it is; the native build converts it to a UTF-8 path in which the
// backslash, the program's only separator, becomes a slash.
#pragma once

#include <cstdio>
#include <string>

// fopen with a wide path; mode as for fopen ("rb", "ab", "wb").
FILE *OpenFileWide(const char16_t *path, const char *mode);

// The platform form of a path (native build: UTF-8 with '/' for '\').
std::string PlatformPath(const char16_t *path);

// Reads a whole file; false when it cannot be opened.
bool ReadWholeFile(const char16_t *path, std::string &bytes);
