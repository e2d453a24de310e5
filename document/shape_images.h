// Shape images: the picture of a symbol class.  Note heads, clefs, rests and
// the other music symbols are drawn, measured and hit from the image stored
// for their class id in one table.  An image is a geometry (width, height and
// the hot spot, the point of the picture that lies on the symbol's position)
// with a picture: a bitmap of the program's resources, or a glyph of the
// music font that may bring a bitmap for the pictures shown outside the
// score (tool-bar buttons).
//
// The edges an image answers lie one unit outside its picture on every side,
// so a symbol drawn from an image w units wide spans w + 2 units.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "document/point_symbol.h"
#include "foundation/index_buf.h"
#include "foundation/rectangle.h"
#include "platform/os_handles.h"

class cGraphDvc;

class cShapeImg {
public:
    cShapeImg(int32_t width, int32_t height, int32_t hotX, int32_t hotY)
        : width(width), height(height), hotX(hotX), hotY(hotY) {}
    virtual ~cShapeImg() = default;
    cShapeImg(const cShapeImg &) = delete;
    cShapeImg &operator=(const cShapeImg &) = delete;

    virtual void SetGeometry(int32_t newWidth, int32_t newHeight, int32_t newHotX, int32_t newHotY);
    // Draws the image for a symbol at (x, y).
    virtual void DrawAt(int32_t px, int32_t py, cGraphDvc *window) { DrawPicture(px, py, window); }
    // Draws the image with its picture's top-left corner at (x, y).
    virtual void DrawFromTopLeft(int32_t px, int32_t py, cGraphDvc *window);
    // The picture with its hot spot at (x, y); a bare geometry has none.
    virtual void DrawPicture(int32_t px, int32_t py, cGraphDvc *window) = 0;
    virtual int32_t GetHotSpotX() { return hotX; }
    virtual int32_t GetHotSpotY() { return hotY; }
    // The picture kind of the text form's class table.
    virtual void WriteKind(std::ostream &stream);
    // Temporary rectangles.  The hot-spot rectangle is (hot x, hot y,
    // width, height); the draw rectangle starts at the edges of a symbol at
    // (x, y) and has the image's width and height.
    virtual cRectangl *GetHotSpotRect();
    virtual cRectangl *GetImageRect() { return GetHotSpotRect(); }
    virtual cRectangl *GetDrawRect(int32_t px, int32_t py);
    virtual cRectangl *GetPictureRect() { return GetHotSpotRect(); }
    virtual int32_t GetWidth() { return width; }
    virtual int32_t GetHeight() { return height; }
    virtual int32_t GetOffsetX() { return hotX; }
    // The edges of a symbol at x (y).
    virtual int32_t RightAt(int32_t px);
    virtual int32_t BottomAt(int32_t py);
    virtual int32_t LeftAt(int32_t px);
    virtual int32_t TopAt(int32_t py);

    // The table of images by class id, gShapeImages.  Every operation but
    // CreateTable and DeleteTable reports "Invalid object" while there is
    // no table and then does nothing (answers null or false).
    static void CreateTable();
    // Widens the id range to cover both ids.
    static void ReserveTableIds(int16_t firstId, int16_t lastId);
    // Makes the empty entries of the id range.
    static void AllocateTable();
    static bool TableAllocated();
    // The table takes the image: one it cannot store (no table, entries not
    // yet made, an id outside the range) is deleted, and one it replaces
    // too.
    static void SetForClass(int16_t classId, cShapeImg *image);
    // The image of a class id; null for an id without one, and after the
    // table's "Invalid index" report for an id outside the range.
    static cShapeImg *ForClass(int16_t classId);
    // ForClass without any report: most classes have no image, and callers
    // that draw whatever picture exists ask this.
    static cShapeImg *FindForClass(int16_t classId);
    // Deletes every image, lowest id first, then the table.  Each entry is
    // cleared before its image goes, so the table deletes nothing again.
    static void DeleteTable();

protected:
    // The window to draw on, or null after "Invalid device"; null too when
    // the draw budget is spent.  Otherwise one draw is taken from it.
    static cGraphDvc *TakeDraw(cGraphDvc *window);

    int32_t width;
    int32_t height;
    int32_t hotX;
    int32_t hotY;
};

// A picture held by a handle of the window system.
template <class tHandle>
class lcShapeImg : public cShapeImg {
public:
    using tPicture = tHandle;
    using cShapeImg::cShapeImg;
};

