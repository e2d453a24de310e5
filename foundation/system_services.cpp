#include "foundation/system_services.h"

#include "foundation/char_string.h"

namespace {
tSystemLookup gLookup = nullptr;
}

tSystemLookup SetSystemLookup(tSystemLookup lookup) {
    tSystemLookup previous = gLookup;
    gLookup = lookup;
    return previous;
}

cSystemServices *System() { return gLookup ? gLookup() : nullptr; }

const char *cSystemServices::ToAnsiText(const char16_t *text) {
    if (!text) return "";
    return ToAnsi(text, TextLength(text));
}

const char16_t *cSystemServices::ToWideText(const char *bytes) {
    if (!bytes) return u"";
    uint32_t n = 0;
    while (bytes[n]) ++n;
    return ToWide(bytes, n);
}
