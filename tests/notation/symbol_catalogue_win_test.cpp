// The catalogue built on a GDI device, with the music font file
// beside the test program as beside the program: the font is found (added
// from the program's folder when the system lacks it) without an error,
// every glyph picture has the ink box the font's checked-in metrics give,
// and every bitmap picture loaded from the resources with the size the
// resources give it.
#include <gtest/gtest.h>

#include "foundation/win32_win.h"
#include "tests/notation/catalogue_fixture.h"
#include "tests/support/canvas_device_win.h"
#include "ui/disp_dvc.h"
#include "ui/font_table.h"
#include "ui/graph_dvc.h"
#include "ui/music_font_metrics.h"
#include "ui/picture_sizes.h"

namespace {

using test::RaisedErrors;

// A GDI device on a memory canvas as the score window; the pictures are
// resources of this test program, as of the program.  The device, on which
// the catalogue was built, stays open until the symbol state is reset.
class CatalogueGdi : public test::SymbolTest, protected test::cCanvasDevice {
protected:
    CatalogueGdi() : cCanvasDevice(200, 200) {}
    void SetUp() override {
        SymbolTest::SetUp();
        ASSERT_TRUE(OpenDevice());
        cPObjBase::SetCurrentWindow(device.get());
    }
};

TEST_F(CatalogueGdi, TheMusicFontAndThePicturesLoadOnARealWindow) {
    RaisedErrors errors;
    test::PlugInStaffStandIns();
    CreateSymbolRegistry();
    EXPECT_EQ(errors.Count(), 0);
    EXPECT_EQ(cPObjBase::VerifyRegistry(), 0);
    sFontInfo info;
    ASSERT_NE(cFontTable::GetInfo(gMusicFontIndex, info), kFontNone);
    EXPECT_TRUE(IsMusicFontFace(info.face));

    for (int16_t id = kFirstSymbolClassId; id <= kLastSymbolClassId; ++id) {
        SCOPED_TRACE(id);
        const sSymbolGlyph &g = kSymbolGlyphTable[id - kFirstSymbolClassId];
        cShapeImg *picture = cShapeImg::ForClass(id);
        ASSERT_NE(picture, nullptr);
        if (g.character) {
            auto *glyph = dynamic_cast<cShapeBmpFont *>(picture);
            ASSERT_NE(glyph, nullptr);
            const cRectangl expected = MusicGlyphBox(g.character, kMusicFontHeight);
            const cRectangl ink = *glyph->GetImageRect();
            EXPECT_EQ(ink.x, expected.x);
            EXPECT_EQ(ink.y, expected.y);
            EXPECT_EQ(ink.width, expected.width);
            EXPECT_EQ(ink.height, expected.height);
        }
        if (g.bitmapName) {
            auto *bitmap = dynamic_cast<cShapeImgBitMap *>(picture);
            ASSERT_NE(bitmap, nullptr);
            ASSERT_NE(bitmap->GetBitmap(), nullptr);
            const int32_t at = FindProgramPicture(g.bitmapName);
            ASSERT_GE(at, 0);
            BITMAP loaded{};
            ASSERT_NE(GetObjectW(bitmap->GetBitmap(), sizeof loaded, &loaded), 0);
            EXPECT_EQ(loaded.bmWidth, ProgramPictures()[size_t(at)].width);
            EXPECT_EQ(loaded.bmHeight, ProgramPictures()[size_t(at)].height);
        }
    }

    // After printing the bitmaps load again.
    ReloadSymbolBitmaps();
    EXPECT_EQ(errors.Count(), 0);
    for (int16_t id = kFirstSymbolClassId; id <= kLastSymbolClassId; ++id) {
        const sSymbolGlyph &g = kSymbolGlyphTable[id - kFirstSymbolClassId];
        if (g.character == 0) {
            EXPECT_NE(dynamic_cast<cShapeImgBitMap *>(cShapeImg::ForClass(id))->GetBitmap(), nullptr) << id;
        }
    }
}

}  // namespace
