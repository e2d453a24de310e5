// Drawing over GDI: pens, brush, shapes, bitmaps, icons, cursors and the caret.
#include "foundation/win32_win.h"
#include "ui/graph_dvc.h"

namespace {

RECT ToRect(const sDeviceBox &b) { return RECT{b.left, b.top, b.right, b.bottom}; }

LOGBRUSH ToLogBrush(const cGraphDvc::sBrushRecord &b) { return LOGBRUSH{b.style, b.colour, b.hatch}; }

// Reads the record of a brush the system made; it stays as it was when the
// system cannot tell.
void ReadBrushRecord(HBRUSH brush, cGraphDvc::sBrushRecord &out) {
    LOGBRUSH record = ToLogBrush(out);
    GetObjectW(brush, sizeof record, &record);
    out = cGraphDvc::sBrushRecord{record.lbStyle, record.lbColor, record.lbHatch};
}

}  // namespace

cGraphDvc::cTakenDC::cTakenDC(cGraphDvc &owner, bool screenWhenNoWindow) : device(owner) {
    if (device.GetHeldDC()) return;
    window = device.GetWindowHandle();
    if (!window && !screenWhenNoWindow) return;
    taken = GetDC(window);
    if (taken) device.SetDeviceContext(taken);
}

cGraphDvc::cTakenDC::~cTakenDC() {
    if (!taken) return;
    device.SetDeviceContext(nullptr);
    ReleaseDC(window, taken);
}

tStatus cGraphDvc::ReadyToDraw() {
    if (openCount <= 0) {
        ReportNoDeviceContext();
        return DVC_NOT_OPEN;
    }
    if (!deviceContext) {
        ReportNoDeviceContext();
        return DVC_NO_DC;
    }
    return RC_OK;
}

// The system's paint record, which EndPaint hands back.
struct cGraphDvc::sPaintState {
    HWND window = nullptr;
    PAINTSTRUCT paint{};
};
void cGraphDvc::sPaintStateDeleter::operator()(sPaintState *state) const { delete state; }

tStatus cGraphDvc::BeginPaint(sDeviceBox &area) {
    RECT update{};
    if (!windowHandle || !GetUpdateRect(windowHandle, &update, FALSE)) return RC_FAIL;
    std::unique_ptr<sPaintState, sPaintStateDeleter> state(new sPaintState);
    state->window = windowHandle;
    HDC dc = ::BeginPaint(windowHandle, &state->paint);
    if (!dc) return DVC_NO_DC;
    area = sDeviceBox{update.left, update.top, update.right, update.bottom};
    SetDeviceContext(dc);
    paintState = std::move(state);
    return RC_OK;
}

tStatus cGraphDvc::EndPaint() {
    if (!paintState) return RC_FAIL;
    ::EndPaint(paintState->window, &paintState->paint);
    paintState.reset();
    SetDeviceContext(nullptr);
    return RC_OK;
}

tStatus cGraphDvc::BeginItemPaint(tLParam itemRecord, sDeviceBox &area) {
    auto *item = reinterpret_cast<const DRAWITEMSTRUCT *>(itemRecord);
    if (!item) return RC_FAIL;
    area = sDeviceBox{item->rcItem.left, item->rcItem.top, item->rcItem.right, item->rcItem.bottom};
    contextBeforeItem = SetDeviceContext(item->hDC);
    return RC_OK;
}

tStatus cGraphDvc::EndItemPaint() {
    SetDeviceContext(contextBeforeItem);
    contextBeforeItem = nullptr;
    return RC_OK;
}

cGraphDvc::~cGraphDvc() {
    if (deviceContext) SelectObject(deviceContext, GetStockObject(BLACK_PEN));
    if (firstPenHandle) DeleteObject(firstPenHandle);
    if (secondPenHandle) DeleteObject(secondPenHandle);
    if (brush) DeleteObject(brush);
    if (memoryDC) DeleteDC(memoryDC);
}

