#include "document/shape_images.h"

#include <ostream>

#include "foundation/char_string.h"
#include "foundation/escaped_text.h"
#include "foundation/text_util.h"
#include "platform/op_sys_base.h"
#include "ui/graph_dvc.h"

lcIndexBuf<cShapeImg> *gShapeImages = nullptr;
uint16_t gMusicFontIndex = kFontNone;
std::u16string gMusicFontName;

namespace {

// Edges are sums of a position and offsets; they wrap as 32-bit values
// rather than overflow.
int32_t Sum(int64_t v) { return static_cast<int32_t>(v); }

// The table, or null after an "Invalid object" report.
lcIndexBuf<cShapeImg> *Table() {
    if (!gShapeImages) cPObjBase::ErrorInvalidObject();
    return gShapeImages;
}

uint32_t KeyOf(int16_t classId) { return uint32_t(uint16_t(classId)); }

bool HasEntry(const cIndexBuf &table, uint32_t key) {
    return table.IsAllocated() && key >= table.MinKey() && key <= table.MaxKey();
}

// The middle of an extent, halved towards zero.
int32_t Middle(int32_t from, int32_t extent) { return Sum(int64_t(from) + extent / 2); }

}  // namespace

// ---- cShapeImg ----

void cShapeImg::SetGeometry(int32_t newWidth, int32_t newHeight, int32_t newHotX, int32_t newHotY) {
    width = newWidth;
    height = newHeight;
    hotX = newHotX;
    hotY = newHotY;
}

void cShapeImg::DrawFromTopLeft(int32_t px, int32_t py, cGraphDvc *window) {
    DrawPicture(Sum(int64_t(px) + hotX), Sum(int64_t(py) + hotY), window);
}

void cShapeImg::WriteKind(std::ostream &stream) { stream << "vector"; }

cRectangl *cShapeImg::GetHotSpotRect() { return cRectangl::Temp(hotX, hotY, width, height); }

cRectangl *cShapeImg::GetDrawRect(int32_t px, int32_t py) {
    return cRectangl::Temp(LeftAt(px), TopAt(py), GetWidth(), GetHeight());
}

int32_t cShapeImg::RightAt(int32_t px) { return Sum(int64_t(px) + width - hotX); }
int32_t cShapeImg::BottomAt(int32_t py) { return Sum(int64_t(py) + height - hotY); }
int32_t cShapeImg::LeftAt(int32_t px) { return Sum(int64_t(px) - hotX - 1); }
int32_t cShapeImg::TopAt(int32_t py) { return Sum(int64_t(py) - hotY - 1); }

cGraphDvc *cShapeImg::TakeDraw(cGraphDvc *window) {
    if (!window) {
        cPObjBase::ErrorInvalidDevice();
        return nullptr;
    }
    if (gDrawBudget == 0) return nullptr;
    --gDrawBudget;
    return window;
}

// ---- the table ----

void cShapeImg::CreateTable() {
    if (!gShapeImages) gShapeImages = new lcIndexBuf<cShapeImg>;
}

void cShapeImg::ReserveTableIds(int16_t firstId, int16_t lastId) {
    if (Table()) gShapeImages->Reserve(KeyOf(firstId), KeyOf(lastId));
}

void cShapeImg::AllocateTable() {
    if (Table()) gShapeImages->Allocate();
}

bool cShapeImg::TableAllocated() { return Table() && gShapeImages->IsAllocated(); }

void cShapeImg::SetForClass(int16_t classId, cShapeImg *image) {
    if (!Table()) {
        delete image;
        return;
    }
    const uint32_t key = KeyOf(classId);
    if (!HasEntry(*gShapeImages, key)) {
        // Before the entries exist this only widens the range; after, the
        // table reports the id it cannot hold.
        gShapeImages->Set(key, nullptr);
        delete image;
        return;
    }
    auto *replaced = static_cast<cShapeImg *>(gShapeImages->Get(key));
    gShapeImages->Set(key, image);
    if (replaced != image) delete replaced;
}

