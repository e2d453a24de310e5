// Without a window system nothing is posted: the frame handles its own tool
// message at once.
#include "app/prog_win_class.h"

#include "ui/tool_bar.h"

void ProgWinClass::PostToolSelected() {
    sWinMessage record(kMsgToolSelected, 0, 0);
    OnMessage(kMsgToolSelected, record);
}