tStatus cGraphDvc::Attach() {
    cGraphDvcBase::Attach();
    if (!IsDisplayDevice()) return RC_OK;
    HWND window = GetWindowHandle();
    if (!deviceContext && !window) {
        ReportNoWindowHandle();
        return DVC_NO_DC;
    }
    cTakenDC taken(*this, false);
    HDC dc = deviceContext;
    if (!dc) {
        ReportNoWindowHandle();
        return DVC_NO_DC;
    }
    if (!SetMapMode(dc, MM_TEXT)) {
        ReportNoWindowHandle();
        return DVC_GDI_FAILED;
    }
    if (GetDeviceCaps(dc, TECHNOLOGY) == DT_RASDISPLAY) {
        RECT client{};
        if (window) GetClientRect(window, &client);
        deviceRect.SetSize(client.right - client.left + 1, client.bottom - client.top + 1);
    } else {
        deviceRect.SetSize(GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES));
    }
    topDown = GetMapMode(dc) == MM_TEXT;
    resolution = static_cast<uint32_t>(GetDeviceCaps(dc, LOGPIXELSX));
    offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
    offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    POINT origin{};
    if (GetDCOrgEx(dc, &origin)) deviceRect.Set(origin.x, origin.y);

    tStatus result = RC_OK;
    for (sPenRecord *pen : {&firstPen, &secondPen}) {
        pen->style = kSecondPenStyle;
        pen->width = 1;
        pen->brush = sBrushRecord{BS_SOLID, 0, 0};
    }
    lineWidth = 1;
    SelectObject(dc, GetStockObject(BLACK_PEN));
    if (firstPenHandle) DeleteObject(firstPenHandle);
    if (secondPenHandle) DeleteObject(secondPenHandle);
    LOGPEN solid{PS_SOLID, POINT{1, 0}, 0};
    firstPenHandle = CreatePenIndirect(&solid);
    secondPenHandle = CreatePenIndirect(&solid);
    if (!firstPenHandle) {
        ReportGdiFailure();
        result = DVC_NO_DC;
    } else {
        SelectObject(dc, firstPenHandle);
    }
    if (brush) DeleteObject(brush);
    brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    SelectObject(dc, brush);
    ReadBrushRecord(brush, brushRecord);
    return result;
}

tStatus cGraphDvc::PrepareDraw() {
    cDispDvcBase::PrepareDraw();
    HWND window = GetWindowHandle();
    cTakenDC taken(*this, false);
    HDC dc = deviceContext;
    if (!dc) {
        ReportNoDeviceContext();
        return DVC_NO_DC;
    }
    if (memoryDC) DeleteDC(memoryDC);
    memoryDC = CreateCompatibleDC(dc);
    if (!memoryDC) {
        ReportNoDeviceContext();
        return DVC_GDI_FAILED;
    }
    tStatus result = RC_OK;
    SelectFontScaled(currentFont, 1.0f);
    if (SetTextColor(dc, textColour) == CLR_INVALID) {
        ReportGdiFailure();
        result = DVC_GDI_FAILED;
    }
    if (!firstPenHandle || !SelectObject(dc, firstPenHandle)) {
        ReportGdiFailure();
        result = DVC_GDI_FAILED;
    }
    if (!brush || !SelectObject(dc, brush)) {
        ReportGdiFailure();
        result = DVC_GDI_FAILED;
    }
    if (!SetBkMode(dc, backgroundMode == 2 ? TRANSPARENT : OPAQUE)) {
        ReportGdiFailure();
        result = DVC_GDI_FAILED;
    }
    return result;
}

tStatus cGraphDvc::ReleaseDraw() {
    if (memoryDC) DeleteDC(memoryDC);
    memoryDC = nullptr;
    return RC_OK;
}

tStatus cGraphDvc::MoveToScaled(int32_t x, int32_t y, float scale) {
    cGraphDvcBase::MoveToScaled(x, y, scale);
    if (openCount > 0 && deviceContext) {
        sDevicePoint p = PenRulePoint(View(), x, y, scale);
        MoveToEx(deviceContext, p.x, p.y, nullptr);
    }
    return RC_OK;
}

tStatus cGraphDvc::DrawLineScaled(int32_t x1, int32_t y1, int32_t x2, int32_t y2, float scale) {
    if (tStatus ready = ReadyToMark(); ready != RC_OK) return ready;
    sLinePlan plan = PlanLine(View(), x1, y1, x2, y2, scale, firstPen.width);
    if (plan.empty) return RC_OK;
    int32_t keepX = penX, keepY = penY;
    if (!plan.polyline) {
        MoveToScaled(x1, y1, scale);
        LineTo(deviceContext, plan.points[1].x, plan.points[1].y);
    } else {
        POINT pts[4];
        for (int i = 0; i < 4; i++) pts[i] = POINT{plan.points[i].x, plan.points[i].y};
        SelectObject(deviceContext, secondPenHandle);
        Polyline(deviceContext, pts, 4);
        SelectObject(deviceContext, firstPenHandle);
    }
    penX = keepX;
    penY = keepY;
    return RC_OK;
}

