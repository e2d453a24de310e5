#include "ui/view_port_top.h"

#include <algorithm>

#include "platform/op_sys_base.h"
#include "ui/online_report.h"
#include "ui/view_help.h"

cViewPortTopBase::cViewPortTopBase(const char16_t *text) : cViewPort(nullptr, kStyleTopWindow, text) {}

cViewPortTopBase::~cViewPortTopBase() = default;

cMessageDvcBase *cViewPortTopBase::RegisterWindow(cMessageDvcBase *window) {
    if (window && !FindRegisteredWindow(window)) windows.push_back(window);
    return window;
}

cMessageDvcBase *cViewPortTopBase::UnregisterWindow(cMessageDvcBase *window) {
    auto it = std::find(windows.begin(), windows.end(), window);
    if (!window || it == windows.end()) return nullptr;
    windows.erase(it);
    return window;
}

cMessageDvcBase *cViewPortTopBase::FindRegisteredWindow(cMessageDvcBase *window) {
    auto it = std::find(windows.begin(), windows.end(), window);
    return window && it != windows.end() ? window : nullptr;
}

cViewPortTop::cViewPortTop(int32_t mode, const char16_t *text) : cViewPortTopBase(text) {
    showMode = mode;
    if (gOpSys) gOpSys->SetMainWindow(this);
    // The first reported error offers the on-line report while a main
    // window owns the box.
    SetReportOffer(OfferOnlineReport);
}

cViewPortTop::~cViewPortTop() {
    UnloadHtmlHelp();
    if (gOpSys && gOpSys->GetMainWindow() == this) {
        gOpSys->ShowKeyMouseHelp(nullptr, nullptr);
        gOpSys->SetMainWindow(nullptr);
    }
}
