#include "ui/view_port.h"

#include <algorithm>
#include <climits>

#include "foundation/char_string.h"
#include "foundation/text_util.h"
#include "platform/op_sys_base.h"
#include "platform/translate_file.h"
#include "ui/menu_item.h"
#include "ui/status_bar.h"
#include "ui/sub_menu.h"
#include "ui/view_port_errors.h"

// ---- cViewPortBase ----------------------------------------------------------

cViewPortBase::cViewPortBase(cMessageDvcBase *ownerWindow, uint32_t style, const char16_t *text)
    : cMessageDvc(ownerWindow, 0, style, text, 0) {}

cViewPortBase::~cViewPortBase() {
    ForgetMainMenu();
    delete popupMenu;
}

void cViewPortBase::ForgetMainMenu() {
    if (gMainMenu && gMainMenu->GetOwner() == this) SetMainMenu(nullptr);
}

cSubMenuBase *cViewPortBase::CreatePopupMenu(const char16_t *text, uint32_t menuId, uint32_t flags) {
    if (!popupMenu) return nullptr;
    popupMenu->DeleteAllItems();
    popupMenu->Attach(this, text ? text : u"", menuId, flags);
    return popupMenu;
}

tStatus cViewPortBase::TrackPopupMenu(int32_t, int32_t, cDispDvcBase *) {
    if (!popupMenu) return RC_FAIL;
    if (!gOpSys) return RC_OK;
    return popupMenu->ReadTranslations(&gOpSys->GetTranslateFile());
}

tStatus cViewPortBase::SetOrigin(int32_t x, int32_t y) {
    int32_t width = deviceRect.Width();
    int32_t height = deviceRect.Height();
    cMessageDvc::SetOrigin(ClampScrollOrigin(x, width, zoomX, extentX), ClampScrollOrigin(y, height, zoomY, extentY));
    tStatus result = RC_OK;
    if (windowStyle & kStyleHorzScroll) {
        sScrollBarInfo info = ScrollBarInfoFor(originX, width, zoomX, extentX);
        horzPage = info.page;
        result = SetScrollBarInfo(kScrollBarHorz, info);
    }
    if (windowStyle & kStyleVertScroll) {
        sScrollBarInfo info = ScrollBarInfoFor(originY, height, zoomY, extentY);
        vertPage = info.page;
        result = SetScrollBarInfo(kScrollBarVert, info);
    }
    return result;
}

tStatus cViewPortBase::SetScrollExtent(int32_t width, int32_t height) {
    extentX = std::max(width, 0);
    extentY = std::max(height, 0);
    return SetOrigin(originX, originY);
}

tStatus cViewPortBase::SetScrollBarInfo(int32_t, const sScrollBarInfo &) { return RC_OK; }

tStatus cViewPortBase::OnMessage(uint32_t message, sWinMessage &record) {
    tStatus result = cMessageDvc::OnMessage(message, record);
    if (result != MSG_NOT_HANDLED) return result;
    auto bits = static_cast<uint32_t>(record.lParam);
    switch (message) {
    case kMsgSize: return OnSize(int32_t(bits & 0xFFFF), int32_t(bits >> 16), record);
    case kMsgSetFocus: return OnSetFocus(record);
    case kMsgKillFocus: return OnKillFocus(record);
    case kMsgCommand:
        LogCommand(record);
        return OnCommand(record);
    case kMsgHScroll: return OnHScroll(int32_t(record.key & 0xFFFF), int32_t(record.key >> 16), record);
    case kMsgVScroll: return OnVScroll(int32_t(record.key & 0xFFFF), int32_t(record.key >> 16), record);
    case kMsgMenuSelect: {
        uintptr_t item = GetMenuSelectItem(record);
        ShowMenuHint(item);
        return OnMenuSelect(item, record);
    }
    case kMsgMouseWheel: return OnMouseWheel(WheelNotches(static_cast<int16_t>(record.key >> 16)), record);
    default: return MSG_NOT_HANDLED;
    }
}

