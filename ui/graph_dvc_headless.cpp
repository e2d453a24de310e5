// The graphics device without a window system: every primitive is recorded
// with its logical arguments and the device state at the call.  It follows
// the GDI device's interface (open checks, dirty flag, stored settings).  It
// measures the music font as GDI does, from the table made with the font,
// and every other font in fixed cells of 8 x 10, the base device's
// one-character answers.  The program's pictures "load" as tokens that
// carry their size from the table made with the pictures.
#include "ui/graph_dvc.h"

#include <algorithm>
#include <optional>

#include "platform/op_sys_base.h"
#include "ui/music_font_metrics.h"
#include "ui/picture_sizes.h"

namespace {

// The height of the table font an index names when that font is the music
// font; kFontKeep names the current font and kFontDefault the default one,
// as when the GDI device selects them.
std::optional<int16_t> MusicFontHeight(uint16_t index, uint16_t current, int16_t defaultFont) {
    if (index == kFontKeep) index = current;
    if (index == kFontDefault) index = static_cast<uint16_t>(defaultFont);
    const cGraphDvcFontBase *font = cFontTable::GetFont(index);
    if (!font || !IsMusicFontFace(font->GetFace())) return std::nullopt;
    return font->GetHeight();
}

// A picture loaded here is a token, its place in the size table plus one:
// a small number, never an address, in a handle's clothes.
tBitmapHandle PictureToken(int32_t index) {
    return reinterpret_cast<tBitmapHandle>(static_cast<uintptr_t>(index) + 1);
}

const sPictureSize *PictureOfToken(tBitmapHandle handle) {
    std::span<const sPictureSize> pictures = ProgramPictures();
    uintptr_t token = reinterpret_cast<uintptr_t>(handle);
    return token >= 1 && token <= pictures.size() ? &pictures[token - 1] : nullptr;
}

}  // namespace

void cGraphDvc::Record(const char *op, std::vector<int32_t> args, const char16_t *text, uint32_t n) {
    sDrawRecord r;
    r.op = op;
    r.args = std::move(args);
    if (text) r.text.assign(text, n);
    r.font = currentFont;
    r.zoomX = zoomX;
    r.zoomY = zoomY;
    r.originX = originX;
    r.originY = originY;
    r.penColour = penColour;
    r.textColour = textColour;
    r.lineWidth = lineWidth;
    r.lineStyle = lineStyle;
    records.push_back(std::move(r));
}

cGraphDvc::~cGraphDvc() = default;

// Nothing of the window system to keep between the two ends of a paint.
struct cGraphDvc::sPaintState {};
void cGraphDvc::sPaintStateDeleter::operator()(sPaintState *state) const { delete state; }

void cGraphDvc::AddInvalidArea(const sDeviceBox &box) {
    if (!hasInvalidArea) {
        invalidArea = box;
        hasInvalidArea = true;
        return;
    }
    invalidArea.left = std::min(invalidArea.left, box.left);
    invalidArea.top = std::min(invalidArea.top, box.top);
    invalidArea.right = std::max(invalidArea.right, box.right);
    invalidArea.bottom = std::max(invalidArea.bottom, box.bottom);
}

tStatus cGraphDvc::BeginPaint(sDeviceBox &area) {
    if (!hasInvalidArea) return RC_FAIL;
    area = invalidArea;
    hasInvalidArea = false;
    paintState.reset(new sPaintState);
    Record("BeginPaint", {area.left, area.top, area.right, area.bottom});
    return RC_OK;
}

tStatus cGraphDvc::EndPaint() {
    if (!paintState) return RC_FAIL;
    paintState.reset();
    Record("EndPaint", {});
    return RC_OK;
}

tStatus cGraphDvc::BeginItemPaint(tLParam, sDeviceBox &) { return RC_FAIL; }

tStatus cGraphDvc::EndItemPaint() { return RC_FAIL; }

