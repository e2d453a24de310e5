#include "platform/key_names.h"

#include <string>

#include "foundation/char_string.h"

namespace {
// Codes 0 to 31 as characters (caret names), then codes 0 to 31 with the
// special-key flag; the special half repeats the character names where no
// special key has that code.
const char16_t *const kKeyNames[64] = {
    u"^@", u"^A", u"^B", u"^C", u"^D", u"^E", u"^F", u"^G", u"bs", u"tab", u"^J", u"^K", u"^L", u"cr", u"^N", u"^O",
    u"^P", u"^Q", u"^R", u"^S", u"^T", u"^U", u"^V", u"^W", u"^X", u"^Y", u"^Z", u"esc", u"^\\", u"^]", u"^^", u"^_",
    u"^@", u"F1", u"F2", u"F3", u"F4", u"F5", u"F6", u"F7", u"bs", u"tab", u"^J", u"^K", u"^L", u"cr", u"F8", u"F9",
    u"F10", u"F11", u"F12", u"left", u"right", u"up", u"down", u"PageUp", u"PageDn", u"home", u"^Z", u"esc", u"end",
    u"ins", u"del", u"^_",
};
}  // namespace

const char16_t *FormatKeyName(uint16_t code, uint32_t flags) {
    std::u16string name;
    if (flags & KEY_ALT) name += u"Alt";
    if (flags & KEY_CTRL) name += u"Ctrl";
    if (code < 32) {
        if (flags & KEY_SHIFT) name += u"Shf";
        name += kKeyNames[(flags & KEY_SPECIAL) ? 32 + code : code];
    } else {
        name += char16_t(code);
    }
    return TempStringOf(name);
}