tStatus cGraphDvc::DrawMaskLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width, tColour colour) {
    if (tStatus ready = ReadyToDraw(); ready != RC_OK) return ready;
    HPEN pen = CreatePen(PS_SOLID, width, colour & 0xFFFFFF);
    SelectObject(deviceContext, pen);
    int previousMode = SetROP2(deviceContext, R2_MASKPEN);
    DrawLine(x1, y1, x2, y2);
    SetROP2(deviceContext, previousMode);
    SelectObject(deviceContext, firstPenHandle ? static_cast<HGDIOBJ>(firstPenHandle) : GetStockObject(BLACK_PEN));
    if (pen) DeleteObject(pen);
    return RC_OK;
}

tStatus cGraphDvc::DrawArc(int32_t x, int32_t y, int32_t w, int32_t h, int32_t x1, int32_t y1, int32_t x2,
                           int32_t y2) {
    if (tStatus ready = ReadyToMark(); ready != RC_OK) return ready;
    sArcPlan plan = PlanArc(View(), x, y, w, h, x1, y1, x2, y2);
    Arc(deviceContext, plan.box.left, plan.box.top, plan.box.right, plan.box.bottom, plan.start.x, plan.start.y,
        plan.end.x, plan.end.y);
    return RC_OK;
}

tStatus cGraphDvc::EraseRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (tStatus ready = ReadyToMark(); ready != RC_OK) return ready;
    RECT r = ToRect(AreaRuleBox(View(), x, y, w, h));
    HGDIOBJ previous = SelectObject(deviceContext, GetStockObject(WHITE_PEN));
    Rectangle(deviceContext, r.left, r.top, r.right, r.bottom);
    SelectObject(deviceContext, previous);
    return RC_OK;
}

tStatus cGraphDvc::FillRect(int32_t x, int32_t y, int32_t w, int32_t h, tColour colour) {
    if (tStatus ready = ReadyToDraw(); ready != RC_OK) return ready;
    HBRUSH fill = CreateSolidBrush(colour & 0xFFFFFF);
    SelectObject(deviceContext, fill);
    PatBlt(deviceContext, x, y, w, h, PATCOPY);
    if (brush) SelectObject(deviceContext, brush);
    else SelectObject(deviceContext, GetStockObject(WHITE_BRUSH));
    if (fill) DeleteObject(fill);
    return RC_OK;
}

tStatus cGraphDvc::FillEllipse(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (tStatus ready = ReadyToMark(); ready != RC_OK) return ready;
    RECT r = ToRect(AreaRuleBox(View(), x, y, w, h));
    HGDIOBJ previous = SelectObject(deviceContext, GetStockObject(BLACK_BRUSH));
    Ellipse(deviceContext, r.left, r.top, r.right, r.bottom);
    SelectObject(deviceContext, previous);
    return RC_OK;
}

tStatus cGraphDvc::InvertRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (tStatus ready = ReadyToMark(); ready != RC_OK) return ready;
    RECT r = ToRect(AreaRuleBox(View(), x, y, w, h));
    ::InvertRect(deviceContext, &r);
    return RC_OK;
}

tStatus cGraphDvc::DrawPoint(int32_t x, int32_t y) {
    if (tStatus ready = ReadyToMark(); ready != RC_OK) return ready;
    sDevicePoint p = AreaRulePoint(View(), x, y);
    SetPixel(deviceContext, p.x, p.y, 0x000001);
    return RC_OK;
}

tStatus cGraphDvc::InvalidateArea(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (w == 0 && h == 0) return RC_OK;
    HWND window = GetWindowHandle();
    if (!window) {
        ReportNoDeviceContext();
        return DVC_NO_DC;
    }
    RECT r = ToRect(AreaRuleBox(View(), x, y, w, h));
    InvalidateRect(window, &r, TRUE);
    return RC_OK;
}

tStatus cGraphDvc::InvalidateAll() {
    HWND window = GetWindowHandle();
    if (!window) {
        ReportNoDeviceContext();
        return DVC_NO_DC;
    }
    InvalidateRect(window, nullptr, TRUE);
    return RC_OK;
}