// Nothing here draws through a device context: being open is enough.
tStatus cGraphDvc::ReadyToDraw() {
    if (openCount > 0) return RC_OK;
    ReportNoDeviceContext();
    return DVC_NOT_OPEN;
}

tStatus cGraphDvc::Attach() {
    cGraphDvcBase::Attach();
    firstPen.width = secondPen.width = 1;
    lineWidth = 1;
    return RC_OK;
}

tStatus cGraphDvc::PrepareDraw() {
    cDispDvcBase::PrepareDraw();
    SelectFontScaled(currentFont, 1.0f);
    return RC_OK;
}

tStatus cGraphDvc::ReleaseDraw() { return RC_OK; }

int32_t cGraphDvc::PutChar(char16_t c) {
    if (ReadyToMark() != RC_OK) return 1;
    Record("PutChar", {penX, penY}, &c, 1);
    return 1;
}

tStatus cGraphDvc::MoveToScaled(int32_t x, int32_t y, float scale) { return cGraphDvcBase::MoveToScaled(x, y, scale); }

tStatus cGraphDvc::SetCaretPos(int32_t x, int32_t y) {
    caretCreated = 1;
    return cGraphDvcBase::SetCaretPos(x, y);
}

tStatus cGraphDvc::CreateCaret(int32_t x, int32_t y, int32_t width, int32_t height) {
    cGraphDvcBase::CreateCaret(x, y, width, height);
    caretCreated = 1;
    return RC_OK;
}

tStatus cGraphDvc::HideCaret() { return cGraphDvcBase::HideCaret(); }

tStatus cGraphDvc::DrawArc(int32_t x, int32_t y, int32_t w, int32_t h, int32_t x1, int32_t y1, int32_t x2,
                           int32_t y2) {
    if (tStatus ready = ReadyToMark(); ready != RC_OK) return ready;
    Record("DrawArc", {x, y, w, h, x1, y1, x2, y2});
    return RC_OK;
}

tStatus cGraphDvc::EraseRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (tStatus ready = ReadyToMark(); ready != RC_OK) return ready;
    Record("EraseRect", {x, y, w, h});
    return RC_OK;
}

tStatus cGraphDvc::FillRect(int32_t x, int32_t y, int32_t w, int32_t h, tColour colour) {
    if (tStatus ready = ReadyToDraw(); ready != RC_OK) return ready;
    Record("FillRect", {x, y, w, h, static_cast<int32_t>(colour & 0xFFFFFF)});
    return RC_OK;
}

tStatus cGraphDvc::FillEllipse(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (tStatus ready = ReadyToMark(); ready != RC_OK) return ready;
    Record("FillEllipse", {x, y, w, h});
    return RC_OK;
}

tStatus cGraphDvc::InvertRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (tStatus ready = ReadyToMark(); ready != RC_OK) return ready;
    Record("InvertRect", {x, y, w, h});
    return RC_OK;
}

tStatus cGraphDvc::DrawLineScaled(int32_t x1, int32_t y1, int32_t x2, int32_t y2, float scale) {
    if (tStatus ready = ReadyToMark(); ready != RC_OK) return ready;
    if (x1 == x2 && y1 == y2) return RC_OK;
    Record("DrawLine", {x1, y1, x2, y2});
    return RC_OK;
}

tColour cGraphDvc::SetColour(tColour colour) { return cGraphDvcBase::SetColour(colour); }

tStatus cGraphDvc::DrawMaskLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width, tColour colour) {
    if (tStatus ready = ReadyToMark(); ready != RC_OK) return ready;
    Record("DrawMaskLine", {x1, y1, x2, y2, width, static_cast<int32_t>(colour & 0xFFFFFF)});
    return RC_OK;
}

tStatus cGraphDvc::DrawPoint(int32_t x, int32_t y) {
    if (tStatus ready = ReadyToMark(); ready != RC_OK) return ready;
    Record("DrawPoint", {x, y});
    return RC_OK;
}

