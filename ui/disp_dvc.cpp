#include "ui/disp_dvc.h"

#include <cstdlib>

#include "foundation/char_string.h"
#include "platform/op_sys.h"

tInstanceHandle gModuleInstance = nullptr;

// ---- cDispDvcBase -----------------------------------------------------------

cDispDvcBase::cDispDvcBase(const char16_t *text, uint32_t k) : name(text ? text : u""), kind(k) {}

cDispDvcBase::~cDispDvcBase() = default;

const char16_t *cDispDvcBase::GetName() { return name.c_str(); }

tStatus cDispDvcBase::Attach() {
    dirty = 0;
    return RC_OK;
}

tStatus cDispDvcBase::PrepareDraw() {
    dirty = 0;
    return RC_OK;
}

tStatus cDispDvcBase::Open() {
    openCount++;
    dirty = 0;
    return RC_OK;
}

tStatus cDispDvcBase::Close() {
    if (openCount > 0) openCount--;
    return RC_OK;
}

tStatus cDispDvcBase::ReleaseDraw() { return RC_OK; }

tStatus cDispDvcBase::IsOpen() { return openCount ? openCount : DVC_NOT_OPEN; }

const char16_t *cDispDvcBase::Describe() { return u"base"; }

int32_t cDispDvcBase::PutChars(const char16_t *text, uint16_t n) {
    int32_t sum = 0;
    for (uint16_t i = 0; i < n && text; i++) sum += PutChar(text[i]);
    return sum;
}

void cDispDvcBase::NewPage() {}

int32_t cDispDvcBase::GetScreenX() { return deviceRect.x; }
int32_t cDispDvcBase::GetScreenY() { return deviceRect.y; }
int32_t cDispDvcBase::GetWidth() { return deviceRect.Width(); }
int32_t cDispDvcBase::GetHeight() { return deviceRect.Height(); }

tStatus cDispDvcBase::HitTest(int32_t x, int32_t y) { return deviceRect.TestPoint(x, y); }

void cDispDvcBase::UseGrayBackground() {}
void cDispDvcBase::UseNoBackground() {}

cDispDvcBase *cDispDvcBase::GetStatusBar() { return statusBar.get(); }

cDispDvcBase *cDispDvcBase::CreateStatusBar(int32_t) {
    statusBar.reset();
    return nullptr;
}

const char16_t *cDispDvcBase::GetRectText() { return deviceRect.ToText(); }

uint32_t cDispDvcBase::SetRectFromText(const char16_t *text) { return deviceRect.FromText(text); }

// ---- cDispDvc ---------------------------------------------------------------

cDispDvc::cDispDvc(const char16_t *text) : cDispDvcBase(text, 2) {
    currentMessage.Clear();
    if (auto *os = dynamic_cast<cOpSysVirtual *>(gOpSys)) gModuleInstance = os->GetInstance();
}

tWindowHandle cDispDvc::GetWindowHandle() { return windowHandle; }

void cDispDvc::SetWindowHandle(tWindowHandle window) { windowHandle = window; }

void cDispDvc::SetCurrentMessage(uint32_t message, tWParam wParam, tLParam lParam) {
    currentMessage.Set(message, wParam, lParam);
}

sWinMessage &cDispDvc::GetCurrentMessage() { return currentMessage; }

// ---- cDispDvc::sWinResource -------------------------------------------------

cDispDvc::sWinResource::~sWinResource() { FreeCopy(); }

void cDispDvc::sWinResource::FreeCopy() {
    if (value && !IsId()) delete[] value;
    value = nullptr;
}

const char16_t *cDispDvc::sWinResource::Set(const char16_t *text) {
    const char16_t *previous = IsId() ? value : nullptr;
    FreeCopy();
    if (text) {
        uint32_t n = TextLength(text);
        auto *copy = new char16_t[n + 1];
        for (uint32_t i = 0; i <= n; i++) copy[i] = text[i];
        value = copy;
    }
    return previous;
}

tStatus cDispDvc::sWinResource::IsSet() const {
    if (!value) return RC_FAIL;
    if (IsId()) return RC_OK;
    return value[0];
}

const char16_t *cDispDvc::sWinResource::SetId(uint16_t id) {
    const char16_t *previous = IsId() ? value : nullptr;
    FreeCopy();
    value = reinterpret_cast<const char16_t *>(uintptr_t(id));
    return previous;
}
