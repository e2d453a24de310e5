// Shape images: where bitmaps and glyphs are drawn and what edges they give
// a symbol, the hot spot taken from a glyph's ink, the picture kinds of the
// text form, the draw budget and the missing window, the table of images by
// class id, and the symbols that draw from it.
#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "document/shape_images.h"
#include "tests/document/measuring_window.h"
#include "tests/document/symbol_fixture.h"
#include "ui/graph_dvc.h"

namespace {

using test::RaisedErrors;
using test::SymbolTest;

// One drawing call a window received.
struct sDrawn {
    std::string what;  // "bitmap" or "glyph"
    int32_t x, y;
    int32_t w = 0, h = 0;  // bitmaps
    char16_t glyph = 0;    // glyphs
    uint16_t font = 0;
    int32_t backgroundMode = 0;  // at the call

    bool operator==(const sDrawn &) const = default;
};

void PrintTo(const sDrawn &d, std::ostream *os) {
    *os << d.what << " at " << d.x << "," << d.y << " size " << d.w << "x" << d.h << " glyph " << std::hex
        << int(d.glyph) << std::dec << " font " << d.font << " background " << d.backgroundMode;
}

sDrawn Bitmap(int32_t x, int32_t y, int32_t w, int32_t h, int32_t backgroundMode) {
    return {"bitmap", x, y, w, h, 0, 0, backgroundMode};
}
sDrawn Glyph(int32_t x, int32_t y, char16_t glyph, uint16_t font) { return {"glyph", x, y, 0, 0, glyph, font, 2}; }

// A score window that notes the bitmaps and glyphs asked of it, and the
// background mode set for them, instead of drawing: the same in both builds,
// whatever the window system makes of the handles.
class cDrawingWindow : public test::cMeasuringWindow {
public:
    tStatus DrawBitmap(tBitmapHandle bitmap, int32_t x, int32_t y, int32_t w, int32_t h) override {
        drawn.push_back(Bitmap(x, y, w, h, backgroundMode));
        return RC_OK;
    }
    tStatus DrawChars(const char16_t *text, uint32_t n, int32_t x, int32_t y, uint16_t font) override {
        drawn.push_back({"glyph", x, y, 0, 0, n == 1 ? text[0] : char16_t(0), font, backgroundMode});
        return RC_OK;
    }
    int32_t SetBackgroundMode(int32_t mode) override { return std::exchange(backgroundMode, mode); }
    std::vector<sDrawn> Take() { return std::exchange(drawn, {}); }

private:
    std::vector<sDrawn> drawn;
};

// A geometry without a picture of its own: it notes where it was asked to
// draw its picture, and counts its instances so that a test sees which the
// table deleted.
class cVectorImage : public cShapeImg {
public:
    cVectorImage(int32_t w = 10, int32_t h = 10, int32_t hx = 0, int32_t hy = 0) : cShapeImg(w, h, hx, hy) {
        ++live;
    }
    ~cVectorImage() override { --live; }
    void DrawPicture(int32_t px, int32_t py, cGraphDvc *window) override {
        pictures.push_back({px, py});
        windows.push_back(window);
    }

    static inline int live = 0;
    std::vector<std::pair<int32_t, int32_t>> pictures;
    std::vector<cGraphDvc *> windows;
};

std::string KindOf(cShapeImg &image) {
    std::ostringstream out;
    image.WriteKind(out);
    return out.str();
}

struct sEdges {
    int32_t left, top, right, bottom;
    bool operator==(const sEdges &) const = default;
};
void PrintTo(const sEdges &e, std::ostream *os) {
    *os << "left " << e.left << " top " << e.top << " right " << e.right << " bottom " << e.bottom;
}
sEdges EdgesOf(cShapeImg &image, int32_t x, int32_t y) {
    return {image.LeftAt(x), image.TopAt(y), image.RightAt(x), image.BottomAt(y)};
}
sEdges EdgesOf(const cRectangl &r) { return {r.Left(), r.Top(), r.Right(), r.Bottom()}; }

constexpr char16_t kRestGlyph = 0xD160;
constexpr char16_t kClefGlyph = 0xD17E;
constexpr uint16_t kMusicFont = 7;

class ShapeImageTest : public SymbolTest {
protected:
    void SetUp() override {
        SymbolTest::SetUp();
        cPObjBase::SetCurrentWindow(&window);
        cShapeBmpFont::SetFontName(nullptr);
        gMusicFontIndex = kFontNone;
        window.SetBoxes(kRestGlyph, cRectangl(2, -18, 9, 10), cRectangl(0, -20, 12, 26));
        window.SetBoxes(kClefGlyph, cRectangl(1, -40, 20, 56), cRectangl(0, -42, 24, 60));
    }
    void TearDown() override {
        SymbolTest::TearDown();
        EXPECT_EQ(cVectorImage::live, 0) << "images left alive";
        cVectorImage::live = 0;
    }