void cViewPortBase::LogCommand(const sWinMessage &record) {
    uint32_t id = record.key & 0xFFFF;
    bool fromMenu = (record.key >> 16) <= 1;
    bool translating = fromMenu && gOpSys && gOpSys->IsTranslateMode();
    if (translating) EditCommandTranslation(id);
    const char16_t *keyName = fromMenu ? CommandKeyName(id) : nullptr;
    std::u16string line =
        name + u": " + FormatCommandLog(record.key, static_cast<uintptr_t>(record.lParam), translating, keyName);
    if (gOpSys) gOpSys->Log().WriteString(line, 1);
}

cSubMenuBase *cViewPortBase::CommandMenu(uint32_t commandId) const {
    return (commandId & kWindowCommandBit) ? popupMenu : gMainMenu;
}

const char16_t *cViewPortBase::CommandKeyName(uint32_t commandId) {
    cSubMenuBase *menu = CommandMenu(commandId);
    return menu ? menu->GetCommandKeyName(commandId) : nullptr;
}

tStatus cViewPortBase::EditCommandTranslation(uint32_t commandId) {
    cSubMenuBase *menu = CommandMenu(commandId);
    return menu ? menu->EditCommandTranslation(commandId) : RC_FAIL;
}

// For a popup item the system names its sub-menu's handle, which is also
// the node's id.
tStatus cViewPortBase::ShowMenuHint(uintptr_t item) {
    auto commandId = static_cast<uint32_t>(item);
    cSubMenuBase *menu = CommandMenu(commandId);
    return menu ? menu->ShowCommandHint(commandId) : RC_OK;
}

tStatus cViewPortBase::MoveWindowTo(int32_t, int32_t, int32_t width, int32_t height) { return SetSize(width, height); }

tStatus cViewPortBase::ShowMessage(const char16_t *, const char16_t *) { return RC_FAIL; }

cViewPortBase *cViewPortBase::UseHorzScrollBar() {
    windowStyle |= kStyleChildVisible | kStyleHorzScroll;
    return this;
}

cViewPortBase *cViewPortBase::UseVertScrollBar() {
    windowStyle |= kStyleChildVisible | kStyleVertScroll;
    return this;
}

// The focus came back: a caret in use is made and shown again (losing the
// focus destroyed the system's caret).
tStatus cViewPortBase::OnSetFocus(sWinMessage &) {
    if (!caretHidden) SetCaretPos(caretX, caretY);
    return RC_OK;
}

tStatus cViewPortBase::OnHScroll(int32_t code, int32_t position, sWinMessage &) {
    int32_t x = ScrollTarget(code, position, originX, deviceRect.Width(), zoomX, extentX, horzPage);
    SetOrigin(x, originY);
    InvalidateAll();
    return RC_OK;
}

tStatus cViewPortBase::OnVScroll(int32_t code, int32_t position, sWinMessage &) {
    int32_t y = ScrollTarget(code, position, originY, deviceRect.Height(), zoomY, extentY, vertPage);
    SetOrigin(originX, y);
    InvalidateAll();
    return RC_OK;
}

tStatus cViewPortBase::OnMenuSelect(uintptr_t, sWinMessage &) { return RC_OK; }

tStatus cViewPortBase::OnMouseWheel(int32_t notches, sWinMessage &record) {
    return OnVScroll(notches < 0 ? kScrollLineDown : kScrollLineUp, 0, record);
}

tStatus cViewPortBase::OnSize(int32_t width, int32_t height, sWinMessage &) {
    frameRect.GrowBy(width - deviceRect.Width(), height - deviceRect.Height());
    cGraphDvcBase::SetSize(width, height);
    SetOrigin(originX, originY);
    InvalidateAll();
    return RC_OK;
}

// ---- cViewPort (the parts that need no window system) -----------------------

cViewPort::cViewPort(cMessageDvcBase *ownerWindow, uint32_t style, const char16_t *text)
    : cViewPortBase(ownerWindow, style, text) {
    // The system's default position and size (CW_USEDEFAULT).
    frameRect.SetSize(INT32_MIN, INT32_MIN);
}

void cViewPort::UseGrayBackground() { backgroundBrush = 1; }
void cViewPort::UseNoBackground() { backgroundBrush = 5; }

const char16_t *cViewPort::SetIconName(const char16_t *text) { return iconName.Set(text); }
const char16_t *cViewPort::SetIconId(uint16_t iconId) { return iconName.SetId(iconId); }

