// The font table: descriptions, lookups, the file list, the binary block and
// the text form.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "foundation/ascii_file.h"
#include "foundation/binary_file.h"
#include "platform/op_sys_base.h"
#include "tests/foundation/raised_errors.h"
#include "tests/test_support.h"
#include "ui/graph_dvc.h"

namespace {

class FontTable : public testing::Test {
protected:
    void SetUp() override {
        // The first device makes the stock font, entry 0.
        device = std::make_unique<cGraphDvc>(u"fonts");
        cFontTable::ResetToStockFont();
        delete gFileFontTable;
        gFileFontTable = nullptr;
        folder = test::MakeTempFolder("fonttable");
    }
    void TearDown() override {
        cFontTable::ResetToStockFont();
        delete gFileFontTable;
        gFileFontTable = nullptr;
    }

    static cGraphDvcFont *NewFont(const char16_t *face, int16_t height, int16_t flags) {
        auto *f = new cGraphDvcFont();
        f->SetFace(face, height, flags);
        return f;
    }
    uint16_t Add(const char16_t *face, int16_t height, int16_t flags) {
        return cFontTable::Append(NewFont(face, height, flags));
    }
    static std::string Describe(cGraphDvcFontBase &font) {
        std::ostringstream out;
        font.Describe(out);
        return out.str();
    }

