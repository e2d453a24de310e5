// Splitting and joining paths by the program's one rule: the separator is
// the last backslash, else the first colon ('/' never separates); the
// extension follows the FIRST dot of the file name and is compared
// case-sensitively, without its dot.
#pragma once

#include <string>

#include "foundation/base_defs.h"
#include "foundation/char_string.h"

// A wide string whose contents are a path.
class cFilenameString : public cCharString {
public:
    cFilenameString() = default;
    cFilenameString(std::u16string s) : cCharString(std::move(s)) {}
};

int32_t FindPathSeparator(const std::u16string &path);
bool HasDirectory(const std::u16string &path);
const char16_t *GetDirectory(const std::u16string &path);
const char16_t *GetFileName(const std::u16string &path);
const char16_t *GetNameWithoutExtension(const std::u16string &path);
const char16_t *GetExtension(const std::u16string &path);
tStatus HasExtension(const std::u16string &path, const char16_t *extension);
const char16_t *GetPathPrefix(const char16_t *text);
const char16_t *StripPathPrefix(const char16_t *text);

const char16_t *SetFileName(std::u16string &path, const char16_t *name);
const char16_t *SetExtension(std::u16string &path, const char16_t *extension);
const char16_t *SetDirectory(std::u16string &path, const char16_t *folder);
