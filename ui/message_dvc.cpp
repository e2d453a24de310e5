#include "ui/message_dvc.h"

#include <algorithm>

#include "foundation/char_string.h"
#include "foundation/text_util.h"
#include "platform/key_names.h"
#include "platform/op_sys_base.h"
#include "platform/version_word.h"
#include "ui/gui_control.h"
#include "ui/key_mouse_window.h"

namespace {

cDebugLog *SessionLog() { return gOpSys ? &gOpSys->Log() : nullptr; }

}  // namespace

// ---- cMessageDvcBase --------------------------------------------------------

cMessageDvcBase::cMessageDvcBase(cMessageDvcBase *ownerWindow, uint32_t controlId, uint32_t style,
                                 const char16_t *text, uint32_t topic)
    : cGraphDvc(text),
      id(controlId),
      windowStyle(style),
      owner(ownerWindow),
      controls(std::make_unique<lcVectorPtr<cGuiControl>>()),
      helpTopic(topic) {}

cMessageDvcBase::~cMessageDvcBase() {
    controls.reset();
    // A status bar listens to its parent's moves and is also held as the
    // parent's own bar; the holder deletes it.  An object added twice is
    // deleted once.
    const cDispDvcBase *bar = statusBar.get();
    std::vector<cMessageDvcBase *> deleted;
    while (!listeners.empty()) {
        cMessageDvcBase *listener = listeners.front();
        listeners.erase(listeners.begin());
        if (!listener || listener == bar) continue;
        if (std::find(deleted.begin(), deleted.end(), listener) != deleted.end()) continue;
        deleted.push_back(listener);
        delete listener;
    }
    // The map never keeps an entry for a deleted object.
    if (gWindowMap) {
        for (auto it = gWindowMap->begin(); it != gWindowMap->end();) {
            if (it->second == this)
                it = gWindowMap->erase(it);
            else
                ++it;
        }
    }
}

tStatus cMessageDvcBase::Open() {
    RegisterWindow(this);
    return cGraphDvc::Open();
}

tStatus cMessageDvcBase::Close() {
    UnregisterWindow(this);
    return cGraphDvc::Close();
}

tStatus cMessageDvcBase::PrepareDraw() {
    for (size_t i = 0; i < controls->size(); ++i)
        if (cGuiControl *control = (*controls)[i]) control->PrepareDraw();
    return cGraphDvc::PrepareDraw();
}

tStatus cMessageDvcBase::ReleaseDraw() {
    for (size_t i = 0; i < controls->size(); ++i)
        if (cGuiControl *control = (*controls)[i]) control->ReleaseDraw();
    return cGraphDvc::ReleaseDraw();
}

cDispDvcBase *cMessageDvcBase::GetStatusBar() {
    if (cDispDvcBase *own = cGraphDvc::GetStatusBar()) return own;
    return owner ? owner->GetStatusBar() : nullptr;
}

cDispDvcBase *cMessageDvcBase::CreateStatusBar(int32_t) { return ReplaceStatusBar(nullptr); }

cDispDvcBase *cMessageDvcBase::ReplaceStatusBar(cDispDvcBase *bar) {
    const cDispDvcBase *old = statusBar.get();
    if (old && old != bar) {
        listeners.erase(std::remove_if(listeners.begin(), listeners.end(),
                                       [old](const cMessageDvcBase *l) { return l == old; }),
                        listeners.end());
    }
    if (old != bar) cGraphDvc::SetOwnStatusBar(bar);
    return bar;
}

// The modifier keys held stand before a click, so that a log shows a
// Shift + click as what it was.
void cMessageDvcBase::LogNamePrefix() {
    cDebugLog *log = SessionLog();
    if (!log) return;
    std::u16string prefix = name + u": ";
    if (gOpSys && gOpSys->IsShiftDown()) prefix += u"Shift ";
    if (gOpSys && gOpSys->IsCtrlDown()) prefix += u"Ctrl ";
    log->WriteString(prefix, 0);
}

tStatus cMessageDvcBase::LogMousePos() {
    LogNamePrefix();
    return cGraphDvc::LogMousePos();
}

uint8_t cMessageDvcBase::SetEnabled(uint8_t flag) {
    uint8_t old = enabled;
    enabled = flag;
    return old;
}

uint8_t cMessageDvcBase::IsEnabled() { return enabled; }

tStatus cMessageDvcBase::InitControl(cGuiControl *control) {
    if (!control) return RC_FAIL;
    control->SetOwner(this);
    RealizeControl(control);
    control->Open();
    control->Attach();
    control->PrepareDraw();
    return RC_OK;
}