cShapeImg *cShapeImg::ForClass(int16_t classId) {
    return Table() ? static_cast<cShapeImg *>(gShapeImages->Get(KeyOf(classId))) : nullptr;
}

cShapeImg *cShapeImg::FindForClass(int16_t classId) {
    const uint32_t key = KeyOf(classId);
    if (!gShapeImages || !HasEntry(*gShapeImages, key)) return nullptr;
    return static_cast<cShapeImg *>(gShapeImages->Get(key));
}

void cShapeImg::DeleteTable() {
    if (!gShapeImages) return;
    if (gShapeImages->IsAllocated()) {
        for (uint64_t key = gShapeImages->MinKey(); key <= gShapeImages->MaxKey(); ++key) {
            auto *image = static_cast<cShapeImg *>(gShapeImages->Get(uint32_t(key)));
            gShapeImages->Set(uint32_t(key), nullptr);
            delete image;
        }
    }
    delete gShapeImages;
    gShapeImages = nullptr;
}

// ---- cShapeImgBitMap ----

void cShapeImgBitMap::DrawPicture(int32_t px, int32_t py, cGraphDvc *window) {
    if (window && !bitmap) return;
    if (cGraphDvc *w = TakeDraw(window))
        w->DrawBitmap(bitmap, Sum(int64_t(px) - hotX), Sum(int64_t(py) - hotY), width, height);
}

void cShapeImgBitMap::WriteKind(std::ostream &stream) {
    stream << "icon " << width << ", " << height << ", " << hotX << ", " << hotY;
}

tBitmapHandle cShapeImgBitMap::SetBitmap(tBitmapHandle newBitmap, int32_t newWidth, int32_t newHeight,
                                         int32_t newHotX, int32_t newHotY) {
    bitmap = newBitmap;
    SetGeometry(newWidth, newHeight, newHotX, newHotY);
    return bitmap;
}

// ---- cShapeBmpFont ----

cShapeBmpFont::cShapeBmpFont(tBitmapHandle bitmap, int32_t width, int32_t height, int32_t hotX, int32_t hotY,
                             char16_t glyph, uint16_t font, cGraphDvc *window)
    : cShapeImgBitMap(bitmap, width, height, hotX, hotY), glyph(glyph) {
    cShapeBmpFont::SetMusicFont(font, window);
    if (this->hotX == kHotSpotFromInk) this->hotX = Middle(inkBox.x, inkBox.width);
    if (this->hotY == kHotSpotFromInk) this->hotY = Middle(inkBox.y, inkBox.height);
}

uint16_t cShapeBmpFont::SetMusicFont(uint16_t font, cGraphDvc *window) {
    const uint16_t previous = gMusicFontIndex;
    gMusicFontIndex = font;
    if (window) {
        inkBox.Assign(*window->GetGlyphBox(glyph, font));
        cellBox.Assign(*window->GetCharBox(glyph, font));
    }
    return previous;
}

namespace {

// A glyph drawn without painting its cell's background, which would cover
// the staff lines behind it.
void DrawGlyph(cGraphDvc &window, char16_t glyph, int32_t px, int32_t py) {
    constexpr int32_t kTransparent = 2;
    const int32_t previous = window.SetBackgroundMode(kTransparent);
    window.DrawChar(glyph, px, py, gMusicFontIndex);
    window.SetBackgroundMode(previous);
}

}  // namespace

void cShapeBmpFont::DrawAt(int32_t px, int32_t py, cGraphDvc *window) {
    if (cGraphDvc *w = TakeDraw(window)) DrawGlyph(*w, glyph, px, py);
}