tStatus cGraphDvc::RebuildPens() {
    if (openCount <= 0) {
        ReportNoDeviceContext();
        return DVC_NOT_OPEN;
    }
    if (deviceContext) SelectObject(deviceContext, GetStockObject(BLACK_PEN));
    if (firstPenHandle) DeleteObject(firstPenHandle);
    if (secondPenHandle) DeleteObject(secondPenHandle);
    LOGBRUSH penBrush = ToLogBrush(firstPen.brush);
    firstPenHandle = ExtCreatePen(kFirstPenStyle | (firstPen.style & 0xF), static_cast<DWORD>(firstPen.width),
                                  &penBrush, 0, nullptr);
    secondPenHandle = ExtCreatePen(kSecondPenStyle | (secondPen.style & 0xF), static_cast<DWORD>(secondPen.width),
                                   &penBrush, 0, nullptr);
    if (!firstPenHandle) {
        ReportGdiFailure();
        return DVC_GDI_FAILED;
    }
    if (deviceContext) SelectObject(deviceContext, firstPenHandle);
    return RC_OK;
}

tColour cGraphDvc::SetColour(tColour colour) {
    tColour old = cGraphDvcBase::SetColour(colour);
    if (deviceContext) {
        firstPen.brush.colour = colour;
        secondPen.brush.colour = colour;
        RebuildPens();
    }
    return old;
}

int32_t cGraphDvc::SetLineWidth(int32_t width) {
    if (width == lineWidth) return width;
    int32_t old = cGraphDvcBase::SetLineWidth(width);
    if (openCount > 0) RebuildPens();
    return old;
}

int32_t cGraphDvc::SetLineStyle(int32_t style) {
    if (style == lineStyle) return style;
    int32_t old = cGraphDvcBase::SetLineStyle(style);
    RebuildPens();
    return old;
}

tStatus cGraphDvc::SetBrush(HBRUSH newBrush) {
    bool open = openCount > 0 && deviceContext;
    if (open) SelectObject(deviceContext, GetStockObject(WHITE_BRUSH));
    if (brush) DeleteObject(brush);
    if (newBrush) {
        brush = newBrush;
        ReadBrushRecord(newBrush, brushRecord);
    } else {
        LOGBRUSH record = ToLogBrush(brushRecord);
        brush = CreateBrushIndirect(&record);
    }
    if (open && brush) SelectObject(deviceContext, brush);
    return RC_OK;
}

int32_t cGraphDvc::SetBackgroundMode(int32_t mode) {
    if (openCount <= 0 || !deviceContext) {
        ReportNoDeviceContext();
        return backgroundMode;
    }
    if (mode == backgroundMode) return backgroundMode;
    int previous = SetBkMode(deviceContext, mode == 2 ? TRANSPARENT : OPAQUE);
    backgroundMode = mode;
    return previous == TRANSPARENT ? 2 : 0;
}

tColour cGraphDvc::SetTextColour(tColour colour) {
    tColour old = cGraphDvcBase::SetTextColour(colour);
    if (deviceContext) SetTextColor(deviceContext, colour);
    return old;
}

HDC cGraphDvc::GetDeviceContext() { return deviceContext; }

HCURSOR cGraphDvc::SetCursor(HCURSOR cursor) { return ::SetCursor(cursor); }

HCURSOR cGraphDvc::LoadCursorResource(const char16_t *name) {
    bool empty = !name || (!IS_INTRESOURCE(name) && !name[0]);
    if (!gModuleInstance || empty) return LoadCursorW(nullptr, IDC_ARROW);
    return LoadCursorW(gModuleInstance, W(name));
}

tStatus cGraphDvc::DrawBitmap(HBITMAP bitmap, int32_t x, int32_t y, int32_t w, int32_t h) {
    MarkDirty();
    if (openCount <= 0 || !memoryDC || !deviceContext) {
        ReportNoDeviceContext();
        return DVC_NO_DC;
    }
    HGDIOBJ previous = SelectObject(memoryDC, bitmap);
    if (!previous) {
        ReportBitmapError();
        return RC_FAIL;
    }
    bool recolour = bitmapColour != textColour;
    if (recolour) SetTextColor(deviceContext, bitmapColour);
    sBlitPlan plan = PlanBitmap(View(), x, y, w, h);
    BOOL ok = plan.stretch ? StretchBlt(deviceContext, plan.x, plan.y, plan.width, plan.height, memoryDC, 0, 0, w, h,
                                        rasterOp)
                           : BitBlt(deviceContext, plan.x, plan.y, plan.width, plan.height, memoryDC, 0, 0, rasterOp);
    if (recolour) SetTextColor(deviceContext, textColour);
    SelectObject(memoryDC, previous);
    if (!ok) {
        ReportNoDeviceContext();
        return DVC_GDI_FAILED;
    }
    return RC_OK;
}