tStatus cMessageDvcBase::InitControls() {
    for (size_t i = 0; i < controls->size(); ++i) InitControl((*controls)[i]);
    for (size_t i = 0; i < controls->size(); ++i)
        if (cGuiControl *control = (*controls)[i]) CallEventHandler(control->GetId(), kDialogEventInit);
    return RC_OK;
}

tStatus cMessageDvcBase::LogState() { return RC_OK; }

const char16_t *cMessageDvcBase::SetName(const char16_t *text) {
    const char16_t *old = TempStringOf(name);
    name = text ? text : u"";
    return old;
}

cMessageDvcBase *cMessageDvcBase::SetOwner(cMessageDvcBase *window) {
    cMessageDvcBase *previous = owner;
    owner = window;
    return previous;
}

cMessageDvcBase *cMessageDvcBase::GetFocusObject() { return nullptr; }

cMessageDvcBase *cMessageDvcBase::TakeFocus() { return nullptr; }

tStatus cMessageDvcBase::SetFrameRect(int32_t x, int32_t y, int32_t width, int32_t height) {
    frameRect.Set(x, y);
    frameRect.SetSize(width, height);
    return RC_OK;
}

cMessageDvcBase *cMessageDvcBase::AddListener(cMessageDvcBase *window) {
    if (window) listeners.push_back(window);
    return window;
}

cMessageDvcBase *cMessageDvcBase::RemoveListener(cMessageDvcBase *window) {
    auto it = std::find(listeners.begin(), listeners.end(), window);
    if (!window || it == listeners.end()) return nullptr;
    listeners.erase(it);
    return window;
}

cMessageDvcBase *cMessageDvcBase::RegisterWindow(cMessageDvcBase *window) {
    return owner ? owner->RegisterWindow(window) : nullptr;
}

cMessageDvcBase *cMessageDvcBase::UnregisterWindow(cMessageDvcBase *window) {
    return owner ? owner->UnregisterWindow(window) : nullptr;
}

cMessageDvcBase *cMessageDvcBase::FindRegisteredWindow(cMessageDvcBase *window) {
    return owner ? owner->FindRegisteredWindow(window) : nullptr;
}

tStatus cMessageDvcBase::RealizeControl(cGuiControl *) { return RC_OK; }

void cMessageDvcBase::MousePoint(const sWinMessage &record, int32_t &x, int32_t &y) {
    auto bits = static_cast<uint32_t>(record.lParam);
    x = PixelToLogical(static_cast<int32_t>(bits & 0xFFFF), zoomX, originX);
    y = PixelToLogical(static_cast<int32_t>(bits >> 16), zoomY, originY);
}

void cMessageDvcBase::LogKey(uint16_t key, uint32_t flags) {
    cDebugLog *log = SessionLog();
    if (!log) return;
    std::u16string line = name + u": Key=" + FormatKeyName(key, flags) + u"<" + FormatUnsigned(key) + u">@" +
                          FormatInt(mouseX) + u"," + FormatInt(mouseY);
    log->WriteString(line, 1);
}

tStatus cMessageDvcBase::LogDiagnostics() {
    if (cDebugLog *log = SessionLog()) {
        std::u16string line = name + u": Diagnostics device=" + deviceRect.ToText() + u" frame=" +
                              frameRect.ToText() + u" origin=" + FormatInt(originX) + u"," + FormatInt(originY) +
                              u" zoom=" + FormatFloat(zoomX, 3) + u"," + FormatFloat(zoomY, 3);
        log->WriteString(line, 1);
    }
    return RC_OK;
}

tStatus cMessageDvcBase::OnMessage(uint32_t message, sWinMessage &record) {
    for (size_t i = 0; i < controls->size(); ++i) {
        cGuiControl *control = (*controls)[i];
        if (!control) continue;
        tStatus result = control->OnMessage(message, record);
        if (result != MSG_NOT_HANDLED) return result;
    }
    switch (message) {
    case kMsgCreate: return OnCreate(record);
    case kMsgDestroy: return OnDestroy(record);
    case kMsgMove: {
        auto bits = static_cast<uint32_t>(record.lParam);
        int32_t left = static_cast<int16_t>(bits & 0xFFFF);
        int32_t top = static_cast<int16_t>(bits >> 16);
        return OnMove(left - deviceRect.x, top - deviceRect.y, record);
    }
    case kMsgClose: return OnClose(record);
    case kMsgKeyDown:
    case kMsgChar:
    case kMsgSysKeyDown: return RouteKey(message, record);
    case kMsgMouseMove:
    case kMsgLeftDown:
    case kMsgLeftUp:
    case kMsgRightDown:
    case kMsgRightUp: return RouteMouse(message, record);
    default: return MSG_NOT_HANDLED;
    }
}