tStatus cGraphDvc::InvalidateArea(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (w == 0 && h == 0) return RC_OK;
    Record("InvalidateArea", {x, y, w, h});
    AddInvalidArea(AreaRuleBox(View(), x, y, w, h));
    return RC_OK;
}

tStatus cGraphDvc::InvalidateAll() {
    Record("InvalidateAll", {});
    AddInvalidArea(sDeviceBox{0, 0, deviceRect.Width(), deviceRect.Height()});
    return RC_OK;
}

uint16_t cGraphDvc::ChooseFontDialog(uint16_t) { return kFontNone; }

uint16_t cGraphDvc::AddFont(cGraphDvcFontBase *font) { return cFontTable::Append(font); }

tStatus cGraphDvc::ReadFontTable(cBinaryFileBase &file) { return cFontTable::Read(file); }

cRectangl *cGraphDvc::GetGlyphBox(char16_t c, uint16_t font) {
    if (std::optional<int16_t> music = MusicFontHeight(font, currentFont, defaultFont))
        return cRectangl::TempCopy(MusicGlyphBox(c, *music));
    return cGraphDvcBase::GetGlyphBox(c, font);
}

cRectangl *cGraphDvc::GetCharBox(char16_t c, uint16_t font) {
    if (std::optional<int16_t> music = MusicFontHeight(font, currentFont, defaultFont))
        return cRectangl::TempCopy(MusicCharBox(c, *music));
    return cGraphDvcBase::GetCharBox(c, font);
}

int32_t cGraphDvc::GetTextHeightN(const char16_t *, uint32_t, uint16_t font) {
    if (std::optional<int16_t> music = MusicFontHeight(font, currentFont, defaultFont))
        return MusicCellHeight(*music);
    return 10;
}

int32_t cGraphDvc::GetTextWidthN(const char16_t *text, uint32_t n, uint16_t font) {
    if (std::optional<int16_t> music = MusicFontHeight(font, currentFont, defaultFont))
        return MusicTextWidth(text, n, *music);
    return static_cast<int32_t>(n * 8);
}

// Every face counts as installed: the answer is the table entry of exactly
// the face, height and style asked, made on first use.
uint16_t cGraphDvc::FindFont(const char16_t *face, int16_t height, int16_t flags) {
    if (TextLength(face) >= 32) return kFontNone;
    auto *font = new cGraphDvcFont();
    font->SetFace(face, height, flags);
    return FindOrAddFont(font);
}

tStatus cGraphDvc::AddFontFile(const char16_t *path) {
    if (!path) return RC_FAIL;
    addedFontFiles.push_back(path);
    if (gOpSys) gOpSys->SetAddedFontFile(path);
    return RC_OK;
}

uint16_t cGraphDvc::SelectFontScaled(uint16_t index, float scale) {
    return cGraphDvcBase::SelectFontScaled(index, scale);
}

int32_t cGraphDvc::SetBackgroundMode(int32_t mode) {
    if (openCount <= 0) {
        ReportNoDeviceContext();
        return backgroundMode;
    }
    return cGraphDvcBase::SetBackgroundMode(mode);
}

tStatus cGraphDvc::DrawIcon(const char16_t *name, int32_t x, int32_t y) {
    if (!name || (reinterpret_cast<uintptr_t>(name) >= 0x10000 && !name[0])) return RC_OK;
    if (reinterpret_cast<uintptr_t>(name) < 0x10000) {
        Record("DrawIcon", {x, y, static_cast<int32_t>(reinterpret_cast<uintptr_t>(name))});
    } else {
        Record("DrawIcon", {x, y}, name, TextLength(name));
    }
    return RC_OK;
}