tStatus cGraphDvc::GetBitmapSize(HBITMAP bitmap, int32_t &width, int32_t &height) {
    SIZE size{};
    GetBitmapDimensionEx(bitmap, &size);
    // Bitmaps loaded from the resources record no dimension: their pixel
    // size is their natural size, as the headless device answers it.
    BITMAP info{};
    if (size.cx == 0 && size.cy == 0 && GetObjectW(bitmap, sizeof info, &info) == static_cast<int>(sizeof info)) {
        size.cx = info.bmWidth;
        size.cy = info.bmHeight;
    }
    width = size.cx;
    height = size.cy;
    return RC_OK;
}

tStatus cGraphDvc::DrawBitmapNatural(HBITMAP bitmap, int32_t x, int32_t y) {
    int32_t w = 0, h = 0;
    GetBitmapSize(bitmap, w, h);
    return DrawBitmap(bitmap, x, y, w, h);
}

HBITMAP cGraphDvc::LoadBitmapResource(const char16_t *name) {
    HBITMAP bitmap = gModuleInstance ? LoadBitmapW(gModuleInstance, W(name))
                                     : reinterpret_cast<HBITMAP>(LoadIconW(nullptr, IDI_QUESTION));
    if (!bitmap) ReportBitmapError();
    return bitmap;
}

tStatus cGraphDvc::FreeBitmap(tBitmapHandle handle) { return DeleteObject(handle) ? RC_OK : RC_FAIL; }

tStatus cGraphDvc::DrawIcon(const char16_t *name, int32_t x, int32_t y) {
    if (!name || (!IS_INTRESOURCE(name) && !name[0])) return RC_OK;
    HICON icon = LoadIconW(gModuleInstance, W(name));
    cTakenDC taken(*this, true);
    if (deviceContext && icon) ::DrawIcon(deviceContext, x, y, icon);
    return RC_OK;
}

tStatus cGraphDvc::SetMousePos(int32_t x, int32_t y) {
    if (x == mouseX && y == mouseY) return RC_OK;
    sDevicePoint p = MouseRulePoint(View(), x, y);
    SetCursorPos(p.x + deviceRect.x, p.y + deviceRect.y);
    mouseX = PixelToLogical(p.x, zoomX, originX);
    mouseY = PixelToLogical(p.y, zoomY, originY);
    return RC_OK;
}

tStatus cGraphDvc::SetCaretPos(int32_t x, int32_t y) {
    HWND window = GetWindowHandle();
    sDeviceView view = View();
    if (!caretCreated) {
        if (IsDisplayDevice()) {
            ::CreateCaret(window, nullptr, caretWidth, CaretPixelHeight(view, caretHeight));
            sDevicePoint old = CaretRulePoint(view, caretX, caretY, caretHeight);
            ::SetCaretPos(old.x, old.y);
            ShowCaret(window);
        }
        caretCreated = 1;
    }
    cGraphDvcBase::SetCaretPos(x, y);
    sDevicePoint p = CaretRulePoint(view, x, y, caretHeight);
    ::SetCaretPos(p.x, p.y);
    return RC_OK;
}

tStatus cGraphDvc::CreateCaret(int32_t x, int32_t y, int32_t width, int32_t height) {
    HWND window = GetWindowHandle();
    if (caretCreated) DestroyCaret();
    cGraphDvcBase::CreateCaret(x, y, width, height);
    ::CreateCaret(window, nullptr, caretWidth, CaretPixelHeight(View(), caretHeight));
    caretCreated = 1;
    SetCaretPos(x, y);
    ShowCaret(window);
    return RC_OK;
}

tStatus cGraphDvc::HideCaret() {
    cGraphDvcBase::HideCaret();
    if (caretCreated) ::HideCaret(GetWindowHandle());
    return RC_OK;
}
