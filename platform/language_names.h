// Names of the Windows primary and sub-language identifiers, for the line
// "Default language = ..." of the system-information block.
#pragma once

#include <cstdint>

// The name of the first pair with that identifier; without one, the
// identifier as an unsigned decimal number (a temporary text).
const char16_t *GetLanguageName(int32_t id);
const char16_t *GetSubLanguageName(int32_t id);
