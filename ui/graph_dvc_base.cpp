#include "ui/graph_dvc_base.h"

#include <cmath>

#include "foundation/char_string.h"
#include "platform/op_sys_base.h"

cGraphDvcBase::cGraphDvcBase(const char16_t *text) : cDispDvc(text) { deviceRect.SetSize(640, 480); }

sDeviceView cGraphDvcBase::View() const {
    sDeviceView v;
    v.originX = originX;
    v.originY = originY;
    v.zoomX = zoomX;
    v.zoomY = zoomY;
    v.topDown = topDown != 0;
    return v;
}

tStatus cGraphDvcBase::Attach() {
    cDispDvc::Attach();
    originX = originY = 0;
    zoomX = zoomY = 1.0f;
    penX = penY = 0;
    bitmapMode = 1;
    backgroundMode = 0;
    lineWidth = 1;
    defaultFont = 0;
    currentFont = kFontNone;
    if (IsDisplayDevice()) {
        SelectFontScaled(0, 1.0f);
        caretX = caretY = 0;
        HideCaret();
    }
    return RC_OK;
}

tStatus cGraphDvcBase::Clear() {
    MoveTo(-originX, -originY);
    SetCaretPos(-originX, -originY);
    HideCaret();
    dirty = 0;
    return RC_OK;
}

// Only the GDI device knows raster operations.
int32_t cGraphDvcBase::SetBitmapMode(int32_t) { return 0; }

tStatus cGraphDvcBase::MoveToScaled(int32_t x, int32_t y, float) {
    penX = x;
    penY = y;
    return RC_OK;
}

tStatus cGraphDvcBase::MoveTo(int32_t x, int32_t y) { return MoveToScaled(x, y, zoomX); }

tStatus cGraphDvcBase::SetCaretPos(int32_t x, int32_t y) {
    caretX = x;
    caretY = y;
    return RC_OK;
}

tStatus cGraphDvcBase::CreateCaret(int32_t x, int32_t y, int32_t width, int32_t height) {
    caretWidth = width;
    caretHeight = height;
    SetCaretPos(x, y);
    caretHidden = 0;
    return RC_OK;
}

tStatus cGraphDvcBase::HideCaret() {
    caretHidden = 1;
    return RC_OK;
}

tStatus cGraphDvcBase::SetOrigin(int32_t x, int32_t y) {
    originX = x;
    originY = y;
    if (!caretHidden) SetCaretPos(caretX, caretY);
    return RC_OK;
}

// Through the virtual SetOrigin, so that a window clamps again after a size
// or zoom change.
tStatus cGraphDvcBase::ApplyOrigin() { return SetOrigin(originX, originY); }

tStatus cGraphDvcBase::ClipPoint(int32_t x, int32_t y) {
    return ClipCode(View(), x, y, x, y, deviceRect.width, deviceRect.height);
}

tStatus cGraphDvcBase::ClipRect(const cShapes &shape) {
    return ClipCode(View(), shape.Left(), shape.Top(), shape.Right(), shape.Bottom(), deviceRect.width,
                    deviceRect.height);
}

int32_t cGraphDvcBase::GetPenX() { return penX; }
int32_t cGraphDvcBase::GetPenY() { return penY; }
int32_t cGraphDvcBase::GetOriginX() { return originX; }
int32_t cGraphDvcBase::GetOriginY() { return originY; }
cRectangl *cGraphDvcBase::GetFrameRect() { return cRectangl::TempCopy(frameRect); }
int32_t cGraphDvcBase::GetOffsetX() { return offsetX; }
int32_t cGraphDvcBase::GetOffsetY() { return offsetY; }
uint32_t cGraphDvcBase::GetDpi() { return resolution; }

// An arc from the top middle round to one unit beside it: the whole outline.
tStatus cGraphDvcBase::DrawEllipse(int32_t x, int32_t y, int32_t w, int32_t h) {
    int32_t m = x + w / 2;
    return DrawArc(x, y, w, h, m, y, m + 1, y);
}

