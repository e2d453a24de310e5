// The program's pictures as resources/art.rc lists them: every bitmap the
// windows load by name is there, GDI reads it, and it has the size its
// window blits it at.  The palette pictures are black and white, so that the
// palette can paint them in its own colours.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "foundation/win32_win.h"
#include "tests/test_support.h"

namespace {

std::string SourcePath(const std::string &relative) { return test::Narrow(test::SourcePath(("resources/" + relative).c_str())); }

std::u16string Widen(const std::string &s) {
    std::u16string out;
    for (char c : s) {
        out += c == '/' ? u'\\' : char16_t(static_cast<unsigned char>(c));
    }
    return out;
}

// name -> file of every "NAME BITMAP "file"" line of art.rc
std::map<std::string, std::string> ListedBitmaps() {
    std::map<std::string, std::string> out;
    std::ifstream in(SourcePath("art.rc"));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string name, kind, file;
        if (words >> name >> kind >> file && kind == "BITMAP" && file.size() > 2) {
            out[name] = file.substr(1, file.size() - 2);
        }
    }
    return out;
}

struct Expected {
    const char *name;
    int width, height;
    bool mono;
};

const Expected kPictures[] = {
    {"NOTEBEAMBMAP", 32, 20, true}, {"ARTICSLURBMAP", 32, 20, true}, {"NOTECHORDBMAP", 32, 20, true},
    {"TupletBMap", 32, 20, true}, {"REST12BMAP", 12, 8, true}, {"REST11BMAP", 12, 8, true},
    {"KEYCBMAP", 32, 20, true}, {"KEYGBMAP", 32, 20, true}, {"KEYDBMAP", 32, 20, true},
    {"KEYABMAP", 32, 20, true}, {"KEYEBMAP", 32, 20, true}, {"KEYBBMAP", 32, 20, true},
    {"KEYFSHARPBMAP", 32, 20, true}, {"KEYCSHARPBMAP", 32, 20, true}, {"KEYFBMAP", 32, 20, true},
    {"KEYBFLATBMAP", 32, 20, true}, {"KEYEFLATBMAP", 32, 20, true}, {"KEYAFLATBMAP", 32, 20, true},
    {"KEYDFLATBMAP", 32, 20, true}, {"KEYGFLATBMAP", 32, 20, true}, {"KEYCFLATBMAP", 32, 20, true},
    {"MMBMap", 32, 20, true}, {"DYNAMICCRESBMAP", 32, 20, true}, {"DYNAMICDIMBMAP", 32, 20, true},
    {"BARBMAP", 32, 20, true}, {"BARDOUBLEBMAP", 32, 20, true}, {"BARLEFTDOUBLEBMAP", 32, 20, true},
    {"BARRIGHTDOUBLEBMAP", 32, 20, true}, {"BARLEFTREPEATBMAP", 32, 20, true},
    {"BARRIGHTREPEATBMAP", 32, 20, true}, {"BarDblRepeatBMap", 32, 20, true},
    {"RepeatEnding12BMap", 32, 20, true}, {"TEXTCHARBMAP", 32, 20, true}, {"CHORDNAMEBMAP", 32, 20, true},
    {"LINEBMAP", 32, 20, true}, {"TEXTSTRINGBMAP", 32, 20, true}, {"TEXTSINGBMAP", 32, 20, true},
    {"STAFFBMAP", 32, 20, true}, {"PAGEBMAP", 32, 20, true}, {"BRACEBMAP", 32, 20, true},
    {"BLOCKBMAP", 32, 20, true},
    {"KeyboardGray150BMap", 150, 75, false}, {"MouseBMap", 46, 86, false}, {"MouseLeftBMap", 46, 86, false},
    {"MouseRightBMap", 46, 86, false}, {"MouseBothBMap", 46, 86, false}, {"MouseWheelBMap", 46, 86, false},
    {"KeyShiftBMap", 86, 41, false}, {"KeyAltBMap", 64, 41, false}, {"KeyCtrlBMap", 64, 41, false},
    {"KeyNoneBMap", 44, 41, false}, {"PlayerBMap", 241, 454, false},
    // The alto and tenor clef pictures travel with the C clef glyph: their
    // size is checked against the glyph below.
    {"AltoBMap", 0, 0, true}, {"TenorBMap", 0, 0, true},
};

BITMAP LoadFromFile(const std::string &file, HBITMAP &handle) {
    BITMAP bm = {};
    handle = static_cast<HBITMAP>(
        LoadImageW(nullptr, W(Widen(SourcePath(file)).c_str()), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (handle != nullptr) {
        GetObjectW(handle, sizeof bm, &bm);
    }
    return bm;
}

TEST(ProgramPicturesWin, EveryNamedBitmapIsListedAndLoadsAtItsSize) {
    const std::map<std::string, std::string> listed = ListedBitmaps();
    ASSERT_EQ(listed.size(), sizeof kPictures / sizeof kPictures[0]);
    for (const Expected &e : kPictures) {
        SCOPED_TRACE(e.name);
        auto it = listed.find(e.name);
        ASSERT_NE(it, listed.end()) << "not in art.rc";
        HBITMAP handle = nullptr;
        BITMAP bm = LoadFromFile(it->second, handle);
        ASSERT_NE(handle, nullptr);
        if (e.width != 0) {
            EXPECT_EQ(bm.bmWidth, e.width);
            EXPECT_EQ(bm.bmHeight, e.height);
        }
        EXPECT_EQ(bm.bmBitsPixel, e.mono ? 1 : 24);
        DeleteObject(handle);
    }
}

TEST(ProgramPicturesWin, CClefPicturesHaveTheSizeTheGlyphIsBlittedAt) {
    // A font picture with a bitmap blits it at the glyph's inked box plus 2.
    const std::string fontPath = SourcePath("pelmora_5a.ttf");
    const std::u16string wide = Widen(fontPath);
    ASSERT_GT(AddFontResourceExW(W(wide.c_str()), FR_PRIVATE, nullptr), 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontW(-24, 0, 0, 0, 0, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_EMBEDDED,
                             PROOF_QUALITY, VARIABLE_PITCH, W(u"PelmoraMusic5a"));
    HGDIOBJ old = SelectObject(dc, font);
    const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    GLYPHMETRICS gm = {};
    ASSERT_NE(GetGlyphOutlineW(dc, 0xD17C, GGO_METRICS, &gm, 0, nullptr, &identity), GDI_ERROR);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    RemoveFontResourceExW(W(wide.c_str()), FR_PRIVATE, nullptr);

    const std::map<std::string, std::string> listed = ListedBitmaps();
    for (const char *name : {"AltoBMap", "TenorBMap"}) {
        SCOPED_TRACE(name);
        auto it = listed.find(name);
        ASSERT_NE(it, listed.end());
        HBITMAP handle = nullptr;
        BITMAP bm = LoadFromFile(it->second, handle);
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(bm.bmWidth, int(gm.gmBlackBoxX) + 2);
        EXPECT_EQ(bm.bmHeight, int(gm.gmBlackBoxY) + 2);
        DeleteObject(handle);
    }
}

TEST(ProgramPicturesWin, IconHasTheUsualSizes) {
    for (int size : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(LoadImageW(nullptr, W(Widen(SourcePath("bitmaps/pelmora.ico")).c_str()),
                                                   IMAGE_ICON, size, size, LR_LOADFROMFILE));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm = {};
        GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    std::ifstream rc(SourcePath("art.rc"));
    std::string text((std::istreambuf_iterator<char>(rc)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("100 ICON \"bitmaps/pelmora.ico\""), std::string::npos);
}

}  // namespace
