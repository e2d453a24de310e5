#include "foundation/rectangle.h"

#include <algorithm>

#include "foundation/text_util.h"

CircBuf<cRectangl> gTempRects(32);

namespace {

// Coordinates wrap as 32-bit integers do; the sums are taken wider so that
// the wrap is defined.
int32_t Wrap(int64_t v) { return static_cast<int32_t>(v); }

}  // namespace

tStatus cShapes::TestPoint(int32_t px, int32_t py) const { return px == x && py == y ? RC_OK : RC_FAIL; }

int32_t cShapes::Width() const {
    int64_t d = int64_t(Right()) - Left();
    return Wrap(d < 0 ? -d : d);
}

int32_t cShapes::Height() const {
    int64_t d = int64_t(Bottom()) - Top();
    return Wrap(d < 0 ? -d : d);
}

void cShapes::SetEdgesOf(const cShapes &other) { SetEdges(other.Left(), other.Top(), other.Right(), other.Bottom()); }

const char16_t *cShapes::ToText() const {
    std::u16string text = FormatInt(x);
    text += u',';
    text += FormatInt(y);
    return TempStringOf(text);
}

uint32_t cShapes::FromText(const char16_t *text) {
    SubString cursor(text);
    x = cursor.ParseInt(10);
    cursor.SkipSeparators();
    y = cursor.ParseInt(10);
    return cursor.Pos();
}

cRectangl::cRectangl(const cRectangl &other)
    : cShapes(other.x, other.y), width(Magnitude(other.width)), height(Magnitude(other.height)) {}

void cRectangl::Clear() {
    x = 0;
    y = 0;
    SetSize(0, 0);
}

int32_t cRectangl::Area() const { return int32_t(uint32_t(Width()) * uint32_t(Height())); }

tStatus cRectangl::TestPoint(int32_t px, int32_t py) const {
    int32_t l = Left(), r = Right(), t = Top(), b = Bottom();
    if (py > std::max(t, b)) return kPointBelow;
    if (py < std::min(t, b)) return kPointAbove;
    if (px > std::max(l, r)) return kPointRight;
    if (px < std::min(l, r)) return kPointLeft;
    return RC_OK;
}

// Edges by the sign of the extent:  > 0: x .. x + w - 1;  < 0: x + w + 1 .. x;
// 0: x .. x - 1 (no column).
int32_t cRectangl::Left() const { return width < 0 ? Wrap(int64_t(x) + width + 1) : x; }
int32_t cRectangl::Right() const { return width < 0 ? x : Wrap(int64_t(x) + width - 1); }
int32_t cRectangl::Top() const { return height < 0 ? Wrap(int64_t(y) + height + 1) : y; }
int32_t cRectangl::Bottom() const { return height < 0 ? y : Wrap(int64_t(y) + height - 1); }

void cRectangl::SetRightBottom(int32_t r, int32_t b) {
    SetRight(r);
    SetBottom(b);
}

void cRectangl::SetRight(int32_t r) {
    if (width >= 0)
        width = Wrap(int64_t(r) - x + 1);
    else
        x = r;
}

void cRectangl::SetBottom(int32_t b) {
    if (height >= 0)
        height = Wrap(int64_t(b) - y + 1);
    else
        y = b;
}

void cRectangl::SetLeftTop(int32_t l, int32_t t) {
    SetLeft(l);
    SetTop(t);
}

void cRectangl::SetLeft(int32_t l) {
    if (width >= 0)
        x = l;
    else
        width = Wrap(int64_t(l) - x - 1);
}

void cRectangl::SetTop(int32_t t) {
    if (height >= 0)
        y = t;
    else
        height = Wrap(int64_t(t) - y - 1);
}

void cRectangl::SetEdges(int32_t l, int32_t t, int32_t r, int32_t b) {
    x = l;
    y = t;
    width = Wrap(int64_t(r) - l + 1);
    height = Wrap(int64_t(b) - t + 1);
}

void cRectangl::SetSize(int32_t w, int32_t h) {
    SetWidth(w);
    SetHeight(h);
}

const char16_t *cRectangl::ToText() const {
    std::u16string text = cShapes::ToText();
    text += u',';
    text += FormatInt(width);
    text += u',';
    text += FormatInt(height);
    return TempStringOf(text);
}

uint32_t cRectangl::FromText(const char16_t *text) {
    SubString cursor(text);
    cursor.SetPos(cShapes::FromText(text));
    cursor.SkipSeparators();
    width = cursor.ParseInt(10);
    cursor.SkipSeparators();
    height = cursor.ParseInt(10);
    return cursor.Pos();
}

void cRectangl::Assign(const cRectangl &other) {
    x = other.x;
    y = other.y;
    width = other.width;
    height = other.height;
}

void cRectangl::Normalize() {
    if (width < 0) {
        x = Wrap(int64_t(x) + width + 1);
        width = Magnitude(width);
    }
    if (height < 0) {
        y = Wrap(int64_t(y) + height + 1);
        height = Magnitude(height);
    }
}

void cRectangl::GrowBy(int32_t dw, int32_t dh) {
    width = Wrap(width < 0 ? int64_t(width) - dw : int64_t(width) + dw);
    height = Wrap(height < 0 ? int64_t(height) - dh : int64_t(height) + dh);
}

cRectangl &cRectangl::Intersect(const cRectangl &other) {
    int32_t l = std::max(Left(), other.Left());
    int32_t t = std::max(Top(), other.Top());
    int32_t r = std::min(Right(), other.Right());
    int32_t b = std::min(Bottom(), other.Bottom());
    if (l <= r && t <= b)
        SetEdges(l, t, r, b);
    else
        Clear();
    return *this;
}

cRectangl &cRectangl::Union(const cRectangl &other) {
    int32_t l, t, r, b;
    if (IsEmpty()) {
        l = other.Left(), t = other.Top(), r = other.Right(), b = other.Bottom();
    } else if (other.IsEmpty()) {
        l = Left(), t = Top(), r = Right(), b = Bottom();
    } else {
        l = std::min(Left(), other.Left());
        t = std::min(Top(), other.Top());
        r = std::max(Right(), other.Right());
        b = std::max(Bottom(), other.Bottom());
    }
    SetEdges(l, t, r, b);
    return *this;
}

bool cRectangl::IsEqual(const cRectangl &other) const {
    return x == other.x && y == other.y && width == other.width && height == other.height;
}

bool cRectangl::Contains(const cRectangl &other) const { return TempIntersection(*this, other)->IsEqual(other); }

cRectangl *cRectangl::Temp(int32_t x, int32_t y, int32_t w, int32_t h) {
    cRectangl *r = gTempRects.Next();
    r->Set(x, y);
    r->SetSize(w, h);
    return r;
}

cRectangl *cRectangl::TempCopy(const cRectangl &r) {
    cRectangl *t = gTempRects.Next();
    t->Assign(r);
    return t;
}

cRectangl *cRectangl::TempIntersection(const cRectangl &a, const cRectangl &b) { return &TempCopy(a)->Intersect(b); }

cRectangl *cRectangl::TempUnion(const cRectangl &a, const cRectangl &b) { return &TempCopy(a)->Union(b); }