tStatus cViewPort::OnPaint(sWinMessage &) { return RC_OK; }

tStatus cViewPort::OnMessage(uint32_t message, sWinMessage &record) {
    switch (message) {
    case kMsgPaint: return RoutePaint(record);
    case kMsgDrawItem: return RouteDrawItem(record);
    default: return cViewPortBase::OnMessage(message, record);
    }
}

// The handler paints with the paint's context held and the drawing
// prepared; a paint message that arrives while painting is dropped.
tStatus cViewPort::RoutePaint(sWinMessage &record) {
    if (painting) return RC_OK;
    painting = 1;
    sDeviceBox area;
    tStatus begun = BeginPaint(area);
    if (begun == DVC_NO_DC) {
        RaiseViewPortError(kViewPortNoDeviceContext);
    } else if (begun == RC_OK) {
        PrepareDraw();
        record.lParam = reinterpret_cast<tLParam>(&area);
        OnPaint(record);
        ReleaseDraw();
        EndPaint();
    }
    painting = 0;
    return RC_OK;
}

// An owner-drawn control paints on the item's context, in the item's
// rectangle; the router then finds the control as for any message.
tStatus cViewPort::RouteDrawItem(sWinMessage &record) {
    sDeviceBox area;
    if (BeginItemPaint(record.lParam, area) != RC_OK) return cViewPortBase::OnMessage(kMsgDrawItem, record);
    record.lParam = reinterpret_cast<tLParam>(&area);
    PrepareDraw();
    tStatus result = cViewPortBase::OnMessage(kMsgDrawItem, record);
    ReleaseDraw();
    EndItemPaint();
    return result;
}

const char16_t *cViewPort::MakeClassName() {
    std::u16string generated = u"VPClass" + name + FormatUnsigned(windowStyle);
    className.Set(generated.c_str());
    if (name.empty()) name = generated;
    return className.Get();
}

// Scripted answers stand in for the user, with or without a window.
int32_t cViewPort::ShowMessageBox(const char16_t *text, const char16_t *caption, uint32_t type) {
    if (gOpSys && gOpSys->GetScriptedBoxAnswer()) return gOpSys->MessageBox(text, caption, type);
    return ShowWindowBox(text, caption, type);
}

tMenuHandle cViewPort::GetMenuHandle() { return menuHandle; }

cDispDvcBase *cViewPort::CreateStatusBar(int32_t helpPart) { return ReplaceStatusBar(new cStatusBar(this, helpPart)); }

cSubMenuBase *cViewPort::CreatePopupMenu(const char16_t *text, uint32_t menuId, uint32_t flags) {
    delete popupMenu;
    popupMenu = nullptr;
    popupMenu = new cSubMenu(this, menuId, nullptr, NewPopupHandle());
    return cViewPortBase::CreatePopupMenu(text, menuId, flags);
}

tStatus cViewPort::TrackPopupMenu(int32_t x, int32_t y, cDispDvcBase *window) {
    if (!popupMenu) return RC_FAIL;
    popupMenu->InstallPopup();
    cViewPortBase::TrackPopupMenu(x, y, window);
    ShowPopupAt(x, y, window);
    return RC_OK;
}

tStatus cViewPort::ShowMessage(const char16_t *text, const char16_t *caption) {
    return ShowMessageBox(text, caption, 0);  // MB_OK
}

int32_t cViewPort::AskYesNo(const char16_t *text, const char16_t *caption) {
    return ShowMessageBox(text, caption, 0x24);  // MB_YESNO | MB_ICONQUESTION
}

bool TakeScriptedFileDialog(const char16_t *kind, const char16_t *&chosen) {
    std::u16string path;
    if (!gOpSys || !gOpSys->TakeScriptedFileAnswer(kind, path)) return false;
    chosen = nullptr;
    if (path.empty()) return true;
    chosen = TempStringOf(path);
    gOpSys->SetCurrentFile(chosen);
    return true;
}

std::u16string FileDialogFilter(const char16_t *filter) {
    std::u16string out;
    if (!filter) return out;
    for (const char16_t *c = filter; *c; ++c) out.push_back(*c == u'|' ? u'\0' : *c);
    out.push_back(u'\0');
    out.push_back(u'\0');
    return out;
}