tStatus cMessageDvcBase::RouteKey(uint32_t message, sWinMessage &record) {
    uint16_t key = record.KeyCode();
    // The system keys of the window (Alt+F4, F10, Alt alone) must reach the
    // system when the window does not take them.
    if (key == 0) return message == kMsgSysKeyDown ? MSG_NOT_HANDLED : RC_OK;
    LogKey(key, record.flags);
    if (key == 3 && gProgramStatus.IsDebugMode() && gOpSys && gOpSys->IsShiftDown()) return LogDiagnostics();
    tStatus result = OnKey(key, record);
    if (message == kMsgSysKeyDown && result < 0) return MSG_NOT_HANDLED;
    return result;
}

tStatus cMessageDvcBase::RouteMouse(uint32_t message, sWinMessage &record) {
    int32_t x = 0, y = 0;
    MousePoint(record, x, y);
    if (message == kMsgMouseMove) {
        if (x == mouseX && y == mouseY) return RC_OK;
        StoreMousePos(x, y);
        return OnMouseMove(x, y, record);
    }
    StoreMousePos(x, y);
    cDebugLog *log = SessionLog();
    if (log && message != kMsgRightUp) LogNamePrefix();
    switch (message) {
    case kMsgLeftDown:
        if (log) log->LogLeftDown(x, y);
        return OnLeftDown(x, y, record);
    case kMsgLeftUp:
        if (log) log->LogLeftUp(x, y);
        return OnLeftUp(x, y, record);
    case kMsgRightDown:
        // With the left button held the press is logged as both buttons.
        if (log && (record.key & kMouseLeftButtonBit))
            log->LogBothDown(x, y);
        else if (log)
            log->LogRightDown(x, y);
        return OnRightDown(x, y, record);
    default: return OnRightUp(x, y, record);
    }
}

tStatus cMessageDvcBase::OnKey(uint16_t, sWinMessage &) { return RC_FAIL; }

tStatus cMessageDvcBase::CanClose() {
    tStatus result = RC_OK;
    for (size_t i = 0; i < listeners.size(); ++i)
        if (cMessageDvcBase *listener = listeners[i]) result = std::min(result, listener->CanClose());
    return result;
}

// A refused close keeps the window: a listener refuses when closing now
// would lose work (a score whose save failed).
tStatus cMessageDvcBase::OnClose(sWinMessage &record) {
    tStatus result = CanClose();
    if (result < 0) return result == MSG_NOT_HANDLED ? RC_FAIL : result;
    for (size_t i = 0; i < listeners.size(); ++i)
        if (cMessageDvcBase *listener = listeners[i]) listener->OnClose(record);
    Close();
    return result;
}

tStatus cMessageDvcBase::OnCommand(sWinMessage &record) {
    for (size_t i = 0; i < listeners.size(); ++i) {
        cMessageDvcBase *listener = listeners[i];
        if (!listener) continue;
        tStatus result = listener->OnCommand(record);
        if (result >= 0) return result;
    }
    return RC_FAIL;
}

tStatus cMessageDvcBase::OnCreate(sWinMessage &) { return RC_OK; }
tStatus cMessageDvcBase::OnLeftDown(int32_t, int32_t, sWinMessage &) { return RC_OK; }
tStatus cMessageDvcBase::OnLeftUp(int32_t, int32_t, sWinMessage &) { return RC_OK; }
tStatus cMessageDvcBase::OnRightDown(int32_t, int32_t, sWinMessage &) { return RC_OK; }
tStatus cMessageDvcBase::OnRightUp(int32_t, int32_t, sWinMessage &) { return RC_OK; }
tStatus cMessageDvcBase::OnMouseMove(int32_t, int32_t, sWinMessage &) { return RC_OK; }

tStatus cMessageDvcBase::OnMove(int32_t dx, int32_t dy, sWinMessage &record) {
    frameRect.Offset(dx, dy);
    deviceRect.Offset(dx, dy);
    for (size_t i = 0; i < listeners.size(); ++i)
        if (cMessageDvcBase *listener = listeners[i]) listener->OnMove(dx, dy, record);
    for (size_t i = 0; i < controls->size(); ++i)
        if (cGuiControl *control = (*controls)[i]) control->OnMove(dx, dy, record);
    return RC_OK;
}

tStatus cMessageDvcBase::OnPaint(sWinMessage &) { return RC_OK; }
tStatus cMessageDvcBase::OnDestroy(sWinMessage &) { return RC_OK; }
uint16_t cMessageDvcBase::FilterCode(uint16_t code) { return code; }
tStatus cMessageDvcBase::PreviewMessage(uint32_t, sWinMessage &) { return RC_OK; }

