#include "ui/win_message.h"

// Without a window system there are no sub-menus to hand out: a popup item
// answers a null handle.
uintptr_t GetMenuSelectItem(const sWinMessage &record) {
    if ((record.key >> 16) & kMenuFlagPopup) return 0;
    return record.key & 0xFFFF;
}
