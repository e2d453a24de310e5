// The windows that show a tool bar: one docked in the frame and one
// floating with a caption.  A click does not act here: the chosen,
// right-clicked or hovered tool is posted to the owner window.
#pragma once

#include "ui/tool_bar.h"
#include "ui/view_port.h"

class cViewPortStaticToolWin : public cViewPort {
public:
    explicit cViewPortStaticToolWin(cMessageDvcBase *parentWindow);
    ~cViewPortStaticToolWin() override;

    // Stores the bar (null is refused) and posts its pressed item.
    virtual cToolBar *SetToolBar(cToolBar *bar);
    virtual uint8_t IsToolBarEnabled();
    virtual uint8_t SetToolBarEnabled(uint8_t flag);
    cToolBar *GetToolBar() const { return toolBar; }

    tStatus OnLeftDown(int32_t x, int32_t y, sWinMessage &record) override;
    tStatus OnRightDown(int32_t x, int32_t y, sWinMessage &record) override;
    tStatus OnMouseMove(int32_t x, int32_t y, sWinMessage &record) override;
    tStatus OnPaint(sWinMessage &record) override;

protected:
    cViewPortStaticToolWin(cMessageDvcBase *parentWindow, uint32_t style, const char16_t *title);
    // Tool windows register fixed class names, so that they can be found
    // by class.
    const char16_t *MakeClassName() override;
    // Posts to the owner window; nothing without one.
    void PostToOwner(uint32_t message, uintptr_t wParam, const void *lParam);
    // The unsigned point of a mouse message.
    static void ClickPoint(const sWinMessage &record, int32_t &x, int32_t &y);

    cToolBar *toolBar = nullptr;
};

class cViewPortPopupToolWin : public cViewPortStaticToolWin {
public:
    cViewPortPopupToolWin(cMessageDvcBase *parentWindow, const char16_t *title);
    ~cViewPortPopupToolWin() override;

    // The tools reflow whenever the window is resized.
    tStatus OnSize(int32_t width, int32_t height, sWinMessage &record) override;

protected:
    const char16_t *MakeClassName() override;
};
