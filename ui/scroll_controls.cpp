#include "ui/scroll_controls.h"

#include <algorithm>

#include "foundation/text_util.h"

namespace {

constexpr uint32_t kHorzScrollStyle = 0x50000000;  // child, visible, horizontal
constexpr uint32_t kVertScrollStyle = 0x50000001;  // child, visible, vertical

// The scroll codes of the window system.
enum : int32_t { kLineUp = 0, kLineDown = 1, kPageUp = 2, kPageDown = 3, kThumbPosition = 4, kThumbTrack = 5 };

}  // namespace

cHorzScrollBase::cHorzScrollBase(cMessageDvcBase *ownerWindow, uint32_t controlId, int32_t *bound, int32_t low,
                                 int32_t high)
    : cHorzScrollBase(ownerWindow, controlId, bound, low, high, kHorzScrollStyle, u"SCROLLBAR") {}

cHorzScrollBase::cHorzScrollBase(cMessageDvcBase *ownerWindow, uint32_t controlId, int32_t *bound, int32_t low,
                                 int32_t high, uint32_t style, const char16_t *keyword)
    : cGuiControl(ownerWindow, controlId, style, keyword),
      variable(bound ? bound : &ownVariable),
      position(*variable - low),
      minimum(low),
      maximum(high) {}

tStatus cHorzScrollBase::Open() {
    tStatus result = cGuiControl::Open();
    PrepareDraw();
    if (buddy) buddy->OnBuddyValue(minimum + position);
    return result;
}

tStatus cHorzScrollBase::PrepareDraw() {
    if (!IsUp()) return RC_OK;
    cGuiControl::PrepareDraw();
    if (!enabled) return RC_OK;
    position = *variable - minimum;
    ShowPosition(maximum - minimum, position);
    return RC_OK;
}

tStatus cHorzScrollBase::ReleaseDraw() {
    *variable = minimum + position;
    return RC_OK;
}

uint8_t cHorzScrollBase::SetEnabled(uint8_t flag) {
    uint8_t previous = cGuiControl::SetEnabled(flag);
    if (GetWindowHandle() && IsUp()) EnableArrows(flag != 0);
    return previous;
}

tStatus cHorzScrollBase::OnMessage(uint32_t message, sWinMessage &record) {
    tWindowHandle own = GetWindowHandle();
    if (message != ScrollMessage() || !own || record.lParam != reinterpret_cast<tLParam>(own)) return MSG_NOT_HANDLED;
    auto code = static_cast<int32_t>(record.key & 0xFFFF);
    int32_t step = 0;
    switch (code) {
    case kLineUp: step = -1; break;
    case kLineDown: step = 1; break;
    case kPageUp: step = -(maximum - minimum) / 4; break;
    case kPageDown: step = (maximum - minimum) / 4; break;
    case kThumbPosition:
    case kThumbTrack: position = static_cast<int32_t>(record.key >> 16); break;
    default: break;
    }
    // In translate mode the arrows and the page areas open the editor of
    // the bar's texts instead of moving it.
    if (code <= kPageDown && !(owner && owner->EditTranslation(this, record) >= 0)) position += step;
    position = std::clamp(position, 0, std::max(maximum - minimum, 0));
    *variable = minimum + position;
    PrepareDraw();
    if (owner) owner->CallEventHandler(id, code);
    if (buddy) buddy->OnBuddyValue(minimum + position);
    return RC_OK;
}

tStatus cHorzScrollBase::LogState() {
    return WriteLogPart(u"Scroller<" + FormatUnsigned(id) + u">=" + FormatInt(position));
}

int32_t cHorzScrollBase::SetValueInt(int32_t value) {
    int32_t previous = minimum + position;
    *variable = value;
    PrepareDraw();
    return previous;
}

cVertScrollBase::cVertScrollBase(cMessageDvcBase *ownerWindow, uint32_t controlId, int32_t *bound, int32_t low,
                                 int32_t high)
    : cHorzScrollBase(ownerWindow, controlId, bound, low, high, kVertScrollStyle, u"VSCROLLBAR") {}