tColour cGraphDvcBase::SetBitmapColour(tColour colour) {
    tColour old = bitmapColour;
    bitmapColour = colour;
    return old;
}

tStatus cGraphDvcBase::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return DrawLineScaled(x1, y1, x2, y2, zoomX);
}

tColour cGraphDvcBase::SetColour(tColour colour) {
    tColour old = penColour;
    penColour = colour;
    return old;
}

tStatus cGraphDvcBase::InvalidateAll() {
    int32_t w = static_cast<int32_t>(std::trunc(deviceRect.Width() / double(zoomX)));
    int32_t h = static_cast<int32_t>(std::trunc(deviceRect.Height() / double(zoomY)));
    return InvalidateArea(-originX, -originY, w, h);
}

uint16_t cGraphDvcBase::ChooseFontDialog(uint16_t index) { return index; }

uint16_t cGraphDvcBase::AddFont(cGraphDvcFontBase *font) { return cFontTable::Append(font); }

tStatus cGraphDvcBase::ReadFontTable(cBinaryFileBase &file) { return cFontTable::Read(file); }

cRectangl *cGraphDvcBase::GetGlyphBox(char16_t c, uint16_t font) {
    return cRectangl::Temp(0, 0, MeasureCharWidth(c, font), MeasureCharHeight(c, font));
}

cRectangl *cGraphDvcBase::GetCharBox(char16_t c, uint16_t font) { return GetGlyphBox(c, font); }

int32_t cGraphDvcBase::GetTextHeight(const char16_t *text, uint16_t font) {
    return GetTextHeightN(text, TextLength(text), font);
}

int32_t cGraphDvcBase::GetTextHeightN(const char16_t *, uint32_t, uint16_t) { return 10; }

int32_t cGraphDvcBase::GetTextWidthN(const char16_t *, uint32_t, uint16_t) { return 8; }

int32_t cGraphDvcBase::GetTextWidth(const char16_t *text, uint16_t font) {
    return GetTextWidthN(text, TextLength(text), font);
}

uint16_t cGraphDvcBase::FindFont(const char16_t *, int16_t, int16_t) { return kFontNone; }

tStatus cGraphDvcBase::AddFontFile(const char16_t *) { return RC_FAIL; }

uint16_t cGraphDvcBase::GetScaledFont(uint16_t index, float factor) {
    if (factor == 1.0f) return index;
    sFontInfo info;
    if (cFontTable::GetInfo(index, info) == kFontNone) return kFontNone;
    auto height = static_cast<int16_t>(std::trunc(double(info.height) * factor));
    std::u16string face = info.face;
    uint16_t found = FindFont(face.c_str(), height, info.flags);
    return found == kFontNone ? index : found;
}

uint16_t cGraphDvcBase::SelectFont(uint16_t index) { return SelectFontScaled(index, zoomY); }

uint16_t cGraphDvcBase::SelectFontScaled(uint16_t index, float) {
    uint16_t previous = currentFont;
    if (index == kFontKeep || index == currentFont) return previous;
    if (index == kFontDefault) index = static_cast<uint16_t>(defaultFont);
    if (index == kFontNone || index < cFontTable::GetCount()) currentFont = index;
    return previous;
}

int32_t cGraphDvcBase::SetBackgroundMode(int32_t mode) {
    int32_t old = backgroundMode;
    backgroundMode = mode;
    return old;
}

uint16_t cGraphDvcBase::GetDefaultFont() { return static_cast<uint16_t>(defaultFont); }
uint16_t cGraphDvcBase::GetCurrentFont() { return currentFont; }