tDialogEventHandler cMessageDvcBase::SetEventHandler(tDialogEventHandler handler, uint32_t data) {
    tDialogEventHandler previous = eventHandler;
    eventHandler = handler;
    callbackData = data;
    return previous;
}

tStatus cMessageDvcBase::CallEventHandler(uint32_t controlId, int32_t code) {
    if (!eventHandler) return RC_FAIL;
    return eventHandler(controlId, code, this, callbackData);
}

tStatus cMessageDvcBase::EditTranslation(cGuiControl *, sWinMessage &) { return RC_FAIL; }

const char16_t *cMessageDvcBase::GetTextKey() { return TempStringOf(name + u"_text"); }
const char16_t *cMessageDvcBase::GetHintKey() { return TempStringOf(name + u"_hint"); }

uint32_t cMessageDvcBase::SetWindowStyle(uint32_t style) {
    uint32_t previous = windowStyle;
    windowStyle = style;
    return previous;
}

cGuiControl *cMessageDvcBase::AddControl(cGuiControl *control) {
    if (control) controls->push_back(control);
    return control;
}

// ---- cMessageDvc (the parts that need no window system) ---------------------

cMessageDvc::~cMessageDvc() {
    if (windowHandle && FindWindowObject(windowHandle) == this) UnmapWindow(windowHandle);
}

tWindowHandle cMessageDvc::GetWindowHandle() {
    if (windowHandle) return windowHandle;
    return owner ? owner->GetWindowHandle() : nullptr;
}

// ---- The window map ---------------------------------------------------------

std::map<tWindowHandle, cMessageDvcBase *> *gWindowMap = nullptr;

namespace {
// Builds the map before the entry runs and removes it after the entry returns.
struct sWindowMapLifetime {
    sWindowMapLifetime() { InitWindowMap(); }
    ~sWindowMapLifetime() { ExitWindowMap(); }
} gWindowMapLifetime;
}  // namespace

void InitWindowMap() {
    if (!gWindowMap) gWindowMap = new std::map<tWindowHandle, cMessageDvcBase *>;
}

void ExitWindowMap() {
    delete gWindowMap;
    gWindowMap = nullptr;
}

cMessageDvcBase *FindWindowObject(tWindowHandle window) {
    if (!gWindowMap || !window) return nullptr;
    auto it = gWindowMap->find(window);
    return it == gWindowMap->end() ? nullptr : it->second;
}

void MapWindow(tWindowHandle window, cMessageDvcBase *object) {
    if (!window || !object) return;
    InitWindowMap();
    (*gWindowMap)[window] = object;
}

void UnmapWindow(tWindowHandle window) {
    if (gWindowMap && window) gWindowMap->erase(window);
}

size_t WindowMapCount() { return gWindowMap ? gWindowMap->size() : 0; }

// ---- Delivery ---------------------------------------------------------------

namespace {
cKeyMouseWin *KeyMouseWindow() { return gOpSys ? gOpSys->GetKeyMouseWindow() : nullptr; }
}  // namespace

tStatus DeliverWindowMessage(tWindowHandle window, uint32_t message, tWParam wParam, tLParam lParam) {
    sWinMessage record(message, wParam, lParam);
    if (message == kMsgChar)
        if (cKeyMouseWin *keyMouse = KeyMouseWindow()) keyMouse->OnInputEvent(record);
    cMessageDvcBase *object = FindWindowObject(window);
    if (!object) return MSG_NOT_HANDLED;
    object->PreviewMessage(message, record);
    return object->OnMessage(message, record);
}

intptr_t DeliverDialogMessage(tWindowHandle window, uint32_t message, tWParam wParam, tLParam lParam,
                              tWindowProcCall deliver) {
    if (cKeyMouseWin *keyMouse = KeyMouseWindow()) {
        sWinMessage record(message, wParam, lParam);
        keyMouse->OnInputEvent(record);
    }
    if (message == kMsgInitDialog) {
        // The dialog object passes itself as the creation parameter.
        if (auto *dialog = reinterpret_cast<cMessageDvcBase *>(lParam)) {
            MapWindow(window, dialog);
            dialog->SetWindowHandle(window);
        }
        deliver(window, message, wParam, lParam);
        return 1;
    }
    if (!FindWindowObject(window)) return 0;
    switch (message) {
    case kMsgCreate:
    case kMsgMove:
    case kMsgDrawItem:
    case kMsgCommand:
    case kMsgHScroll:
    case kMsgVScroll:
    case kMsgMouseMove:
    case kMsgLeftDown: return deliver(window, message, wParam, lParam) >= 0 ? 1 : 0;
    default: return 0;
    }
}
