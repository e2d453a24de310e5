// Without a window system the bar keeps its parts and texts only.
#include "ui/status_bar.h"

cStatusBar::cStatusBar(cMessageDvcBase *parentWindow, int32_t helpPartIndex)
    : cStatusBarBase(parentWindow, helpPartIndex) {
    UseNoBackground();
}

cStatusBar::~cStatusBar() = default;

tStatus cStatusBar::PrepareDraw() { return RC_OK; }

tStatus cStatusBar::Open() { return cViewPort::Open(); }

tStatus cStatusBar::SetSize(int32_t width, int32_t height) { return cViewPort::SetSize(width, height); }

tStatus cStatusBar::ShowPart(int32_t index) { return GetPart(index) ? RC_OK : RC_FAIL; }