void cShapeBmpFont::DrawFromTopLeft(int32_t px, int32_t py, cGraphDvc *window) {
    cGraphDvc *w = TakeDraw(window);
    if (!w) return;
    if (bitmap)
        w->DrawBitmap(bitmap, px, py, width, height);
    else
        DrawGlyph(*w, glyph, Sum(int64_t(px) - inkBox.x), Sum(int64_t(py) - inkBox.y));
}

void cShapeBmpFont::WriteKind(std::ostream &stream) {
    const char *face = gOpSys ? gOpSys->ToAnsiText(gMusicFontName.c_str()) : nullptr;
    stream << "font, " << EscapeCharText(glyph) << ", \"" << (face ? std::string(face) : NarrowAscii(gMusicFontName))
           << '"';
    for (const cRectangl *box : {&cellBox, &inkBox})
        stream << ", " << box->x << ", " << box->y << ", " << box->width << ", " << box->height;
}

cRectangl *cShapeBmpFont::GetPictureRect() {
    return bitmap ? GetHotSpotRect() : cRectangl::TempCopy(inkBox);
}

int32_t cShapeBmpFont::GetWidth() { return Sum(int64_t(inkBox.width) + 2); }
int32_t cShapeBmpFont::GetHeight() { return Sum(int64_t(inkBox.height) + 2); }

int32_t cShapeBmpFont::RightAt(int32_t px) { return Sum(int64_t(px) + inkBox.x + inkBox.width - hotX); }
int32_t cShapeBmpFont::BottomAt(int32_t py) { return Sum(int64_t(py) + inkBox.y + inkBox.height - hotY); }
int32_t cShapeBmpFont::LeftAt(int32_t px) { return Sum(int64_t(px) + inkBox.x - hotX - 1); }
int32_t cShapeBmpFont::TopAt(int32_t py) { return Sum(int64_t(py) + inkBox.y - hotY - 1); }

void cShapeBmpFont::SetFontName(const char16_t *face) { gMusicFontName = face ? face : u""; }

const char16_t *cShapeBmpFont::FontName() { return TempStringOf(gMusicFontName); }

// ---- symbols drawn from images ----

int32_t cCommonShapes::GetHotSpotX() {
    cShapeImg *image = GetOwnShapeImage();
    return image ? image->GetHotSpotX() : ShapeObject::GetHotSpotX();
}

int32_t cCommonShapes::GetHotSpotY() {
    cShapeImg *image = GetOwnShapeImage();
    return image ? image->GetHotSpotY() : ShapeObject::GetHotSpotY();
}

int32_t cCommonShapes::GetLeft() {
    cShapeImg *image = GetOwnShapeImage();
    return image ? image->LeftAt(x) : ShapeObject::GetLeft();
}

int32_t cCommonShapes::GetTop() {
    cShapeImg *image = GetOwnShapeImage();
    return image ? image->TopAt(y) : ShapeObject::GetTop();
}

int32_t cCommonShapes::GetRight() {
    cShapeImg *image = GetOwnShapeImage();
    return image ? image->RightAt(x) : ShapeObject::GetRight();
}

int32_t cCommonShapes::GetBottom() {
    cShapeImg *image = GetOwnShapeImage();
    return image ? image->BottomAt(y) : ShapeObject::GetBottom();
}

void cCommonShapes::DrawWith(cShapeImg *image) {
    if (image) image->DrawAt(x, y, gCurrentScoreWindow);
}

cPObjPoint *cCommonShapes::Draw() {
    DrawWith(GetOwnShapeImage());
    return this;
}

void cCommonShapes::DrawImage(int16_t classId) { DrawWith(GetShapeImage(classId)); }

cRectangl *cCommonShapes::GetImageBounds() {
    cShapeImg *image = GetOwnShapeImage();
    return image ? image->GetImageRect() : GetBounds();
}

void cCommonShapeImg::ExportImageKind(std::ostream &stream) {
    if (cShapeImg *image = GetOwnShapeImage())
        image->WriteKind(stream);
    else
        cCommonShapes::ExportImageKind(stream);
}