    std::unique_ptr<cGraphDvc> device;
    std::u16string folder;
};

TEST_F(FontTable, SetFaceGivesTheBoxFromTheHeight) {
    std::unique_ptr<cGraphDvcFont> f(NewFont(u"x", 24, 0));
    EXPECT_TRUE(f->CharBox().IsEqual(cRectangl(0, -18, 18, 24)));
    f->SetFace(u"x", -24, 0);
    EXPECT_TRUE(f->CharBox().IsEqual(cRectangl(0, 18, -18, 24)));
    EXPECT_EQ(f->GetFirstChar(), 32);
    EXPECT_EQ(f->GetLastChar(), 255);
    // The GDI font's description follows its sLogFont.
    EXPECT_EQ(f->LogFont().height, -24);
    EXPECT_EQ(f->LogFont().weight, 0);
    f->SetFace(u"x", -12, kFontBold | kFontItalic | kFontUnderline);
    EXPECT_EQ(f->LogFont().weight, 700);
    EXPECT_EQ(f->LogFont().italic, 1);
    EXPECT_EQ(f->LogFont().underline, 1);
    EXPECT_EQ(f->LogFont().outPrecision, 4);
    EXPECT_EQ(f->LogFont().quality, 2);
    EXPECT_EQ(f->LogFont().pitchAndFamily, 2);
}

TEST_F(FontTable, LongFacesAreCutToTheField) {
    std::u16string longFace(40, u'w');
    std::unique_ptr<cGraphDvcFont> f(NewFont(longFace.c_str(), -12, 0));
    EXPECT_EQ(std::u16string(f->GetFace()), std::u16string(31, u'w'));
    sLogFont lf{};
    lf.height = -10;
    lf.weight = 700;
    std::u16string fullName(64, u'f');
    f->SetFromLogFont(fullName.c_str(), lf);
    EXPECT_EQ(std::u16string(f->GetFace()), std::u16string(31, u'f'));
    EXPECT_EQ(f->GetFlags(), kFontBold);
    EXPECT_EQ(f->GetHeight(), -10);
    // A copy takes the description and the sLogFont; its face is its own.
    cGraphDvcFont copy;
    copy.CopyFrom(*f);
    EXPECT_EQ(std::u16string(copy.GetFace()), std::u16string(31, u'f'));
    EXPECT_NE(copy.GetFace(), f->GetFace());
    EXPECT_EQ(copy.GetHandle(), f->GetHandle());
}

TEST_F(FontTable, LookupsAndIndexes) {
    uint16_t a = Add(u"Arial", -13, 0);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(cFontTable::GetCount(), 2);
    std::unique_ptr<cGraphDvcFont> probe(NewFont(u"ARIAL", -13, 0));
    EXPECT_EQ(cFontTable::Find(*probe), a);
    probe->SetFace(u"ARIAL", -14, 0);
    EXPECT_EQ(cFontTable::Find(*probe), kFontNone);
    probe->SetFace(u"arial", -13, kFontItalic);
    EXPECT_EQ(cFontTable::Find(*probe), kFontNone);

    EXPECT_EQ(cFontTable::CheckIndex(a), a);
    EXPECT_EQ(cFontTable::CheckIndex(2), -1);
    EXPECT_EQ(cFontTable::GetFont(2), nullptr);
    test::RaisedErrors errors;
    sFontInfo info;
    EXPECT_EQ(cFontTable::GetInfo(2, info), kFontNone);
    EXPECT_EQ(errors.Count(), 1);
    EXPECT_EQ(errors.LastText(), u"Error in GraphDvcFontBase: Invalid font");
    EXPECT_EQ(cFontTable::GetInfo(a, info), a);
    EXPECT_EQ(std::u16string(info.face), u"Arial");
    EXPECT_EQ(info.height, -13);
    EXPECT_TRUE(cFontTable::GetCharBox(9)->IsEqual(cRectangl(0, -6, 8, 8)));
    EXPECT_TRUE(cFontTable::GetCharBox(a)->IsEqual(info.charBox));
}

TEST_F(FontTable, FileIndexes) {
    uint16_t a = Add(u"A", -10, 0);
    uint16_t b = Add(u"B", -11, 0);
    EXPECT_EQ(cFontTable::Add(kFontDefault), 0);
    ASSERT_NE(gFileFontTable, nullptr);
    EXPECT_EQ(gFileFontTable->size(), 1u);
    EXPECT_EQ(cFontTable::Add(kFontNone), 0);
    EXPECT_EQ(cFontTable::Add(b), 1);
    EXPECT_EQ(cFontTable::Add(a), 2);
    EXPECT_EQ(cFontTable::Add(b), 1);
    EXPECT_EQ(cFontTable::Add(0), 0);
    test::RaisedErrors errors;
    EXPECT_EQ(cFontTable::Add(static_cast<uint16_t>(cFontTable::GetCount())), kFontNone);
    EXPECT_EQ(errors.Count(), 1);
}

TEST_F(FontTable, BinaryBlockRoundTrip) {
    uint16_t a = Add(u"Alpha", -10, kFontBold);
    uint16_t b = Add(u"Beta", 12, kFontItalic);
    // The objects of the file used B first, then A.
    EXPECT_EQ(cFontTable::Add(b), 1);
    EXPECT_EQ(cFontTable::Add(a), 2);
    std::u16string path = folder + u"fonts.bin";
    {
        std::unique_ptr<cBinaryFileBase> file(gOpSys->NewBinaryFile(path.c_str(), 2));
        ASSERT_TRUE(file->IsOpen());
        EXPECT_EQ(cFontTable::Write(*file), RC_OK);
        file->Close();
    }
    const std::string expected("\0\0\2\0"
                               "\x0C\0\x04\0\x08\0B\0e\0t\0a\0"
                               "\xF6\xFF\x01\0\x0A\0A\0l\0p\0h\0a\0",
                               4 + 14 + 16);
    EXPECT_EQ(test::ReadFileBytes(path), expected);

    // Reading makes the file's list the table: file index n is entry n.
    Add(u"Gamma", -9, 0);
    {
        std::unique_ptr<cBinaryFileBase> file(gOpSys->NewBinaryFile(path.c_str(), 1));
        EXPECT_EQ(device->ReadFontTable(*file), RC_OK);
        file->Close();
    }
    EXPECT_EQ(gFileFontTable, nullptr);
    ASSERT_EQ(cFontTable::GetCount(), 3);
    EXPECT_EQ(cFontTable::GetFont(0), gStockFont);
    EXPECT_EQ(std::u16string(cFontTable::GetFont(1)->GetFace()), u"Beta");
    EXPECT_EQ(cFontTable::GetFont(1)->GetHeight(), 12);
    EXPECT_EQ(cFontTable::GetFont(1)->GetFlags(), kFontItalic);
    EXPECT_EQ(std::u16string(cFontTable::GetFont(2)->GetFace()), u"Alpha");
    EXPECT_EQ(cFontTable::GetFont(2)->GetFlags(), kFontBold);
}

TEST_F(FontTable, WritingWithoutFileIndexesWritesAnEmptyBlock) {
    Add(u"Unused", -10, 0);
    std::u16string path = folder + u"empty.bin";
    std::unique_ptr<cBinaryFileBase> file(gOpSys->NewBinaryFile(path.c_str(), 2));
    EXPECT_EQ(cFontTable::Write(*file), RC_OK);
    file->Close();
    EXPECT_EQ(test::ReadFileBytes(path), std::string(4, '\0'));
}

TEST_F(FontTable, DamagedBlocksAreReadSafely) {
    struct Case {
        const char *name;
        std::string bytes;
        tStatus result;
        int32_t count;
        std::u16string lastFace;
    };
    std::u16string face40(40, u'q');
    std::string longRecord("\0\0\1\0\xF4\xFF\0\0\x50\0", 10);
    for (char16_t c : face40) longRecord += std::string{char(c), '\0'};
    const Case cases[] = {
        {"empty", "", RC_FAIL, 2, u"Keep"},
        // A count far beyond the bytes: the entries read stop at the end.
        {"huge count", std::string("\0\0\xFF\x7F\x0A\0\0\0\x02\0X\0", 12), RC_FAIL, 2, u"X"},
        {"cut face", std::string("\0\0\1\0\x0A\0\0\0\x08\0X\0", 12), RC_FAIL, 1, u""},
        // Faces longer than the field keep their first 31 characters.
        {"long face", longRecord, RC_OK, 2, std::u16string(31, u'q')},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        cFontTable::ResetToStockFont();
        Add(u"Keep", -10, 0);
        std::u16string path = folder + u"damaged.bin";
        test::WriteFileBytes(path, c.bytes);
        std::unique_ptr<cBinaryFileBase> file(gOpSys->NewBinaryFile(path.c_str(), 1));
        EXPECT_EQ(cFontTable::Read(*file), c.result);
        file->Close();
        EXPECT_EQ(cFontTable::GetCount(), c.count);
        if (c.count > 1) {
            EXPECT_EQ(std::u16string(cFontTable::GetFont(1)->GetFace()), c.lastFace);
        }
    }
}

TEST_F(FontTable, ShortDescriptions) {
    uint16_t f = Add(u"Serif", -16, kFontBold | kFontItalic);
    uint16_t g = Add(u"Plain", 20, kFontUnderline);
    EXPECT_EQ(std::u16string(cFontTable::GetDescription(f, 96)), u"Serif 12 BI");
    EXPECT_EQ(std::u16string(cFontTable::GetDescription(g, 96)), u"Plain 15 U");
    EXPECT_EQ(std::u16string(cFontTable::GetDescription(g, 300)), u"Plain 5 U");
    EXPECT_EQ(std::u16string(cFontTable::GetDescription(kFontNone, 96)), u"none");
    EXPECT_EQ(std::u16string(cFontTable::GetDescription(kFontDefault, 96)), u"default");
    EXPECT_EQ(cFontTable::GetDescription(9, 96), nullptr);
    EXPECT_EQ(FontPointSize(-16, 96), 12);
    EXPECT_EQ(FontPointSize(-17, 96), 13);  // 1224 / 96 rounds to 13
}

TEST_F(FontTable, TextFormOfOneFont) {
    std::unique_ptr<cGraphDvcFont> f(NewFont(u"My \"Font\"", -20, kFontBold | kFontUnderline));
    EXPECT_EQ(Describe(*f), "\"My \\\"Font\\\"\", ttf, 20, BU, 0, 15, 15, 20, 32, 255, ANSI, Fix");
    f->SetFace(u"R", 13, 0);
    f->SetPitchAndFamily(1 | 4);
    EXPECT_EQ(Describe(*f), "\"R\", font, 13, N, 0, -9, 9, 13, 32, 255, ANSI, TTF");
    f->SetPitchAndFamily(1 | 2 | 8);
    f->SetFace(u"S", -8, kFontItalic | kFontStyleC);
    EXPECT_EQ(Describe(*f), "\"S\", ttf, 8, IC, 0, 6, 6, 8, 32, 255, ANSI, Vector, Device");
    // Characters are written as their low byte.
    f->SetFace(u"\u00e9\u0141", -8, 0);
    EXPECT_EQ(Describe(*f).substr(0, 4), "\"\xe9\x41\"");

    test::RaisedErrors errors;
    std::ostringstream out;
    cFontTable::Dump(kFontNone, out);
    cFontTable::Dump(kFontDefault, out);
    EXPECT_EQ(out.str(), "");
    cFontTable::Dump(7, out);
    EXPECT_EQ(out.str(), "invalid");
    EXPECT_EQ(errors.Count(), 1);
}

TEST_F(FontTable, FontListOfTheTextExport) {
    Add(u"One", -10, 0);
    std::ostringstream out;
    cFontTable::DumpAll(out);
    std::string text = out.str();
    EXPECT_EQ(text.rfind("[fonts] 2\n\"", 0), 0u);
    EXPECT_NE(text.find("\n\"One\", ttf, 10, N, 0, 7, 7, 10, 32, 255, ANSI, Fix\n"), std::string::npos);
}

TEST_F(FontTable, ParsingTheTextFormFindsOrAddsTheFont) {
    std::u16string path = folder + u"font_lines.txt";
    test::WriteFileBytes(path,
                         "\"Bold Under\", ttf, 20, BU, 0, 15, 15, 20, 32, 255, ANSI, Fix\n"
                         "\"Bold Under\", ttf, 20, BU, 1, 2, 3, 4, 5, 6\n"
                         "\"Raster\", font, 9, N, 0, -6, 6, 9, 32, 255\n"
                         "word next \t\n"
                         "\"Next line\", ttf, 20, N\n");
    cAsciiFile reader(path.c_str());
    uint16_t first = cFontTable::ParseSpec(reader);
    ASSERT_NE(first, kFontNone);
    cGraphDvcFontBase *font = cFontTable::GetFont(first);
    EXPECT_EQ(font->GetHeight(), -20);
    EXPECT_EQ(font->GetFlags(), kFontBold | kFontUnderline);
    EXPECT_EQ(std::u16string(font->GetFace()), u"Bold Under");
    // The same font again is found, not added.
    int32_t count = cFontTable::GetCount();
    EXPECT_EQ(cFontTable::ParseSpec(reader), first);
    EXPECT_EQ(cFontTable::GetCount(), count);
    uint16_t raster = cFontTable::ParseSpec(reader);
    EXPECT_EQ(cFontTable::GetFont(raster)->GetHeight(), 9);
    // A line that starts with a word: only the word is taken.
    EXPECT_EQ(cFontTable::ParseSpec(reader), kFontNone);
    EXPECT_EQ(std::u16string(reader.ReadToken()), u"next");
    // A line that ends before any description: the next line is not taken.
    EXPECT_EQ(cFontTable::ParseSpec(reader), kFontNone);
    EXPECT_EQ(std::u16string(reader.ReadQuotedString()), u"Next line");
    EXPECT_EQ(reader.GetErrorLatch(), 0);
}

}  // namespace