tStatus cGraphDvc::SetMousePos(int32_t x, int32_t y) {
    if (x == mouseX && y == mouseY) return RC_OK;
    sDevicePoint p = MouseRulePoint(View(), x, y);
    Record("SetMousePos", {p.x + deviceRect.x, p.y + deviceRect.y});
    mouseX = PixelToLogical(p.x, zoomX, originX);
    mouseY = PixelToLogical(p.y, zoomY, originY);
    return RC_OK;
}

// No pens to remake: the records are all there is.
int32_t cGraphDvc::SetLineWidth(int32_t width) {
    if (width == lineWidth) return width;
    return cGraphDvcBase::SetLineWidth(width);
}

int32_t cGraphDvc::SetLineStyle(int32_t style) {
    if (style == lineStyle) return style;
    return cGraphDvcBase::SetLineStyle(style);
}

tColour cGraphDvc::SetTextColour(tColour colour) { return cGraphDvcBase::SetTextColour(colour); }

tStatus cGraphDvc::DrawTextAt(const char16_t *text, int32_t x, int32_t y, uint16_t font) {
    return DrawChars(text, TextLength(text), x, y, font);
}

tStatus cGraphDvc::DrawChars(const char16_t *text, uint32_t n, int32_t x, int32_t y, uint16_t font) {
    if (tStatus ready = ReadyToMark(); ready != RC_OK) return ready;
    uint16_t previous = SelectFont(font);
    Record("DrawChars", {x, y}, text, text ? n : 0);
    SelectFontScaled(previous, 1.0f);
    return RC_OK;
}

tStatus cGraphDvc::RebuildPens() {
    if (tStatus ready = ReadyToDraw(); ready != RC_OK) return ready;
    return RC_OK;
}

tStatus cGraphDvc::SetBrush(tBrushHandle newBrush) {
    brush = newBrush;
    return RC_OK;
}

tDcHandle cGraphDvc::GetDeviceContext() { return deviceContext; }

tIconHandle cGraphDvc::SetCursor(tIconHandle cursor) { return nullptr; }

tIconHandle cGraphDvc::LoadCursorResource(const char16_t *) { return nullptr; }

// The record names the picture of a token.
tStatus cGraphDvc::DrawBitmap(tBitmapHandle bitmap, int32_t x, int32_t y, int32_t w, int32_t h) {
    if (ReadyToMark() != RC_OK) return DVC_NO_DC;
    if (!bitmap) {
        ReportBitmapError();
        return RC_FAIL;
    }
    const sPictureSize *picture = PictureOfToken(bitmap);
    const char16_t *name = picture ? picture->name : nullptr;
    Record("DrawBitmap", {x, y, w, h}, name, name ? TextLength(name) : 0);
    return RC_OK;
}

tStatus cGraphDvc::DrawBitmapNatural(tBitmapHandle bitmap, int32_t x, int32_t y) {
    int32_t w = 0, h = 0;
    GetBitmapSize(bitmap, w, h);
    return DrawBitmap(bitmap, x, y, w, h);
}

// A token's picture size; 0 x 0 for any other handle.
tStatus cGraphDvc::GetBitmapSize(tBitmapHandle bitmap, int32_t &width, int32_t &height) {
    const sPictureSize *picture = PictureOfToken(bitmap);
    width = picture ? picture->width : 0;
    height = picture ? picture->height : 0;
    return RC_OK;
}

// The pictures of the program's resources load by name, as under the window
// system; any other name (or a numeric id, which names none of them) loads
// nothing and reports "Bitmap".
tBitmapHandle cGraphDvc::LoadBitmapResource(const char16_t *name) {
    bool numeric = reinterpret_cast<uintptr_t>(name) < 0x10000;
    int32_t index = numeric ? -1 : FindProgramPicture(name);
    if (index < 0) {
        ReportBitmapError();
        return nullptr;
    }
    return PictureToken(index);
}

// Tokens hold nothing to free.
tStatus cGraphDvc::FreeBitmap(tBitmapHandle handle) { return handle ? RC_OK : RC_FAIL; }