// A bitmap of the program's resources.  The image does not own the bitmap;
// a null handle is no bitmap, and nothing is drawn for it.
class cShapeImgBitMap : public lcShapeImg<tBitmapHandle> {
public:
    cShapeImgBitMap(tBitmapHandle bitmap, int32_t width, int32_t height, int32_t hotX, int32_t hotY)
        : lcShapeImg(width, height, hotX, hotY), bitmap(bitmap) {}

    // Blits the bitmap with its hot spot at (x, y).
    void DrawPicture(int32_t px, int32_t py, cGraphDvc *window) override;
    // "icon " then width, height, hot x, hot y separated by ", ".
    void WriteKind(std::ostream &stream) override;
    // Replaces the bitmap and the geometry; answers the new bitmap.
    virtual tBitmapHandle SetBitmap(tBitmapHandle newBitmap, int32_t newWidth, int32_t newHeight, int32_t newHotX,
                                    int32_t newHotY);

    tBitmapHandle GetBitmap() const { return bitmap; }

protected:
    tBitmapHandle bitmap;
};

// A glyph of the music font.  Its geometry comes from the glyph's ink box,
// measured in the music font relative to the glyph's origin; the width,
// height and hot spot it was made with stay the size and hot spot of its
// bitmap.
class cShapeBmpFont : public cShapeImgBitMap {
public:
    // A hot-spot coordinate given as kHotSpotFromInk becomes the middle of
    // the ink box.  Without a window the glyph is not measured.
    static constexpr int32_t kHotSpotFromInk = INT32_MIN;

    cShapeBmpFont(tBitmapHandle bitmap, int32_t width, int32_t height, int32_t hotX, int32_t hotY, char16_t glyph,
                  uint16_t font, cGraphDvc *window);

    // The glyph with its origin at (x, y), y being the baseline.
    void DrawAt(int32_t px, int32_t py, cGraphDvc *window) override;
    // The bitmap when there is one, else the glyph with its ink box
    // starting at (x, y).
    void DrawFromTopLeft(int32_t px, int32_t py, cGraphDvc *window) override;
    // "font, " the escaped glyph, the face in double quotes, then the cell
    // box and the ink box (x, y, width, height each), all separated by ", ".
    void WriteKind(std::ostream &stream) override;
    cRectangl *GetImageRect() override { return cRectangl::TempCopy(inkBox); }
    cRectangl *GetPictureRect() override;
    // The ink box's extents + 2.
    int32_t GetWidth() override;
    int32_t GetHeight() override;
    int32_t RightAt(int32_t px) override;
    int32_t BottomAt(int32_t py) override;
    int32_t LeftAt(int32_t px) override;
    int32_t TopAt(int32_t py) override;
    virtual cRectangl *GetCellRect() { return cRectangl::TempCopy(cellBox); }
    // Makes the font the music font and, with a window, measures the glyph
    // in it again; answers the previous music font.
    virtual uint16_t SetMusicFont(uint16_t font, cGraphDvc *window);
    virtual char16_t GetGlyph() { return glyph; }

    // The music font's face name, gMusicFontName; FontName answers a
    // temporary copy.
    static void SetFontName(const char16_t *face);
    static const char16_t *FontName();

private:
    char16_t glyph;
    cRectangl cellBox{0, 0, 0, 0};
    cRectangl inkBox{0, 0, 0, 0};
};

// Null until CreateTable.
extern lcIndexBuf<cShapeImg> *gShapeImages;
// The font glyphs are drawn in.
extern uint16_t gMusicFontIndex;
extern std::u16string gMusicFontName;

// Symbols drawn from a shape image: the picture, the hot spot and the edges
// are the image's at the symbol's position.  Which image belongs to a class
// id is left to the derived classes.  Without an image a symbol draws
// nothing and has the geometry of a point.
class cCommonShapes : public ShapeObject {
public:
    int32_t GetHotSpotX() override;
    int32_t GetHotSpotY() override;
    int32_t GetLeft() override;
    int32_t GetTop() override;
    int32_t GetRight() override;
    int32_t GetBottom() override;
    // The own image drawn at the symbol's position in the score window.
    cPObjPoint *Draw() override;
    // Another class's image drawn at this symbol's position.
    virtual void DrawImage(int16_t classId);
    virtual cRectangl *GetImageBounds();
    virtual cShapeImg *GetShapeImage(int16_t classId) = 0;
    virtual cShapeImg *GetOwnShapeImage() { return GetShapeImage(GetTypeId()); }

protected:
    // Draws an image at the symbol's position.
    void DrawWith(cShapeImg *image);
};

// The symbols whose images are those of the table.
class cCommonShapeImg : public cCommonShapes {
public:
    cShapeImg *GetShapeImage(int16_t classId) override { return cShapeImg::ForClass(classId); }
    void ExportImageKind(std::ostream &stream) override;
};
