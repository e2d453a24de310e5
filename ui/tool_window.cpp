#include "ui/tool_window.h"

#include <utility>

cViewPortStaticToolWin::cViewPortStaticToolWin(cMessageDvcBase *parentWindow)
    : cViewPortStaticToolWin(parentWindow, 0x50000000, u"ToolBarWin") {}

cViewPortStaticToolWin::cViewPortStaticToolWin(cMessageDvcBase *parentWindow, uint32_t style, const char16_t *title)
    : cViewPort(parentWindow, style, title) {
    backgroundBrush = kSolidBackground;
    backgroundColor = 0xC0F27D;
}

const char16_t *cViewPortStaticToolWin::MakeClassName() {
    className.Set(u"Tool_Bar_Window");
    return className.Get();
}

cViewPortStaticToolWin::~cViewPortStaticToolWin() = default;

cToolBar *cViewPortStaticToolWin::SetToolBar(cToolBar *bar) {
    if (!bar) return toolBar;
    cToolBar *previous = std::exchange(toolBar, bar);
    PostToOwner(kMsgToolSelected, 0, bar->GetPressedItem());
    return previous;
}

uint8_t cViewPortStaticToolWin::IsToolBarEnabled() { return toolBar ? toolBar->IsEnabled() : 0; }

uint8_t cViewPortStaticToolWin::SetToolBarEnabled(uint8_t flag) { return toolBar ? toolBar->SetEnabled(flag) : 0; }

void cViewPortStaticToolWin::ClickPoint(const sWinMessage &record, int32_t &x, int32_t &y) {
    x = int32_t(uint32_t(record.lParam) & 0xFFFF);
    y = int32_t((uint32_t(record.lParam) >> 16) & 0xFFFF);
}

// A window without a bar (none attached yet) takes mouse messages without
// acting on them.
tStatus cViewPortStaticToolWin::OnLeftDown(int32_t, int32_t, sWinMessage &record) {
    if (!toolBar) return RC_OK;
    int32_t x, y;
    ClickPoint(record, x, y);
    toolBar->SelectAt(x, y);
    InvalidateAll();
    PostToOwner(kMsgToolSelected, 0, toolBar->GetPressedItem());
    return RC_OK;
}

tStatus cViewPortStaticToolWin::OnRightDown(int32_t, int32_t, sWinMessage &record) {
    if (!toolBar) return RC_OK;
    int32_t x, y;
    ClickPoint(record, x, y);
    PostToOwner(kMsgToolRightClick, uintptr_t(record.lParam), toolBar->ItemAt(x, y));
    return RC_OK;
}

tStatus cViewPortStaticToolWin::OnMouseMove(int32_t, int32_t, sWinMessage &record) {
    if (!toolBar) return RC_OK;
    int32_t x, y;
    ClickPoint(record, x, y);
    PostToOwner(kMsgToolHover, 0, toolBar->ItemAt(x, y));
    return RC_OK;
}

cViewPortPopupToolWin::cViewPortPopupToolWin(cMessageDvcBase *parentWindow, const char16_t *title)
    : cViewPortStaticToolWin(parentWindow, 0x94CC0000, title ? title : u"") {}

cViewPortPopupToolWin::~cViewPortPopupToolWin() = default;

const char16_t *cViewPortPopupToolWin::MakeClassName() {
    className.Set(u"AllToolsWindow");
    return className.Get();
}

tStatus cViewPortPopupToolWin::OnSize(int32_t width, int32_t height, sWinMessage &record) {
    tStatus result = cViewPort::OnSize(width, height, record);
    if (toolBar) toolBar->Layout();
    return result;
}
