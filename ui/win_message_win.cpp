#include "foundation/win32_win.h"
#include "ui/win_message.h"

void sWinMessage::Assign(const MSG &msg) { Set(msg.message, msg.wParam, msg.lParam); }

uintptr_t GetMenuSelectItem(const sWinMessage &record) {
    uint32_t item = record.key & 0xFFFF;
    if ((record.key >> 16) & MF_POPUP) {
        return reinterpret_cast<uintptr_t>(GetSubMenu(reinterpret_cast<HMENU>(record.lParam), static_cast<int>(item)));
    }
    return item;
}