    cDrawingWindow window;
    // Never drawn for real: the window only notes it.
    tBitmapHandle bitmap = reinterpret_cast<tBitmapHandle>(&window);
};

TEST_F(ShapeImageTest, ABitmapIsBlittedWithItsHotSpotOnThePositionInsideItsEdges) {
    cShapeImgBitMap image(bitmap, 12, 20, 6, 15);
    image.DrawAt(100, 200, &window);
    image.DrawFromTopLeft(94, 185, &window);
    image.DrawPicture(100, 200, &window);
    const int32_t mode = window.GetBackgroundMode();
    EXPECT_EQ(window.Take(), (std::vector<sDrawn>{Bitmap(94, 185, 12, 20, mode), Bitmap(94, 185, 12, 20, mode),
                                                  Bitmap(94, 185, 12, 20, mode)}));

    EXPECT_EQ(EdgesOf(image, 100, 200), (sEdges{93, 184, 106, 205}));
    EXPECT_EQ(EdgesOf(*image.GetDrawRect(100, 200)), (sEdges{93, 184, 104, 203}));
    EXPECT_TRUE(image.GetHotSpotRect()->IsEqual(cRectangl(6, 15, 12, 20)));
    EXPECT_TRUE(image.GetImageRect()->IsEqual(cRectangl(6, 15, 12, 20)));
    EXPECT_TRUE(image.GetPictureRect()->IsEqual(cRectangl(6, 15, 12, 20)));
    EXPECT_EQ(image.GetWidth(), 12);
    EXPECT_EQ(image.GetHeight(), 20);
    EXPECT_EQ(image.GetOffsetX(), 6);
    EXPECT_EQ(image.GetHotSpotX(), 6);
    EXPECT_EQ(image.GetHotSpotY(), 15);
}

TEST_F(ShapeImageTest, SetBitmapAndSetGeometryReplaceWhatIsDrawn) {
    cShapeImgBitMap image(nullptr, 12, 20, 6, 15);
    EXPECT_EQ(image.SetBitmap(bitmap, 32, 20, 16, 10), bitmap);
    EXPECT_EQ(image.GetBitmap(), bitmap);
    image.DrawAt(50, 50, &window);
    image.SetGeometry(12, 8, 6, 4);
    image.DrawAt(50, 50, &window);
    EXPECT_EQ(window.Take(), (std::vector<sDrawn>{Bitmap(34, 40, 32, 20, window.GetBackgroundMode()),
                                                  Bitmap(44, 46, 12, 8, window.GetBackgroundMode())}));
    EXPECT_EQ(EdgesOf(image, 50, 50), (sEdges{43, 45, 56, 54}));
}

TEST_F(ShapeImageTest, AnImageWithoutABitmapDrawsNothingAndReportsNothing) {
    cShapeImgBitMap image(nullptr, 12, 20, 6, 15);
    gDrawBudget = 5;
    RaisedErrors errors;
    image.DrawAt(100, 200, &window);
    image.DrawFromTopLeft(100, 200, &window);
    EXPECT_TRUE(window.Take().empty());
    EXPECT_EQ(errors.Count(), 0);
    EXPECT_EQ(gDrawBudget, 5u);
}

TEST_F(ShapeImageTest, AGeometryDrawsItsPictureFromTheHotSpot) {
    cVectorImage image(12, 20, 6, 15);
    image.DrawAt(100, 200, &window);
    image.DrawFromTopLeft(94, 185, &window);
    EXPECT_EQ(image.pictures, (std::vector<std::pair<int32_t, int32_t>>{{100, 200}, {100, 200}}));
    EXPECT_EQ(image.windows, (std::vector<cGraphDvc *>{&window, &window}));
    EXPECT_EQ(EdgesOf(image, 100, 200), (sEdges{93, 184, 106, 205}));
}

TEST_F(ShapeImageTest, AGlyphMeasuredWithAHotSpotFromItsInkIsCentredOnTheInk) {
    struct sCase {
        const char *name;
        cRectangl ink;
        int32_t hotX, hotY;      // as given
        int32_t wantX, wantY;    // as kept
    };
    constexpr int32_t kInk = cShapeBmpFont::kHotSpotFromInk;
    const sCase cases[] = {
        {"both from the ink", cRectangl(2, -18, 9, 10), kInk, kInk, 6, -13},
        {"only x from the ink", cRectangl(2, -18, 9, 10), kInk, 3, 6, 3},
        {"only y from the ink", cRectangl(2, -18, 9, 10), -4, kInk, -4, -13},
        {"neither", cRectangl(2, -18, 9, 10), 0, 0, 0, 0},
        {"odd extents halve towards zero", cRectangl(-9, -7, 5, 3), kInk, kInk, -7, -6},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        window.SetBoxes(u'r', c.ink, cRectangl(0, -20, 12, 26));
        cShapeBmpFont image(nullptr, 0, 0, c.hotX, c.hotY, u'r', kMusicFont, &window);
        EXPECT_EQ(image.GetHotSpotX(), c.wantX);
        EXPECT_EQ(image.GetHotSpotY(), c.wantY);
        EXPECT_EQ(image.GetOffsetX(), c.wantX);
    }
}

TEST_F(ShapeImageTest, AGlyphTakesItsEdgesAndSizeFromItsInk) {
    cShapeBmpFont image(nullptr, 0, 0, cShapeBmpFont::kHotSpotFromInk, cShapeBmpFont::kHotSpotFromInk, kRestGlyph,
                        kMusicFont, &window);
    EXPECT_EQ(gMusicFontIndex, kMusicFont);
    EXPECT_EQ(window.fontsMeasured, (std::vector<uint16_t>{kMusicFont, kMusicFont}));
    EXPECT_EQ(image.GetGlyph(), kRestGlyph);
    // Hot spot (6, -13): the ink, 9 x 10 from (2, -18) of the origin, is
    // centred on the position.
    EXPECT_EQ(EdgesOf(image, 100, 200), (sEdges{95, 194, 105, 205}));
    EXPECT_EQ(image.GetWidth(), 11);
    EXPECT_EQ(image.GetHeight(), 12);
    // The draw rectangle runs from edge to edge.
    EXPECT_EQ(EdgesOf(*image.GetDrawRect(100, 200)), (sEdges{95, 194, 105, 205}));
    EXPECT_TRUE(image.GetImageRect()->IsEqual(cRectangl(2, -18, 9, 10)));
    EXPECT_TRUE(image.GetPictureRect()->IsEqual(cRectangl(2, -18, 9, 10)));
    EXPECT_TRUE(image.GetCellRect()->IsEqual(cRectangl(0, -20, 12, 26)));
    // The glyph's own size and hot spot stay those of its bitmap.
    EXPECT_TRUE(image.GetHotSpotRect()->IsEqual(cRectangl(6, -13, 0, 0)));

    // With a bitmap the picture is the bitmap's.
    cShapeBmpFont withBitmap(bitmap, 32, 20, 0, 10, kRestGlyph, kMusicFont, &window);
    EXPECT_TRUE(withBitmap.GetPictureRect()->IsEqual(cRectangl(0, 10, 32, 20)));
    EXPECT_TRUE(withBitmap.GetImageRect()->IsEqual(cRectangl(2, -18, 9, 10)));
    EXPECT_EQ(withBitmap.GetWidth(), 11);
}

TEST_F(ShapeImageTest, AGlyphIsDrawnTransparentlyInTheMusicFont) {
    cShapeBmpFont image(nullptr, 0, 0, 0, 0, kRestGlyph, kMusicFont, &window);
    window.SetBackgroundMode(0);
    image.DrawAt(100, 200, &window);
    // From the top left the ink box starts at the point.
    image.DrawFromTopLeft(100, 200, &window);
    EXPECT_EQ(window.Take(), (std::vector<sDrawn>{Glyph(100, 200, kRestGlyph, kMusicFont),
                                                  Glyph(98, 218, kRestGlyph, kMusicFont)}));
    EXPECT_EQ(window.GetBackgroundMode(), 0);

    // A glyph with a bitmap shows the bitmap from the top left, and the
    // glyph at a position.
    cShapeBmpFont clef(bitmap, 32, 20, 0, 10, kClefGlyph, kMusicFont, &window);
    clef.DrawFromTopLeft(10, 20, &window);
    clef.DrawAt(10, 20, &window);
    clef.DrawPicture(10, 20, &window);
    EXPECT_EQ(window.Take(), (std::vector<sDrawn>{Bitmap(10, 20, 32, 20, 0), Glyph(10, 20, kClefGlyph, kMusicFont),
                                                  Bitmap(10, 10, 32, 20, 0)}));
}

TEST_F(ShapeImageTest, AGlyphIsMeasuredAgainInANewMusicFont) {
    cShapeBmpFont image(nullptr, 0, 0, 0, 0, kRestGlyph, kMusicFont, nullptr);
    // Nothing measured without a window.
    EXPECT_TRUE(window.fontsMeasured.empty());
    EXPECT_TRUE(image.GetImageRect()->IsEqual(cRectangl(0, 0, 0, 0)));
    EXPECT_EQ(gMusicFontIndex, kMusicFont);

    EXPECT_EQ(image.SetMusicFont(9, &window), kMusicFont);
    EXPECT_EQ(gMusicFontIndex, 9);
    EXPECT_EQ(window.fontsMeasured, (std::vector<uint16_t>{9, 9}));
    EXPECT_TRUE(image.GetImageRect()->IsEqual(cRectangl(2, -18, 9, 10)));
    EXPECT_TRUE(image.GetCellRect()->IsEqual(cRectangl(0, -20, 12, 26)));
    image.DrawAt(0, 0, &window);
    EXPECT_EQ(window.Take(), (std::vector<sDrawn>{Glyph(0, 0, kRestGlyph, 9)}));

    // Without a window the font changes and the measures stay.
    EXPECT_EQ(image.SetMusicFont(11, nullptr), 9);
    EXPECT_EQ(gMusicFontIndex, 11);
    EXPECT_TRUE(image.GetImageRect()->IsEqual(cRectangl(2, -18, 9, 10)));
}

TEST_F(ShapeImageTest, EachKindWritesItsPictureKind) {
    cVectorImage vector(12, 20, 6, 15);
    cShapeImgBitMap icon(bitmap, 12, 20, 6, 15);
    cShapeImgBitMap negative(nullptr, 32, 20, -4, -10);
    cShapeBmpFont::SetFontName(u"PelmoraMusic5a");
    cShapeBmpFont font(nullptr, 0, 0, 0, 0, kRestGlyph, kMusicFont, &window);
    cShapeBmpFont quote(nullptr, 0, 0, 0, 0, u'"', kMusicFont, nullptr);
    EXPECT_EQ(KindOf(vector), "vector");
    EXPECT_EQ(KindOf(icon), "icon 12, 20, 6, 15");
    EXPECT_EQ(KindOf(negative), "icon 32, 20, -4, -10");
    EXPECT_EQ(KindOf(font), "font, \\u'\\d160', \"PelmoraMusic5a\", 0, -20, 12, 26, 2, -18, 9, 10");
    EXPECT_EQ(KindOf(quote), "font, \\u'\\0022', \"PelmoraMusic5a\", 0, 0, 0, 0, 0, 0, 0, 0");
}

TEST_F(ShapeImageTest, TheFontNameIsKeptAndHandedOutAsACopy) {
    EXPECT_EQ(std::u16string(cShapeBmpFont::FontName()), u"");
    cShapeBmpFont::SetFontName(u"PelmoraMusic5a");
    const char16_t *name = cShapeBmpFont::FontName();
    cShapeBmpFont::SetFontName(u"Other");
    EXPECT_EQ(std::u16string(name), u"PelmoraMusic5a");
    EXPECT_EQ(std::u16string(cShapeBmpFont::FontName()), u"Other");
    EXPECT_EQ(gMusicFontName, u"Other");
    cShapeBmpFont::SetFontName(nullptr);
    EXPECT_EQ(gMusicFontName, u"");
}

TEST_F(ShapeImageTest, NoImageDrawsWithoutABudgetOrAWindow) {
    cVectorImage vector(12, 20, 6, 15);
    cShapeImgBitMap icon(bitmap, 12, 20, 6, 15);
    cShapeBmpFont glyph(nullptr, 0, 0, 0, 0, kRestGlyph, kMusicFont, &window);
    cShapeBmpFont glyphWithBitmap(bitmap, 12, 20, 6, 15, kRestGlyph, kMusicFont, &window);
    struct sDraw {
        const char *name;
        cShapeImg *image;
        void (cShapeImg::*draw)(int32_t, int32_t, cGraphDvc *);
    };
    const sDraw draws[] = {
        {"bitmap at", &icon, &cShapeImg::DrawAt},
        {"bitmap from top left", &icon, &cShapeImg::DrawFromTopLeft},
        {"bitmap picture", &icon, &cShapeImg::DrawPicture},
        {"glyph at", &glyph, &cShapeImg::DrawAt},
        {"glyph from top left", &glyph, &cShapeImg::DrawFromTopLeft},
        {"glyph's bitmap from top left", &glyphWithBitmap, &cShapeImg::DrawFromTopLeft},
        {"glyph's bitmap picture", &glyphWithBitmap, &cShapeImg::DrawPicture},
    };
    for (const sDraw &d : draws) {
        SCOPED_TRACE(d.name);
        gDrawBudget = 0;
        {
            RaisedErrors errors;
            (d.image->*d.draw)(100, 200, &window);
            EXPECT_EQ(errors.Count(), 0);
        }
        EXPECT_EQ(gDrawBudget, 0u);
        EXPECT_TRUE(window.Take().empty());

        gDrawBudget = 2;
        {
            RaisedErrors errors;
            (d.image->*d.draw)(100, 200, nullptr);
            EXPECT_EQ(errors.Count(), 1);
            EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid device");
        }
        EXPECT_EQ(gDrawBudget, 2u);

        (d.image->*d.draw)(100, 200, &window);
        EXPECT_EQ(gDrawBudget, 1u);
        EXPECT_EQ(window.Take().size(), 1u);
    }
    // The geometry's own picture keeps the budget itself.
    gDrawBudget = 0;
    vector.DrawFromTopLeft(0, 0, &window);
    EXPECT_EQ(vector.pictures.size(), 1u);
}

// ---- the table ----

TEST_F(ShapeImageTest, BeforeTheTableExistsEveryOperationReportsAndChangesNothing) {
    ASSERT_EQ(gShapeImages, nullptr);
    struct sOperation {
        const char *name;
        void (*run)();
    };
    const sOperation operations[] = {
        {"ReserveTableIds", [] { cShapeImg::ReserveTableIds(17, 186); }},
        {"AllocateTable", [] { cShapeImg::AllocateTable(); }},
        {"TableAllocated", [] { EXPECT_FALSE(cShapeImg::TableAllocated()); }},
        {"SetForClass", [] { cShapeImg::SetForClass(17, new cVectorImage); }},
        {"ForClass", [] { EXPECT_EQ(cShapeImg::ForClass(17), nullptr); }},
    };
    for (const sOperation &op : operations) {
        SCOPED_TRACE(op.name);
        RaisedErrors errors;
        op.run();
        EXPECT_EQ(errors.Count(), 1);
        EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid object");
        EXPECT_EQ(gShapeImages, nullptr);
        EXPECT_EQ(cVectorImage::live, 0);
    }
    RaisedErrors errors;
    EXPECT_EQ(cShapeImg::FindForClass(17), nullptr);
    cShapeImg::DeleteTable();
    EXPECT_EQ(errors.Count(), 0);
}

TEST_F(ShapeImageTest, TheTableHoldsOneImagePerClassId) {
    RaisedErrors errors;
    cShapeImg::CreateTable();
    lcIndexBuf<cShapeImg> *table = gShapeImages;
    ASSERT_NE(table, nullptr);
    cShapeImg::CreateTable();
    EXPECT_EQ(gShapeImages, table);

    // Before the entries exist an image only widens the range.
    cShapeImg::ReserveTableIds(20, 18);
    cShapeImg::SetForClass(22, new cVectorImage);
    EXPECT_EQ(cVectorImage::live, 0);
    EXPECT_FALSE(cShapeImg::TableAllocated());
    cShapeImg::AllocateTable();
    EXPECT_TRUE(cShapeImg::TableAllocated());
    EXPECT_EQ(gShapeImages->MinKey(), 18u);
    EXPECT_EQ(gShapeImages->MaxKey(), 22u);
    EXPECT_EQ(errors.Count(), 0);

    auto *first = new cVectorImage;
    auto *second = new cVectorImage;
    cShapeImg::SetForClass(18, first);
    cShapeImg::SetForClass(22, second);
    EXPECT_EQ(cShapeImg::ForClass(18), first);
    EXPECT_EQ(cShapeImg::ForClass(22), second);
    EXPECT_EQ(cShapeImg::FindForClass(22), second);
    // An id of the range without an image.
    EXPECT_EQ(cShapeImg::ForClass(20), nullptr);
    EXPECT_EQ(errors.Count(), 0);

    // A new image replaces and deletes the old; the same one stays.
    auto *third = new cVectorImage;
    cShapeImg::SetForClass(18, third);
    EXPECT_EQ(cVectorImage::live, 2);
    cShapeImg::SetForClass(18, third);
    EXPECT_EQ(cVectorImage::live, 2);
    EXPECT_EQ(cShapeImg::ForClass(18), third);
    EXPECT_EQ(errors.Count(), 0);
}

TEST_F(ShapeImageTest, IdsOutsideTheRangeAreReportedByTheTable) {
    cShapeImg::CreateTable();
    cShapeImg::ReserveTableIds(17, 186);
    cShapeImg::AllocateTable();
    for (int16_t id : {int16_t(16), int16_t(187), int16_t(0), int16_t(-1)}) {
        SCOPED_TRACE(id);
        {
            RaisedErrors errors;
            EXPECT_EQ(cShapeImg::ForClass(id), nullptr);
            EXPECT_EQ(errors.Count(), 1);
            EXPECT_EQ(errors.LastText(), u"Error in IndexBuf: Invalid index");
        }
        {
            RaisedErrors errors;
            cShapeImg::SetForClass(id, new cVectorImage);
            EXPECT_EQ(errors.Count(), 1);
            EXPECT_EQ(errors.LastText(), u"Error in IndexBuf: Invalid index");
            EXPECT_EQ(cVectorImage::live, 0);
        }
        RaisedErrors errors;
        EXPECT_EQ(cShapeImg::FindForClass(id), nullptr);
        EXPECT_EQ(errors.Count(), 0);
    }
}

TEST_F(ShapeImageTest, DeletingTheTableDeletesEveryImageOnceAndTwiceIsHarmless) {
    cShapeImg::CreateTable();
    cShapeImg::ReserveTableIds(17, 186);
    cShapeImg::AllocateTable();
    for (int16_t id : {17, 18, 100, 186}) cShapeImg::SetForClass(id, new cVectorImage);
    ASSERT_EQ(cVectorImage::live, 4);
    RaisedErrors errors;
    cShapeImg::DeleteTable();
    EXPECT_EQ(gShapeImages, nullptr);
    EXPECT_EQ(cVectorImage::live, 0);
    cShapeImg::DeleteTable();
    EXPECT_EQ(gShapeImages, nullptr);
    EXPECT_EQ(errors.Count(), 0);
    // A table made afresh starts empty.
    cShapeImg::CreateTable();
    EXPECT_FALSE(cShapeImg::TableAllocated());
}

TEST_F(ShapeImageTest, TheRegistryMakesTheTableAndShuttingDownDeletesIt) {
    test::BuildTestRegistry();
    ASSERT_NE(gShapeImages, nullptr);
    cShapeImg::ReserveTableIds(17, 186);
    cShapeImg::AllocateTable();
    cShapeImg::SetForClass(40, new cVectorImage);
    // The images outlive a new registry.
    test::BuildTestRegistry();
    EXPECT_NE(cShapeImg::FindForClass(40), nullptr);
    cPObjBase::ShutDown();
    EXPECT_EQ(gShapeImages, nullptr);
    EXPECT_EQ(cVectorImage::live, 0);
}

// ---- symbols drawn from images ----

// A glyph symbol of a class id chosen at construction, drawn from the table.
class cGlyphSymbol : public cCommonShapeImg {
public:
    explicit cGlyphSymbol(int16_t id) : id(id) {}
    const char16_t *GetTypeName() const override { return u"Glyph"; }
    int16_t GetTypeId() const override { return id; }
    cPObjPoint *NewSameClass() const override { return new cGlyphSymbol(id); }

private:
    int16_t id;
};

// A symbol with an image of its own, outside the table.
class cOwnImageSymbol : public cCommonShapes {
public:
    explicit cOwnImageSymbol(cShapeImg *image) : image(image) {}
    const char16_t *GetTypeName() const override { return u"OwnImage"; }
    int16_t GetTypeId() const override { return 41; }
    cShapeImg *GetShapeImage(int16_t classId) override {
        asked.push_back(classId);
        return image;
    }
    std::vector<int16_t> asked;

private:
    cShapeImg *image;
};

class ImageSymbolTest : public ShapeImageTest {
protected:
    void SetUp() override {
        ShapeImageTest::SetUp();
        cShapeImg::CreateTable();
        cShapeImg::ReserveTableIds(17, 186);
        cShapeImg::AllocateTable();
        cShapeImg::SetForClass(40, new cShapeImgBitMap(bitmap, 12, 20, 6, 15));
        cShapeImg::SetForClass(42, new cShapeBmpFont(nullptr, 0, 0, cShapeBmpFont::kHotSpotFromInk,
                                                     cShapeBmpFont::kHotSpotFromInk, kRestGlyph, kMusicFont,
                                                     &window));
    }
};

TEST_F(ImageSymbolTest, ASymbolHasTheHotSpotAndEdgesOfItsClassImage) {
    cGlyphSymbol *bitmapSymbol = new cGlyphSymbol(40);
    cGlyphSymbol *glyphSymbol = new cGlyphSymbol(42);
    bitmapSymbol->SetPosition(100, 200);
    glyphSymbol->SetPosition(100, 200);
    EXPECT_EQ(bitmapSymbol->GetHotSpotX(), 6);
    EXPECT_EQ(bitmapSymbol->GetHotSpotY(), 15);
    EXPECT_EQ(EdgesOf(*bitmapSymbol->GetBounds()), (sEdges{93, 184, 106, 205}));
    EXPECT_EQ(bitmapSymbol->GetWidth(), 14);
    EXPECT_EQ(glyphSymbol->GetHotSpotX(), 6);
    EXPECT_EQ(glyphSymbol->GetHotSpotY(), -13);
    EXPECT_EQ(EdgesOf(*glyphSymbol->GetBounds()), (sEdges{95, 194, 105, 205}));
    EXPECT_TRUE(glyphSymbol->GetImageBounds()->IsEqual(cRectangl(2, -18, 9, 10)));
    EXPECT_TRUE(bitmapSymbol->GetImageBounds()->IsEqual(cRectangl(6, 15, 12, 20)));
    // The symbol is hit inside its edges.
    EXPECT_EQ(bitmapSymbol->HitTest(93, 184), 1);
    EXPECT_EQ(bitmapSymbol->HitTest(92, 184), 0);
    EXPECT_EQ(bitmapSymbol->HitTest(106, 206), 0);

    // A move moves the edges with it.
    bitmapSymbol->MoveBy(10, -5);
    EXPECT_EQ(EdgesOf(*bitmapSymbol->GetBounds()), (sEdges{103, 179, 116, 200}));
    delete bitmapSymbol;
    delete glyphSymbol;
}

TEST_F(ImageSymbolTest, ASymbolDrawsItsOwnOrAnotherClassImageAtItsPositionInTheScoreWindow) {
    cGlyphSymbol *symbol = new cGlyphSymbol(40);
    symbol->SetPosition(100, 200);
    EXPECT_EQ(symbol->Draw(), symbol);
    symbol->DrawImage(42);
    const int32_t mode = window.GetBackgroundMode();
    EXPECT_EQ(window.Take(),
              (std::vector<sDrawn>{Bitmap(94, 185, 12, 20, mode), Glyph(100, 200, kRestGlyph, kMusicFont)}));

    gDrawBudget = 0;
    symbol->Draw();
    EXPECT_TRUE(window.Take().empty());
    gDrawBudget = 0xFFFFFFFF;

    cPObjBase::SetCurrentWindow(nullptr);
    RaisedErrors errors;
    symbol->Draw();
    EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid device");
    delete symbol;
}

TEST_F(ImageSymbolTest, ASymbolWritesTheKindOfItsClassImage) {
    struct sCase {
        int16_t id;
        const char *kind;
    };
    cShapeBmpFont::SetFontName(u"PelmoraMusic5a");
    const sCase cases[] = {
        {40, "icon 12, 20, 6, 15"},
        {42, "font, \\u'\\d160', \"PelmoraMusic5a\", 0, -20, 12, 26, 2, -18, 9, 10"},
        {43, "vector"},  // no image
    };
    for (const sCase &c : cases) {
        cGlyphSymbol *symbol = new cGlyphSymbol(c.id);
        std::ostringstream out;
        symbol->ExportImageKind(out);
        EXPECT_EQ(out.str(), c.kind) << c.id;
        delete symbol;
    }
}

TEST_F(ImageSymbolTest, ASymbolWithoutAnImageIsAPointThatDrawsNothing) {
    cGlyphSymbol *symbol = new cGlyphSymbol(43);
    symbol->SetPosition(100, 200);
    RaisedErrors errors;
    EXPECT_EQ(EdgesOf(*symbol->GetBounds()), (sEdges{100, 200, 100, 200}));
    EXPECT_EQ(symbol->GetHotSpotX(), 0);
    symbol->Draw();
    EXPECT_TRUE(window.Take().empty());
    EXPECT_EQ(errors.Count(), 0);
    delete symbol;
}

TEST_F(ImageSymbolTest, TheOwnImageIsTheImageOfTheOwnClassId) {
    cShapeImgBitMap image(bitmap, 8, 8, 4, 4);
    cOwnImageSymbol *symbol = new cOwnImageSymbol(&image);
    symbol->SetPosition(10, 10);
    EXPECT_EQ(symbol->GetOwnShapeImage(), &image);
    EXPECT_EQ(symbol->GetLeft(), 5);
    symbol->Draw();
    EXPECT_EQ(window.Take(), (std::vector<sDrawn>{Bitmap(6, 6, 8, 8, window.GetBackgroundMode())}));
    EXPECT_EQ(symbol->asked, (std::vector<int16_t>{41, 41, 41}));
    delete symbol;
}

TEST_F(ImageSymbolTest, ThePictureOfAClassIsDrawnFromTheTopLeftInTheWindowGiven) {
    test::cMeasuringWindow button;  // not the score window
    cPObjBase::SetCurrentWindow(&window);
    cGlyphSymbol *symbol = new cGlyphSymbol(40);
    auto *vector = new cVectorImage(12, 20, 6, 15);
    cShapeImg::SetForClass(41, vector);
    cGlyphSymbol *vectorSymbol = new cGlyphSymbol(41);

    symbol->DrawPicture(3, 4, &window);
    EXPECT_EQ(window.Take(), (std::vector<sDrawn>{Bitmap(3, 4, 12, 20, window.GetBackgroundMode())}));
    vectorSymbol->DrawPicture(3, 4, &button);
    EXPECT_EQ(vector->pictures, (std::vector<std::pair<int32_t, int32_t>>{{9, 19}}));
    EXPECT_EQ(vector->windows, (std::vector<cGraphDvc *>{&button}));
    EXPECT_TRUE(window.Take().empty());

    // Classes without an image draw nothing and report nothing.
    RaisedErrors errors;
    cPObjPoint *point = new cPObjPoint;  // class id 1, outside the range
    point->DrawPicture(3, 4, &window);
    cGlyphSymbol *imageless = new cGlyphSymbol(43);
    imageless->DrawPicture(3, 4, &window);
    EXPECT_TRUE(window.Take().empty());
    EXPECT_EQ(errors.Count(), 0);
    cShapeImg::DeleteTable();
    symbol->DrawPicture(3, 4, &window);
    EXPECT_TRUE(window.Take().empty());
    EXPECT_EQ(errors.Count(), 0);
    delete point;
    delete imageless;
    delete symbol;
    delete vectorSymbol;
    cPObjBase::SetCurrentWindow(nullptr);
}

}  // namespace