uint16_t cGraphDvcBase::GetUsableFont(uint16_t index) {
    cGraphDvcFontBase *font = cFontTable::GetFont(index);
    if (!font) return GetDefaultFont();
    if (font->GetHeight() < 0) return index;
    // The lookup answers some installed family whatever the face asked, so
    // only a font of the asked face is taken.
    for (const char16_t *face : {u"arial", u"times"}) {
        uint16_t found = FindFont(face, -13, 0);
        cGraphDvcFontBase *candidate = cFontTable::GetFont(found);
        if (candidate && EqualsIgnoringCase(candidate->GetFace(), face)) return found;
    }
    return index;
}

uint16_t cGraphDvcBase::SetDefaultFont(uint16_t index) {
    uint16_t previous = static_cast<uint16_t>(defaultFont);
    defaultFont = static_cast<int16_t>(index);
    currentFont = index;
    return previous;
}

int32_t cGraphDvcBase::GetMouseX() { return mouseX; }
int32_t cGraphDvcBase::GetMouseY() { return mouseY; }
float cGraphDvcBase::GetZoomX() { return zoomX; }
float cGraphDvcBase::GetZoomY() { return zoomY; }

tStatus cGraphDvcBase::LogMousePos() {
    if (!gOpSys) return RC_FAIL;
    return gOpSys->Log().LogMouse(mouseX, mouseY);
}

int32_t cGraphDvcBase::SetLineWidth(int32_t width) {
    int32_t old = lineWidth;
    lineWidth = width;
    if (openCount > 0) firstPen.width = secondPen.width = PenPixelWidth(width, zoomX, zoomY);
    return old;
}

// The style code sits in the low bits of each pen's style word.
int32_t cGraphDvcBase::SetLineStyle(int32_t style) {
    int32_t old = lineStyle;
    lineStyle = style;
    uint32_t code = PenStyleCode(style);
    firstPen.style = (firstPen.style & ~0xFu) | code;
    secondPen.style = (secondPen.style & ~0xFu) | code;
    return old;
}

tStatus cGraphDvcBase::SetSize(int32_t width, int32_t height) {
    deviceRect.SetSize(width, height);
    return RC_OK;
}

// The pens follow the zoom: the width is applied again.
float cGraphDvcBase::SetZoomX(float zoom) {
    float old = zoomX;
    zoomX = zoom;
    int32_t width = SetLineWidth(0);
    SetLineWidth(width);
    return old;
}

// The font size, the pens and the caret height follow the zoom.
float cGraphDvcBase::SetZoomY(float zoom) {
    float old = zoomY;
    zoomY = zoom;
    uint16_t font = SelectFont(kFontNone);
    SelectFont(font);
    int32_t width = SetLineWidth(0);
    SetLineWidth(width);
    CreateCaret(caretX, caretY, caretWidth, caretHeight);
    return old;
}

tColour cGraphDvcBase::SetTextColour(tColour colour) {
    tColour old = textColour;
    textColour = colour;
    return old;
}

tStatus cGraphDvcBase::DrawChar(char16_t c, int32_t x, int32_t y, uint16_t font) {
    return DrawChars(&c, 1, x, y, font);
}

int32_t cGraphDvcBase::DrawTextLines(int32_t x, int32_t y, int32_t width, int32_t, const char16_t *text) {
    if (!text) return y;
    auto measure = [this](const char16_t *t, uint32_t n) { return GetTextWidthN(t, n, kFontKeep); };
    std::vector<sTextLine> lines = WrapTextLines(text, width, measure);
    for (size_t i = 0; i < lines.size(); i++) {
        if (i > 0) y += GetTextHeightN(text + lines[i - 1].start, lines[i - 1].length, kFontKeep);
        DrawChars(text + lines[i].start, lines[i].length, x, y, kFontKeep);
    }
    return y;
}

int32_t cGraphDvcBase::MeasureCharWidth(char16_t c, uint16_t font) { return GetTextWidthN(&c, 1, font); }

int32_t cGraphDvcBase::MeasureCharHeight(char16_t c, uint16_t font) { return GetTextHeightN(&c, 1, font); }
