// Character and text symbols: the character typed over and the next one
// placed by Tab, Up and Down, cells and circles, drawing, the set-up records
// and dialogs, class data, binary records and text lines of every version
// rule, the in-place editor of texts, class fonts against own fonts, and
// texts cut at the longest text a record holds, also through a score file.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "document/commands.h"
#include "document/text_symbols.h"
#include "foundation/ascii_file.h"
#include "foundation/binary_file.h"
#include "tests/document/score_file_support.h"
#include "tests/document/symbol_fixture.h"
#include "tests/document/text_symbols_fixture.h"
#include "tests/midi/memory_file.h"
#include "ui/grf_str_kbd.h"
#if !defined(_WIN32)
#include "tests/support/dialog_script.h"
#include "ui/dialog_box.h"
#include "ui/gui_control.h"
#endif

namespace {

using test::cMemoryFile;
using test::RaisedErrors;

const std::u16string kInvalidDevice = u"Error in PointObj: Invalid device";
const std::u16string kInvalidObject = u"Error in PointObj: Invalid object";

// A score window that measures every character as charWidth wide, gives 'a'
// a cell whose top is ascentOfA above the baseline, and answers its font
// dialog with chosenFont.
class cMeasuringWindow : public test::cTestScoreWindow {
public:
    int32_t GetTextWidthN(const char16_t *, uint32_t n, uint16_t) override { return int32_t(n) * charWidth; }
    cRectangl *GetCharBox(char16_t, uint16_t) override { return cRectangl::Temp(0, -ascentOfA, charWidth, 12); }
    uint16_t ChooseFontDialog(uint16_t index) override {
        askedFont = index;
        ++fontDialogs;
        return chosenFont;
    }

    int32_t charWidth = 8;
    int32_t ascentOfA = 0;
    uint16_t chosenFont = kFontNone;
    uint16_t askedFont = 0;
    int32_t fontDialogs = 0;
};

// A font of the table with the given cell: its top is minus the ascent.
int16_t AddFont(const char16_t *face, int32_t cellHeight, int32_t cellTop) {
    cGraphDvcFontBase *font = gStockFont ? gStockFont->CreateInstance() : new cGraphDvcFont();
    font->SetFace(face, int16_t(-cellHeight), 0);
    const uint16_t index = cFontTable::Append(font);
    if (cGraphDvcFontBase *added = cFontTable::GetFont(index)) added->SetCharBox(cellHeight, cellHeight / 2, cellTop);
    return int16_t(index);
}

std::string FontLine(int16_t font) {
    std::ostringstream out;
    cFontTable::Dump(uint16_t(font), out);
    return out.str();
}

bool SameFont(int16_t a, int16_t b) {
    cGraphDvcFontBase *fa = cFontTable::GetFont(uint16_t(a)), *fb = cFontTable::GetFont(uint16_t(b));
    return fa && fb && cFontTable::IsEqualFont(*fa, *fb);
}

// The object's text line after its class name, which a reader consumes.
std::string ExportedFields(cPObjBase &obj) {
    std::ostringstream out;
    cPObjBase::sCmdExpAsc record(&out);
    EXPECT_EQ(obj.ExportText(&record), 0);
    const std::string line = out.str();
    const size_t at = line.find(" @");
    EXPECT_NE(at, std::string::npos) << line;
    return at == std::string::npos ? line : line.substr(at);
}

// Reads the fields as a line of the file, which ends in a newline.
tStatus ImportFields(cPObjBase &obj, const std::string &fields) {
    const std::string line = fields + "\n";
    cAsciiFile in(line.data(), line.size());
    cPObjBase::sCmdImpAsc record(&in);
    return obj.ImportText(&record);
}

std::string SaveRecord(cPObjBase &obj) {
    cMemoryFile out({}, cBinaryFileBase::kWrite);
    cPObjBase::sCmdFileSave record(&out);
    EXPECT_EQ(obj.SaveBinary(&record), 0);
    EXPECT_EQ(out.Bytes().size(), obj.DataSize());
    return out.Bytes();
}

std::string Le16(uint16_t v) { return std::string{char(v & 0xFF), char(v >> 8)}; }

std::string Utf16(const std::u16string &text) {
    std::string bytes;
    for (char16_t c : text) bytes += Le16(c);
    return bytes;
}

template <class T>
std::unique_ptr<T> Make(int32_t x, int32_t y) {
    std::unique_ptr<T> obj(new T);
    obj->SetPosition(x, y);
    return obj;
}

using test::ResetTextClassValues;
using test::TextSymbolTest;

// ---- Characters -------------------------------------------------------------

TEST_F(TextSymbolTest, TypedCharactersReplaceTheCharacterOthersLeaveIt) {
    cMeasuringWindow window;
    struct sCase {
        int16_t key;
        char16_t code;  // after the key
        tStatus answer;
    };
    const sCase cases[] = {
        {65, u'A', 0},        {33, u'!', 0},          {255, char16_t(0xFF), 0},
        {32, u'#', kFailed},  {27, u'#', kFailed},    {256, u'#', kFailed},
    };
    for (const sCase &c : cases) {
        auto ch = Make<CharObject>(40, 60);
        ch->Select();
        cPObjBase::ClearOwnerRedrawArea();
        EXPECT_EQ(ch->OnKey(c.key, 0, 0), c.answer) << c.key;
        EXPECT_EQ(ch->GetChar(), c.code) << c.key;
        // A character typed over asks for its cell to be drawn again.
        EXPECT_EQ(cPObjBase::GetOwnerRedrawArea()->IsEmpty(), c.answer != 0) << c.key;
        ch->ClearSelection(0, 0);
    }
}

TEST_F(TextSymbolTest, OtherKeysMoveTheCharacterAndPutTheCaretOnIt) {
    cMeasuringWindow window;
    const int16_t font = AddFont(u"Caret Face", 14, -11);
    CharObject::SetClassFont(font);
    auto ch = Make<CharObject>(40, 60);
    ch->Select();
    EXPECT_EQ(ch->OnKey(kKeyRight, 0, 0), 0);
    EXPECT_EQ(ch->x, 41);
    EXPECT_FALSE(window.IsCaretHidden());
    EXPECT_EQ(window.GetCaretWidth(), 2);
    EXPECT_EQ(window.GetCaretHeight(), 11);
    ch->ClearSelection(0, 0);
    EXPECT_TRUE(window.IsCaretHidden());
}

// Tab, Up and Down end the edit of the character and place a new '#' next
// to it, above or below it, which is the one typed over next.
TEST_F(TextSymbolTest, TabUpAndDownPlaceTheNextCharacter) {
    ASSERT_EQ(test::BuildTestRegistry(), 0);
    cMeasuringWindow window;
    window.charWidth = 10;
    CharObject::SetClassFont(AddFont(u"Row Face", 12, -9));
    std::unique_ptr<PointWindowObject> doc(new PointWindowObject(&window));
    struct sCase {
        int16_t key;
        int32_t x, y;
    };
    // x 100 with width 10: right edge 109, then twice the width.
    for (const sCase &c : {sCase{9, 129, 50}, sCase{kKeyUp, 100, 38}, sCase{kKeyDown, 100, 62}}) {
        doc->Clear(0);
        auto *first = new CharObject;
        ASSERT_NE(doc->AddObject(first, 100, 50, 1), nullptr);
        doc->OnMouseUp();
        first->SetChar(u'Q');
        EXPECT_EQ(first->OnKey(c.key, 0, 0), 0) << c.key;
        ASSERT_EQ(doc->GetChildCount(), 2) << c.key;
        auto *next = dynamic_cast<CharObject *>(gFocusObject);
        ASSERT_NE(next, nullptr) << c.key;
        EXPECT_NE(next, first);
        EXPECT_EQ(next->x, c.x) << c.key;
        EXPECT_EQ(next->y, c.y) << c.key;
        EXPECT_EQ(next->GetChar(), u'#');
        EXPECT_EQ(first->GetChar(), u'Q');
        EXPECT_EQ(std::u16string(next->GetClassName()), u"Char");
        // The new character's edit has ended: its caret stands on it.
        EXPECT_EQ(gHoverObject, nullptr);
        EXPECT_FALSE(window.IsCaretHidden());
        EXPECT_EQ(window.GetCaretX(), c.x);
        EXPECT_EQ(next->OnKey(u'R', 0, 0), 0);
        EXPECT_EQ(next->GetChar(), u'R');
    }
    // Without a document nothing is placed and the key is not used.
    doc.reset();
    auto alone = Make<CharObject>(10, 10);
    EXPECT_EQ(alone->OnKey(9, 0, 0), kFailed);
}

TEST_F(TextSymbolTest, ACharacterSpansItsCellOrItsCircle) {
    cMeasuringWindow window;
    struct sCase {
        const char *name;
        int32_t cellHeight, cellTop, width;
        uint8_t style;
        int32_t left, right, top, bottom, next;
    };
    const sCase cases[] = {
        {"plain", 20, -15, 8, 0, 100, 107, 35, 54, 123},
        // A circle as wide as the cell is high: 13 more, 6 left and 7 right.
        {"circled", 20, -15, 8, 8, 94, 113, 35, 54, 153},
        {"circled odd", 21, -16, 8, 8, 93, 114, 34, 54, 158},
        // A character wider than the cell is high: the circle's negative
        // extra width halves towards zero on the left and downwards on the
        // right.
        {"circled wide", 10, -8, 16, 8, 102, 112, 42, 51, 134},
        {"other style", 20, -15, 8, 7, 100, 107, 35, 54, 123},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        window.charWidth = c.width;
        CharObject::SetClassFont(AddFont(u"Cell Face", c.cellHeight, c.cellTop));
        auto ch = Make<CharObject>(100, 50);
        ch->SetFrameStyle(c.style);
        EXPECT_EQ(ch->GetLeft(), c.left);
        EXPECT_EQ(ch->GetRight(), c.right);
        EXPECT_EQ(ch->GetTop(), c.top);
        EXPECT_EQ(ch->GetBottom(), c.bottom);
        EXPECT_EQ(ch->GetNextCharX(), c.next);
        EXPECT_EQ(ch->GetHandleX(), c.right);
        EXPECT_EQ(ch->GetHandleY(), 50);
        const cRectangl bounds = *ch->GetBounds();
        EXPECT_EQ(bounds.x, c.left);
        EXPECT_EQ(bounds.y, c.top);
        EXPECT_EQ(bounds.Width(), c.right - c.left + 1);
        EXPECT_EQ(bounds.Height(), c.cellHeight);
        EXPECT_EQ(ch->HitTest(c.right, c.bottom), 1);
        EXPECT_EQ(ch->HitTest(c.right + 1, c.bottom), 0);
    }
}

#if !defined(_WIN32)
TEST_F(TextSymbolTest, ACharacterDrawsItselfAndItsCircleOnATransparentBackground) {
    cMeasuringWindow window;
    const int16_t font = AddFont(u"Draw Face", 20, -15);
    CharObject::SetClassFont(font);
    auto ch = Make<CharObject>(100, 50);
    ch->SetChar(u'G');
    for (uint8_t style : {uint8_t(0), uint8_t(8)}) {
        ch->SetFrameStyle(style);
        window.SetBackgroundMode(1);
        window.ClearRecords();
        gDrawBudget = 2;
        ch->Draw();
        EXPECT_EQ(gDrawBudget, 1u);
        EXPECT_EQ(window.GetBackgroundMode(), 1);
        ASSERT_EQ(window.Records().size(), style ? 2u : 1u);
        const sDrawRecord &text = window.Records()[0];
        EXPECT_EQ(text.op, "DrawChars");
        EXPECT_EQ(text.text, u"G");
        EXPECT_EQ(text.args, (std::vector<int32_t>{100, 50}));
        EXPECT_EQ(text.font, uint16_t(font));
        if (style) {
            // The whole outline of the ellipse in the circle's bounds.
            EXPECT_EQ(window.Records()[1].op, "DrawArc");
            EXPECT_EQ(window.Records()[1].args, (std::vector<int32_t>{94, 35, 20, 20, 104, 35, 105, 35}));
        }
    }
    // The pass's budget is spent: nothing more is drawn.
    gDrawBudget = 0;
    window.ClearRecords();
    ch->Draw();
    EXPECT_TRUE(window.Records().empty());
}
#endif

TEST_F(TextSymbolTest, CharacterRecordsWidenOneByteCodesOfOldFiles) {
    struct sCase {
        uint32_t version;
        std::string fields;  // after the position
        char16_t code;
        uint8_t style;
    };
    const sCase cases[] = {
        {0x020C0500, Le16(0x263A) + "\x08", u'\x263A', 8},
        {0x020A0200, Le16(0x0041) + std::string(1, '\0'), u'A', 0},
        {0x02090000, "\x41\x08", u'A', 8},
        {0x02090000, "\xE9", char16_t(0xFFE9), 0},  // the style byte is 0 here too
    };
    for (const sCase &c : cases) {
        gFileVersion = c.version;
        std::string bytes = std::string("\x0A\x14", 2) + c.fields;
        if (c.fields.size() == 1) bytes += std::string(1, '\0');
        auto ch = Make<CharObject>(0, 0);
        cMemoryFile in(bytes);
        EXPECT_EQ(ch->LoadBinary(&in, uint16_t(bytes.size())), 0) << std::hex << c.version;
        EXPECT_EQ(ch->GetChar(), c.code) << std::hex << c.version;
        EXPECT_EQ(ch->GetFrameStyle(), c.style);
        EXPECT_EQ(ch->x, 10);
        EXPECT_EQ(ch->y, 20);
        EXPECT_EQ(in.GetPosition(), bytes.size());
    }
    // Written always in two bytes, after the position.
    gFileVersion = 0x020C0500;
    auto ch = Make<CharObject>(10, 20);
    ch->SetChar(u'\x263A');
    ch->SetFrameStyle(8);
    EXPECT_EQ(SaveRecord(*ch), std::string("\x0A\x14", 2) + Le16(0x263A) + "\x08");
    EXPECT_EQ(ch->DataSize(), 5);
    // A record that ends early is refused.
    auto cut = Make<CharObject>(0, 0);
    cMemoryFile in(std::string("\x0A\x14\x41", 3));
    EXPECT_EQ(cut->LoadBinary(&in, 3), kFailed);
}

// Files before 2.8.13 placed characters and texts by the top of the cell:
// a binary load moves them down by the ascent of 'a'; a text-form load and
// newer files keep y.
TEST_F(TextSymbolTest, OldBinaryFilesLowerCharactersAndTextsOntoTheBaseline) {
    cMeasuringWindow window;
    window.ascentOfA = 7;
    struct sCase {
        uint32_t version;
        int32_t kind;
        int32_t y;
    };
    // The low byte of a version word is not compared.
    for (const sCase &c : {sCase{0x02080C00, 1, 57}, sCase{0x02080CFF, 1, 57}, sCase{0x02080D00, 1, 50},
                           sCase{0x02080D05, 1, 50}, sCase{0x02080C00, 2, 50}}) {
        gFileVersion = c.version;
        // The byte 0x41 of a character stored in one byte.
        std::string bytes = std::string("\x00\x32\x41\x00", 4);
        auto ch = Make<CharObject>(0, 0);
        cMemoryFile in(bytes);
        ASSERT_EQ(ch->LoadBinary(&in, 4), 0);
        EXPECT_EQ(ch->GetChar(), u'A');
        auto text = Make<TextObject>(0, 50);
        auto fontText = Make<TextFontObject>(0, 50);
        cPObjBase::sCmdLoaded loaded(c.kind);
        EXPECT_EQ(ch->OnLoaded(&loaded), 0);
        EXPECT_EQ(text->OnLoaded(&loaded), 0);
        EXPECT_EQ(fontText->OnLoaded(&loaded), 0);
        EXPECT_EQ(ch->y, c.y) << std::hex << c.version << " " << c.kind;
        EXPECT_EQ(text->y, c.y) << std::hex << c.version << " " << c.kind;
        EXPECT_EQ(fontText->y, c.y) << std::hex << c.version << " " << c.kind;
    }
    // Static texts are left as they were read.
    gFileVersion = 0x02080C00;
    auto still = Make<StaticTextObject>(0, 50);
    cPObjBase::sCmdLoaded loaded(1);
    EXPECT_EQ(still->OnLoaded(&loaded), 0);
    EXPECT_EQ(still->y, 50);
}

TEST_F(TextSymbolTest, LoadingMakesTheFontsUsable) {
    cMeasuringWindow window;
    // A font the table lacks becomes the window's default font; a font of
    // character height stays.
    const int16_t usable = AddFont(u"Usable Face", 12, -9);
    const int16_t kept = AddFont(u"Kept Face", 16, -12);
    window.SetDefaultFont(uint16_t(usable));
    CharObject::SetClassFont(int16_t(cFontTable::GetCount() + 5));
    TextObject::SetClassFont(-1);
    TextFontObject::SetDefaultFont(int16_t(cFontTable::GetCount() + 1));
    auto ch = Make<CharObject>(0, 0);
    auto text = Make<TextObject>(0, 0);
    auto fontText = Make<TextFontObject>(0, 0);
    auto other = Make<TextFontObject>(0, 0);
    fontText->SetFontIndex(int16_t(cFontTable::GetCount() + 2));
    other->SetFontIndex(kept);
    TextObject::SetClassFont(-1);
    cPObjBase::sCmdLoaded loaded(2);
    for (cPObjBase *obj : {static_cast<cPObjBase *>(ch.get()), static_cast<cPObjBase *>(text.get()),
                           static_cast<cPObjBase *>(fontText.get()), static_cast<cPObjBase *>(other.get())})
        EXPECT_EQ(obj->OnLoaded(&loaded), 0);
    EXPECT_EQ(CharObject::GetClassFont(), usable);
    EXPECT_EQ(TextObject::GetClassFont(), usable);
    EXPECT_EQ(TextFontObject::GetDefaultFont(), usable);
    EXPECT_EQ(fontText->GetFontIndex(), usable);
    EXPECT_EQ(other->GetFontIndex(), kept);
}

TEST_F(TextSymbolTest, CharacterLinesCarryTheCharacterAndTheClassFont) {
    const int16_t font = AddFont(u"Line Face", 16, -12);
    CharObject::SetClassFont(font);
    auto ch = Make<CharObject>(10, -20);
    ch->SetChar(u'\x263A');
    ch->SetFrameStyle(8);
    const std::string fields = ExportedFields(*ch);
    EXPECT_EQ(fields, " @  10,  -20 = \\u'\\263a', " + FontLine(font));

    CharObject::SetClassFont(-1);
    auto back = Make<CharObject>(0, 0);
    EXPECT_EQ(ImportFields(*back, fields), 0);
    EXPECT_EQ(back->x, 10);
    EXPECT_EQ(back->y, -20);
    EXPECT_EQ(back->GetChar(), u'\x263A');
    EXPECT_TRUE(SameFont(CharObject::GetClassFont(), font));
    // The frame style is not in the text form.
    EXPECT_EQ(back->GetFrameStyle(), 0);

    // A plain character between quotes reads as well; a line without "="
    // leaves character and font and keeps the error in the reader.
    EXPECT_EQ(ImportFields(*back, " @ 1, 2 = 'k', " + FontLine(font)), 0);
    EXPECT_EQ(back->GetChar(), u'k');
    CharObject::SetClassFont(0);
    EXPECT_LT(ImportFields(*back, " @ 3, 4 'z', " + FontLine(font)), 0);
    EXPECT_EQ(back->GetChar(), u'k');
    EXPECT_EQ(CharObject::GetClassFont(), 0);
    EXPECT_EQ(back->x, 3);
}

TEST_F(TextSymbolTest, CharacterClassDataIsTheClassFont) {
    cMeasuringWindow window;
    const int16_t font = AddFont(u"Class Face", 16, -12);
    CharObject::SetClassFont(font);
    auto made = Make<CharObject>(0, 0);
    CharObject &prototype = *made;
    EXPECT_EQ(prototype.GetClassDataSize(), 2);
    cMemoryFile out({}, cBinaryFileBase::kWrite);
    prototype.SaveClassData(&out);
    // The index in the file's own table: the stock font is its entry 0.
    ASSERT_EQ(out.Bytes().size(), 2u);
    EXPECT_EQ(out.Bytes(), Le16(cFontTable::Add(uint16_t(font))));
    std::ostringstream line;
    prototype.ExportClassData(line);
    EXPECT_EQ(line.str(), " = " + std::to_string(font));

    // Read back as stored: the file's font table comes after the tree.
    cMemoryFile in(Le16(3) + "rest");
    EXPECT_EQ(prototype.LoadClassData(&in, 2), 0);
    EXPECT_EQ(CharObject::GetClassFont(), 3);
    EXPECT_EQ(in.GetPosition(), 2u);
    cMemoryFile shortIn(Le16(9));
    EXPECT_EQ(prototype.LoadClassData(&shortIn, 1), 0);
    EXPECT_EQ(CharObject::GetClassFont(), 3);
    EXPECT_EQ(prototype.ResetClassData(), 0);
    EXPECT_EQ(CharObject::GetClassFont(), -1);
}

TEST_F(TextSymbolTest, NewCharactersTakeTheClassDefaults) {
    CharObject::SetDefaultFrameStyle(8);
    {
        // Without a window the class font stays unset.
        auto ch = Make<CharObject>(0, 0);
        EXPECT_EQ(ch->GetChar(), u'#');
        EXPECT_EQ(ch->GetFrameStyle(), 8);
        EXPECT_EQ(CharObject::GetClassFont(), -1);
        ch->SetFrameStyle(0);
        CharObject::SetDefaultFrameStyle(3);
        EXPECT_EQ(ch->ApplyClassDefaults(), 0);
        EXPECT_EQ(ch->GetFrameStyle(), 3);
    }
    cMeasuringWindow window;
    window.SetDefaultFont(uint16_t(AddFont(u"Default Face", 10, -8)));
    auto ch = Make<CharObject>(0, 0);
    EXPECT_EQ(CharObject::GetClassFont(), int16_t(window.GetDefaultFont()));
    // Copies keep code and style; another class is refused.
    ch->SetChar(u'z');
    ch->SetFrameStyle(8);
    auto copy = Make<CharObject>(5, 5);
    copy->CopyFrom(*ch);
    EXPECT_EQ(copy->GetChar(), u'z');
    EXPECT_EQ(copy->GetFrameStyle(), 8);
    EXPECT_EQ(copy->x, 0);
    RaisedErrors errors;
    auto text = Make<TextObject>(1, 1);
    copy->CopyFrom(*text);
    EXPECT_EQ(errors.LastText(), kInvalidObject);
    EXPECT_EQ(copy->x, 0);
}

TEST_F(TextSymbolTest, CharacterSetUpRecordsSetTheFontOfEveryCharacter) {
    const int16_t font = AddFont(u"Setup Face", 16, -12);
    CharObject::SetClassFont(font);
    CharObject::SetDefaultFrameStyle(0);
    auto one = Make<CharObject>(0, 0);
    auto other = Make<CharObject>(30, 0);
    one->SetFrameStyle(8);
    std::unique_ptr<sCommandPrm> classRecord(one->GetClassSetup(nullptr));
    auto *setup = dynamic_cast<CharObject::sCmdSetupChar *>(classRecord.get());
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(setup->GetSize(), 20);
    EXPECT_EQ(setup->familyId, kCmdSetupChar);
    EXPECT_EQ(setup->fontIndex, font);
    EXPECT_EQ(setup->frameStyle, 0);
    std::unique_ptr<sCommandPrm> objectRecord(one->GetObjectSetup(nullptr));
    EXPECT_EQ(dynamic_cast<CharObject::sCmdSetupChar &>(*objectRecord).frameStyle, 8);

    // Records of another command are refused and change nothing.
    TextObject::sCmdSetupText text;
    CharObject::sCmdSetupChar renamed;
    renamed.commandId = kCmdSetupText;
    renamed.fontIndex = 0;
    for (sCommandPrm *refused : {static_cast<sCommandPrm *>(nullptr), static_cast<sCommandPrm *>(&text),
                                 static_cast<sCommandPrm *>(&renamed)}) {
        EXPECT_EQ(one->SetClassSetup(refused), kFailed);
        EXPECT_EQ(one->SetObjectSetup(refused), kFailed);
    }
    EXPECT_EQ(CharObject::GetClassFont(), font);

    // One character's set-up changes the font of all and redraws the window.
    cMeasuringWindow window;
    window.SetSize(300, 200);
    const int16_t newFont = AddFont(u"Other Face", 24, -18);
    setup->fontIndex = newFont;
    setup->frameStyle = 0;
    cPObjBase::ClearOwnerRedrawArea();
    EXPECT_EQ(one->SetObjectSetup(setup), 0);
    EXPECT_EQ(one->GetFrameStyle(), 0);
    EXPECT_EQ(CharObject::GetClassFont(), newFont);
    EXPECT_EQ(other->GetTop(), other->y - 18);
    const cRectangl redraw = *cPObjBase::GetOwnerRedrawArea();
    EXPECT_EQ(redraw.Width(), 300);
    EXPECT_EQ(redraw.Height(), 200);
    // The class set-up sets the default style of new characters.
    setup->frameStyle = 8;
    EXPECT_EQ(one->SetClassSetup(setup), 0);
    EXPECT_EQ(Make<CharObject>(0, 0)->GetFrameStyle(), 8);
    EXPECT_EQ(one->GetFrameStyle(), 0);
}

#if !defined(_WIN32)
TEST_F(TextSymbolTest, TheCharacterDialogStoresTheCircleAndTheChosenFont) {
    auto ch = Make<CharObject>(0, 0);
    CharObject::sCmdSetupChar record;
    {
        RaisedErrors errors;
        EXPECT_EQ(ch->Setup(&record), 0);
        EXPECT_EQ(errors.LastText(), kInvalidDevice);
    }
    cMeasuringWindow window;
    const int16_t startFont = AddFont(u"Start Face", 16, -12);
    const int16_t chosen = AddFont(u"Chosen Face", 20, -15);
    struct sCase {
        const char *name;
        uint8_t style;
        bool clickCircle, clickFont;
        uint16_t answer;  // of the font dialog
        uint32_t end;
        int32_t result;
        uint8_t styleAfter;
        int16_t fontAfter;
    };
    const sCase cases[] = {
        {"circle and font", 0, true, true, uint16_t(chosen), 1, 1, 8, chosen},
        {"uncircle", 8, true, false, 0, 1, 1, 0, startFont},
        {"other bits kept", 0x18, false, false, 0, 1, 1, 0x18, startFont},
        {"font dialog cancelled", 0, false, true, kFontNone, 1, 1, 0, startFont},
        {"cancel", 0, true, true, uint16_t(chosen), 2, 0, 0, startFont},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        record.frameStyle = c.style;
        record.fontIndex = startFont;
        window.chosenFont = c.answer;
        uint32_t templateId = 0, checked = 9;
        std::u16string shownBefore, shownAfter;
        test::ScriptScope scope([&](cDialogBox &d) {
            templateId = d.GetTemplateId();
            ASSERT_NE(d.FindControl(101), nullptr);
            ASSERT_NE(d.FindControl(26726), nullptr);
            ASSERT_NE(d.FindControl(26727), nullptr);
            checked = d.FindControl(101)->Item().checked;
            shownBefore = d.FindControl(26727)->Item().text;
            if (c.clickCircle) d.Command(101);
            if (c.clickFont) d.Command(26726);
            shownAfter = d.FindControl(26727)->Item().text;
            d.Command(c.end);
        });
        EXPECT_EQ(ch->Setup(&record), c.result);
        EXPECT_EQ(templateId, 1008u);
        EXPECT_EQ(checked, (c.style & 8) ? 1u : 0u);
        EXPECT_EQ(shownBefore, cFontTable::GetDescription(uint16_t(startFont), window.GetDpi()));
        // The description follows the font chosen.
        const uint16_t shownFont = c.clickFont && c.answer != kFontNone ? c.answer : uint16_t(startFont);
        EXPECT_EQ(shownAfter, cFontTable::GetDescription(shownFont, window.GetDpi()));
        EXPECT_EQ(record.frameStyle, c.styleAfter);
        EXPECT_EQ(record.fontIndex, c.fontAfter);
    }
    // Through the object's set-up: the accepted record is applied.
    window.chosenFont = uint16_t(chosen);
    CharObject::SetClassFont(startFont);
    test::ScriptScope scope([](cDialogBox &d) {
        d.Command(101);
        d.Command(26726);
        d.Command(1);
    });
    EXPECT_EQ(ch->RunObjectSetup(nullptr), 0);
    EXPECT_EQ(ch->GetFrameStyle(), 8);
    EXPECT_EQ(CharObject::GetClassFont(), chosen);
    // Another family never opens the dialog.
    TextObject::sCmdSetupText text;
    EXPECT_EQ(ch->Setup(&text), 0);
    EXPECT_EQ(ch->Setup(nullptr), 0);
}
#endif

// ---- Texts ------------------------------------------------------------------

TEST_F(TextSymbolTest, ANewTextIsAnUnderscoreAndKeepsAtMostItsCapacity) {
    auto text = Make<TextObject>(0, 0);
    EXPECT_EQ(std::u16string(text->GetText()), u"_");
    EXPECT_EQ(text->GetCapacity(), 100);
    const std::u16string long150(150, u'x');
    EXPECT_EQ(std::u16string(text->SetText(long150.c_str())), std::u16string(100, u'x'));
    EXPECT_EQ(std::u16string(text->SetTextN(u"abcdef", 3)), u"abc");
    // No text, or none of it, changes nothing.
    text->SetTextN(u"zz", 0);
    text->SetText(nullptr);
    text->SetText(u"");
    EXPECT_EQ(std::u16string(text->GetText()), u"abc");
    // Each class has its own default capacity.
    TextObject::SetClassDefaultCapacity(7);
    TextFontObject::SetFontClassDefaultCapacity(12);
    EXPECT_EQ(Make<TextObject>(0, 0)->GetCapacity(), 7);
    EXPECT_EQ(Make<TextFontObject>(0, 0)->GetCapacity(), 12);
    EXPECT_EQ(Make<StaticTextObject>(0, 0)->GetCapacity(), 12);
    EXPECT_EQ(Make<TextFontObject>(0, 0)->GetAlignment(), 1);
}

TEST_F(TextSymbolTest, ATextSpansItsWidthAndItsFontsCell) {
    cMeasuringWindow window;
    window.charWidth = 6;
    TextObject::SetClassFont(AddFont(u"Span Face", 18, -13));
    auto text = Make<TextObject>(20, 100);
    text->SetText(u"hello");
    EXPECT_EQ(text->GetLeft(), 20);
    EXPECT_EQ(text->GetRight(), 49);
    EXPECT_EQ(text->GetTop(), 87);
    EXPECT_EQ(text->GetBottom(), 104);
    EXPECT_EQ(text->GetHandleX(), 49);
    EXPECT_EQ(text->GetHandleY(), 104);
    const cRectangl bounds = *text->GetBounds();
    EXPECT_EQ(bounds.Width(), 30);
    EXPECT_EQ(bounds.Height(), 18);
    EXPECT_TRUE(text->Recalculate());
    // A font text measures with its own font.
    auto fontText = Make<TextFontObject>(20, 100);
    fontText->SetFontIndex(AddFont(u"Own Face", 10, -7));
    EXPECT_EQ(fontText->GetTop(), 93);
    EXPECT_EQ(fontText->GetBottom(), 102);
}

#if !defined(_WIN32)
TEST_F(TextSymbolTest, ATextDrawsInItsFontOnATransparentBackground) {
    cMeasuringWindow window;
    const int16_t classFont = AddFont(u"Text Draw Face", 18, -13);
    const int16_t ownFont = AddFont(u"Own Draw Face", 12, -9);
    TextObject::SetClassFont(classFont);
    auto text = Make<TextObject>(20, 100);
    text->SetText(u"line");
    auto fontText = Make<TextFontObject>(5, 6);
    fontText->SetText(u"own");
    fontText->SetFontIndex(ownFont);
    window.SetBackgroundMode(1);
    window.ClearRecords();
    gDrawBudget = 5;
    text->Draw();
    fontText->Draw();
    EXPECT_EQ(gDrawBudget, 3u);
    EXPECT_EQ(window.GetBackgroundMode(), 1);
    ASSERT_EQ(window.Records().size(), 2u);
    EXPECT_EQ(window.Records()[0].text, u"line");
    EXPECT_EQ(window.Records()[0].args, (std::vector<int32_t>{20, 100}));
    EXPECT_EQ(window.Records()[0].font, uint16_t(classFont));
    EXPECT_EQ(window.Records()[1].text, u"own");
    EXPECT_EQ(window.Records()[1].font, uint16_t(ownFont));
    gDrawBudget = 0;
    window.ClearRecords();
    text->Draw();
    EXPECT_TRUE(window.Records().empty());
}
#endif

// Plain texts share the class font; font texts keep their own, and their
// class set-up sets only the font new ones take.
TEST_F(TextSymbolTest, PlainTextsShareTheClassFontFontTextsKeepTheirOwn) {
    cMeasuringWindow window;
    const int16_t first = AddFont(u"First Face", 12, -9);
    const int16_t second = AddFont(u"Second Face", 20, -15);
    window.SetDefaultFont(uint16_t(first));
    auto a = Make<TextObject>(0, 0);
    auto b = Make<TextObject>(0, 40);
    // An unset class font becomes the window's default font.
    EXPECT_EQ(a->GetFontIndex(), first);
    auto own = Make<TextFontObject>(0, 80);
    EXPECT_EQ(own->GetFontIndex(), first);
    EXPECT_EQ(own->GetFontIndexRef(), a->GetFontIndexRef());

    TextObject::sCmdSetupText record;
    record.fontIndex = second;
    EXPECT_EQ(a->SetClassSetup(&record), 0);
    EXPECT_EQ(b->GetFontIndex(), second);
    EXPECT_EQ(*own->GetFontIndexRef(), second);
    EXPECT_EQ(own->GetFontIndex(), first);
    // Plain texts have no object set-up.
    EXPECT_EQ(a->HasObjectSetup(), kFailed);
    EXPECT_EQ(a->HasClassSetup(), 0);

    // A font text's class set-up is the font of new font texts.
    record.fontIndex = second;
    EXPECT_EQ(own->SetClassSetup(&record), 0);
    EXPECT_EQ(TextFontObject::GetDefaultFont(), second);
    EXPECT_EQ(own->GetFontIndex(), first);
    EXPECT_EQ(Make<TextFontObject>(0, 0)->GetFontIndex(), second);
    std::unique_ptr<sCommandPrm> classRecord(own->GetClassSetup(nullptr));
    EXPECT_EQ(dynamic_cast<TextObject::sCmdSetupText &>(*classRecord).fontIndex, second);
    // Its object set-up sets its own font only.
    std::unique_ptr<sCommandPrm> objectRecord(own->GetObjectSetup(nullptr));
    auto &ownRecord = dynamic_cast<TextObject::sCmdSetupText &>(*objectRecord);
    EXPECT_EQ(ownRecord.fontIndex, first);
    ownRecord.fontIndex = second;
    EXPECT_EQ(own->SetObjectSetup(&ownRecord), 0);
    EXPECT_EQ(own->GetFontIndex(), second);
    own->ApplyClassDefaults();
    EXPECT_EQ(own->GetFontIndex(), second);
    EXPECT_EQ(own->SetFontIndex(first), second);

    // Another command is refused.
    CharObject::sCmdSetupChar other;
    TextObject::sCmdSetupText renamed;
    renamed.commandId = kCmdSetupChar;
    for (sCommandPrm *refused : {static_cast<sCommandPrm *>(nullptr), static_cast<sCommandPrm *>(&other),
                                 static_cast<sCommandPrm *>(&renamed)}) {
        EXPECT_EQ(a->SetClassSetup(refused), kFailed);
        EXPECT_EQ(own->SetClassSetup(refused), kFailed);
        EXPECT_EQ(own->SetObjectSetup(refused), kFailed);
    }
    // An index the table lacks is replaced by the default font as well.
    TextObject::SetClassFont(int16_t(cFontTable::GetCount() + 3));
    EXPECT_EQ(b->GetFontIndex(), first);
    EXPECT_EQ(a->ResetClassData(), 0);
    EXPECT_EQ(TextObject::GetClassFont(), -1);
    EXPECT_EQ(own->ResetClassData(), 0);
    EXPECT_EQ(TextFontObject::GetDefaultFont(), -1);
}

TEST_F(TextSymbolTest, TheTextSetUpIsTheWindowsFontDialog) {
    auto text = Make<TextObject>(0, 0);
    TextObject::sCmdSetupText record;
    record.fontIndex = 4;
    {
        RaisedErrors errors;
        EXPECT_EQ(text->Setup(&record), 0);
        EXPECT_EQ(errors.LastText(), kInvalidDevice);
    }
    cMeasuringWindow window;
    window.chosenFont = 2;
    EXPECT_EQ(text->Setup(&record), 1);
    EXPECT_EQ(window.askedFont, 4);
    EXPECT_EQ(record.fontIndex, 2);
    window.chosenFont = kFontNone;
    EXPECT_EQ(text->Setup(&record), 0);
    EXPECT_EQ(record.fontIndex, 2);
    CharObject::sCmdSetupChar other;
    EXPECT_EQ(text->Setup(&other), 0);
    EXPECT_EQ(window.fontDialogs, 2);

    // A whole class set-up: every plain text takes the chosen font.
    const int16_t chosen = AddFont(u"Dialog Face", 14, -10);
    window.chosenFont = uint16_t(chosen);
    EXPECT_EQ(text->RunClassSetup(nullptr), 0);
    EXPECT_EQ(Make<TextObject>(0, 0)->GetFontIndex(), chosen);
}

TEST_F(TextSymbolTest, StaticTextsHaveNoSetUpNoClassDataAndNoEditor) {
    cMeasuringWindow window;
    auto still = Make<StaticTextObject>(10, 20);
    EXPECT_EQ(still->HasClassSetup(), kFailed);
    EXPECT_EQ(still->HasObjectSetup(), kFailed);
    TextObject::sCmdSetupText record;
    record.fontIndex = 3;
    TextFontObject::SetDefaultFont(1);
    EXPECT_EQ(still->GetClassSetup(&record), &record);
    EXPECT_EQ(still->SetClassSetup(&record), 0);
    EXPECT_EQ(still->SetObjectSetup(&record), 0);
    EXPECT_EQ(TextFontObject::GetDefaultFont(), 1);
    EXPECT_EQ(window.fontDialogs, 0);
    EXPECT_EQ(still->GetClassDataSize(), 0);
    cMemoryFile out({}, cBinaryFileBase::kWrite);
    still->SaveClassData(&out);
    EXPECT_TRUE(out.Bytes().empty());
    std::ostringstream line;
    still->ExportClassData(line);
    EXPECT_EQ(line.str(), "");
    still->Select();
    still->BeginDrag(15, 20, 3);
    still->EndDrag();
    EXPECT_EQ(TextObject::GetEditor(), nullptr);
    EXPECT_EQ(still->OnKey(u'a', 0, 0), kFailed);
    EXPECT_EQ(std::u16string(still->GetText()), u"_");
}

TEST_F(TextSymbolTest, TextRecordsTakeTheLargerOfCapacityAndLength) {
    gFileVersion = 0x020C0500;
    struct sCase {
        const char *name;
        uint32_t version;
        std::string fields;  // after the position
        uint16_t capacity;
        std::u16string text;
    };
    const std::string twelve = Le16(24) + Utf16(u"twelve chars");
    const sCase cases[] = {
        {"longer text", 0x020C0500, Le16(10) + twelve, 12, u"twelve chars"},
        {"shorter text", 0x020C0500, Le16(40) + Le16(4) + Utf16(u"ab"), 40, u"ab"},
        {"no text", 0x020C0500, Le16(40) + Le16(0), 100, u"_"},
        {"8-bit text", 0x02090000, Le16(5) + Le16(3) + "abc", 5, u"abc"},
        {"three dropped bytes", 0x01010000, std::string("\x01\x02\x03", 3) + Le16(2) + Le16(3) + "xyz", 3, u"xyz"},
        // More than a record holds: cut to the longest text.
        {"huge capacity", 0x020C0500, Le16(0xFFFF) + Le16(4) + Utf16(u"hi"), kMaxTextChars, u"hi"},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        gFileVersion = c.version;
        cMemoryFile in((c.version < 0x1050000 ? std::string("\x05\x00\x06\x00", 4) : std::string("\x05\x06", 2)) +
                       c.fields + "next");
        in.SetAnsiStrings(c.version < 0x20A0200);
        auto text = Make<TextObject>(0, 0);
        EXPECT_EQ(text->LoadBinary(&in, 200), 0);
        EXPECT_EQ(text->x, 5);
        EXPECT_EQ(text->y, 6);
        EXPECT_EQ(text->GetCapacity(), c.capacity);
        EXPECT_EQ(std::u16string(text->GetText()), c.text);
        EXPECT_EQ(in.Bytes().substr(in.GetPosition()), "next");
    }
    // The record: position, capacity, text; a font text adds its font and
    // alignment.
    gFileVersion = 0x020C0500;
    auto text = Make<TextObject>(5, 6);
    text->SetText(u"twelve chars");
    EXPECT_EQ(SaveRecord(*text), std::string("\x05\x06", 2) + Le16(100) + twelve);
    auto fontText = Make<TextFontObject>(5, 6);
    fontText->SetText(u"ab");
    fontText->SetAlignment(3);
    fontText->SetFontIndex(-1);
    const std::string bytes = SaveRecord(*fontText);
    EXPECT_EQ(bytes, std::string("\x05\x06", 2) + Le16(100) + Le16(4) + Utf16(u"ab") + Le16(0) + "\x03");
    auto back = Make<TextFontObject>(0, 0);
    cMemoryFile in(bytes);
    EXPECT_EQ(back->LoadBinary(&in, uint16_t(bytes.size())), 0);
    EXPECT_EQ(std::u16string(back->GetText()), u"ab");
    EXPECT_EQ(back->GetAlignment(), 3);
    EXPECT_EQ(back->GetFontIndex(), 0);
    // Cut records are refused.
    for (size_t keep : {size_t(3), bytes.size() - 1}) {
        auto cut = Make<TextFontObject>(0, 0);
        cMemoryFile shortIn(bytes.substr(0, keep));
        EXPECT_EQ(cut->LoadBinary(&shortIn, uint16_t(keep)), kFailed) << keep;
    }
}

TEST_F(TextSymbolTest, TextClassDataFollowTheVersionRules) {
    auto madePlain = Make<TextObject>(0, 0);
    auto madeWithFont = Make<TextFontObject>(0, 0);
    TextObject &plain = *madePlain;
    TextFontObject &withFont = *madeWithFont;
    EXPECT_EQ(plain.GetClassDataSize(), 4);
    EXPECT_EQ(withFont.GetClassDataSize(), 4);
    struct sCase {
        uint32_t version;
        std::string bytes;
        int32_t size;
        int16_t plainFont, fontTextFont;
        uint16_t plainCapacity, fontTextCapacity;
    };
    const std::string plainData = Le16(2) + Le16(30);
    const std::string fontData = Le16(4) + Le16(50);
    struct sRun {
        const char *name;
        bool fontClass;
        sCase c;
    };
    const sRun runs[] = {
        {"plain before 1.0.2", false, {0x01000100, plainData, 4, -1, -1, 100, 100}},
        {"plain", false, {0x01000200, plainData, 4, 2, -1, 30, 100}},
        {"plain cut", false, {0x020C0500, Le16(2), 2, -1, -1, 100, 100}},
        {"plain huge", false, {0x020C0500, Le16(2) + Le16(40000), 4, 2, -1, kMaxTextChars, 100}},
        {"font text before 1.2.0", true, {0x01010000, fontData, 4, -1, -1, 100, 100}},
        {"font text after the plain ones", true, {0x01030000, plainData + fontData, 8, 2, 4, 30, 50}},
        {"font text alone", true, {0x01050000, fontData, 4, -1, 4, 100, 50}},
        {"font text huge", true, {0x020C0500, Le16(4) + Le16(0xFFFF), 4, -1, 4, 100, kMaxTextChars}},
    };
    for (const sRun &run : runs) {
        SCOPED_TRACE(run.name);
        ResetTextClassValues();
        gFileVersion = run.c.version;
        cMemoryFile in(run.c.bytes);
        cPObjBase &reader = run.fontClass ? static_cast<cPObjBase &>(withFont) : plain;
        EXPECT_EQ(reader.LoadClassData(&in, run.c.size), 0);
        EXPECT_LE(in.GetPosition(), uint32_t(run.c.size));
        EXPECT_EQ(TextObject::GetClassFont(), run.c.plainFont);
        EXPECT_EQ(TextFontObject::GetDefaultFont(), run.c.fontTextFont);
        EXPECT_EQ(TextObject::GetClassDefaultCapacity(), run.c.plainCapacity);
        EXPECT_EQ(TextFontObject::GetFontClassDefaultCapacity(), run.c.fontTextCapacity);
    }
    // Written as the file's font index and the capacity; shown in decimal.
    ResetTextClassValues();
    TextObject::SetClassDefaultCapacity(77);
    TextFontObject::SetFontClassDefaultCapacity(88);
    cMemoryFile out({}, cBinaryFileBase::kWrite);
    plain.SaveClassData(&out);
    withFont.SaveClassData(&out);
    EXPECT_EQ(out.Bytes(), Le16(0) + Le16(77) + Le16(0) + Le16(88));
    std::ostringstream line;
    plain.ExportClassData(line);
    line << "|";
    withFont.ExportClassData(line);
    EXPECT_EQ(line.str(), " = -1, 77| = -1, 88");
}

TEST_F(TextSymbolTest, TextLinesCarryCapacityOrAlignmentTextAndFont) {
    const int16_t font = AddFont(u"Text Line Face", 14, -10);
    TextObject::SetClassFont(font);
    auto text = Make<TextObject>(7, 8);
    text->SetText(u"say \"hi\"");
    const std::string fields = ExportedFields(*text);
    EXPECT_EQ(fields, " @   7,    8 = 100, \\u\"say \\0022hi\\0022\", " + FontLine(font));
    TextObject::SetClassFont(0);
    auto back = Make<TextObject>(0, 0);
    EXPECT_EQ(ImportFields(*back, fields), 0);
    EXPECT_EQ(std::u16string(back->GetText()), u"say \"hi\"");
    EXPECT_EQ(back->GetCapacity(), 100);
    EXPECT_TRUE(SameFont(TextObject::GetClassFont(), font));

    // A capacity below the text's length is raised to it; the font is
    // optional on a plain text's line.
    EXPECT_EQ(ImportFields(*back, " @ 1, 2 = 3, \"longer\""), 0);
    EXPECT_EQ(back->GetCapacity(), 6);
    EXPECT_EQ(std::u16string(back->GetText()), u"longer");
    // A line without "=" leaves text and font.
    TextObject::SetClassFont(0);
    EXPECT_LT(ImportFields(*back, " @ 1, 2 3, \"other\", " + FontLine(font)), 0);
    EXPECT_EQ(std::u16string(back->GetText()), u"longer");
    EXPECT_EQ(TextObject::GetClassFont(), 0);

    // A font text writes its alignment in place of the capacity and its own
    // font; read back, it takes the class's default capacity.
    auto fontText = Make<TextFontObject>(-3, 4);
    fontText->SetText(u"own");
    fontText->SetAlignment(0xFE);
    fontText->SetFontIndex(font);
    const std::string own = ExportedFields(*fontText);
    EXPECT_EQ(own, " @  -3,    4 = -2, \\u\"own\", " + FontLine(font));
    TextFontObject::SetFontClassDefaultCapacity(2);
    auto ownBack = Make<TextFontObject>(0, 0);
    ownBack->SetFontIndex(0);
    EXPECT_EQ(ImportFields(*ownBack, own), 0);
    EXPECT_EQ(ownBack->GetAlignment(), 0xFE);
    EXPECT_EQ(std::u16string(ownBack->GetText()), u"own");
    EXPECT_EQ(ownBack->GetCapacity(), 3);
    EXPECT_TRUE(SameFont(ownBack->GetFontIndex(), font));
    TextFontObject::SetFontClassDefaultCapacity(20);
    EXPECT_EQ(ImportFields(*ownBack, own), 0);
    EXPECT_EQ(ownBack->GetCapacity(), 20);
}

// The capacity of a text line is the room the editor gives.
TEST_F(TextSymbolTest, ATextReadWithACapacityTakesThatManyTypedCharacters) {
    cMeasuringWindow window;
    auto text = Make<TextObject>(0, 0);
    ASSERT_EQ(ImportFields(*text, " @ 10, 20 = 50, \"abc\""), 0);
    EXPECT_EQ(text->GetCapacity(), 50);
    text->Select();
    text->BeginDrag(10, 20, 3);
    text->EndDrag();
    ASSERT_TRUE(text->IsEdited());
    // Typed over from the start, where the text was clicked: 50 fill it.
    for (int i = 0; i < 60; ++i) EXPECT_EQ(text->OnKey(u'x', 0, 0), 0);
    EXPECT_EQ(std::u16string(text->GetText()), std::u16string(50, u'x'));
}

TEST_F(TextSymbolTest, TheEditorEditsTheTextThatEndedItsDrag) {
    ASSERT_EQ(test::BuildTestRegistry(), 0);
    cMeasuringWindow window;
    window.charWidth = 10;
    TextObject::SetClassFont(AddFont(u"Edit Face", 16, -12));
    std::unique_ptr<PointWindowObject> doc(new PointWindowObject(&window));
    auto *text = new TextObject;
    ASSERT_TRUE(doc->InsertChild(text));
    text->SetPosition(100, 50);
    text->SetText(u"abcd");
    // Clicked within the third character: the cursor goes behind it.
    doc->SelectObject(text, 125, 45, PointWindowObject::kDragFirst);
    EXPECT_EQ(gDragStartX, 25);
    EXPECT_EQ(gDragStartY, -5);
    doc->OnMouseUp();
    ASSERT_TRUE(text->IsEdited());
    EXPECT_EQ(TextObject::GetEditor()->GetCursor(), 3);
    EXPECT_EQ(TextObject::GetEditor()->GetInsertMode(), 0);
    EXPECT_FALSE(window.IsCaretHidden());
    EXPECT_EQ(window.GetCaretHeight(), 12);

    // The document's insert flag decides between overwriting and inserting.
    EXPECT_EQ(text->OnKey(u'X', 0, 0), 0);
    EXPECT_EQ(std::u16string(text->GetText()), u"abcX");
    text->OnKey(kKeyLeft, 0, 0);
    doc->ToggleFlag();
    EXPECT_EQ(doc->OnDocumentKey(u'Y'), 0);
    EXPECT_EQ(std::u16string(text->GetText()), u"abcYX");
    EXPECT_EQ(text->OnKey(8, 0, 0), 0);
    EXPECT_EQ(std::u16string(text->GetText()), u"abcX");
    // Escape is left to the document.
    EXPECT_EQ(text->OnKey(27, 0, 0), kFailed);
    EXPECT_EQ(std::u16string(text->GetText()), u"abcX");

    // A new text while editing: the editor starts again on it, its cursor
    // within the new text.
    text->SetText(u"z");
    ASSERT_TRUE(text->IsEdited());
    EXPECT_EQ(TextObject::GetEditor()->GetCursor(), 1);
    EXPECT_EQ(text->OnKey(u'q', 0, 0), 0);
    EXPECT_EQ(std::u16string(text->GetText()), u"zq");

    // A second click moves the cursor where it lands.
    text->SetText(u"wxyz");
    text->BeginDrag(131, 50, PointWindowObject::kDragAgain);
    EXPECT_EQ(TextObject::GetEditor()->GetCursor(), 4);

    // Selecting another symbol ends the editing and hides the caret.
    auto *other = new CharObject;
    ASSERT_TRUE(doc->InsertChild(other));
    doc->SelectObject(other, 0, 0, PointWindowObject::kDragFirst);
    EXPECT_FALSE(text->IsEdited());
    EXPECT_EQ(TextObject::GetEditor(), nullptr);
    EXPECT_EQ(text->OnKey(u'a', 0, 0), kFailed);
    doc->OnMouseUp();

    // A text deleted while edited takes its editor with it.
    doc->SelectObject(text, 101, 50, PointWindowObject::kDragFirst);
    doc->OnMouseUp();
    ASSERT_NE(TextObject::GetEditor(), nullptr);
    delete text->Detach(0);
    EXPECT_EQ(TextObject::GetEditor(), nullptr);
    EXPECT_TRUE(window.IsCaretHidden());
}

TEST_F(TextSymbolTest, EditingNeedsAScoreWindow) {
    auto text = Make<TextObject>(0, 0);
    auto ch = Make<CharObject>(0, 0);
    for (cPObjPoint *obj : {static_cast<cPObjPoint *>(text.get()), static_cast<cPObjPoint *>(ch.get())}) {
        RaisedErrors errors;
        EXPECT_EQ(obj->EndDrag(), obj);
        EXPECT_EQ(errors.LastText(), kInvalidDevice);
        RaisedErrors again;
        obj->OnDeselect();
        EXPECT_EQ(again.LastText(), kInvalidDevice);
    }
    EXPECT_EQ(TextObject::GetEditor(), nullptr);
}

TEST_F(TextSymbolTest, CopiesOwnTheirText) {
    TextFontObject::SetFontClassDefaultCapacity(30);
    auto source = Make<TextFontObject>(3, 4);
    source->SetText(u"copied");
    source->SetFontIndex(2);
    source->SetAlignment(3);
    TextFontObject::SetFontClassDefaultCapacity(5);
    auto copy = Make<TextFontObject>(0, 0);
    copy->CopyFrom(*source);
    EXPECT_EQ(copy->x, 3);
    EXPECT_EQ(copy->GetCapacity(), 30);
    EXPECT_EQ(copy->GetFontIndex(), 2);
    EXPECT_EQ(copy->GetAlignment(), 3);
    EXPECT_NE(copy->GetText(), source->GetText());
    source->SetText(u"changed");
    EXPECT_EQ(std::u16string(copy->GetText()), u"copied");
    RaisedErrors errors;
    auto plain = Make<TextObject>(9, 9);
    copy->CopyFrom(*plain);
    EXPECT_EQ(errors.LastText(), kInvalidObject);
    EXPECT_EQ(copy->x, 3);
    EXPECT_EQ(std::u16string(copy->GetText()), u"copied");
}

// ---- The longest text -------------------------------------------------------

TEST_F(TextSymbolTest, CapacitiesAreCutToTheLongestTextARecordHolds) {
    gFileVersion = 0x020C0500;
    TextObject::SetClassDefaultCapacity(40000);
    EXPECT_EQ(TextObject::GetClassDefaultCapacity(), kMaxTextChars);
    TextFontObject::SetFontClassDefaultCapacity(0xFFFF);
    EXPECT_EQ(TextFontObject::GetFontClassDefaultCapacity(), kMaxTextChars);
    auto text = Make<TextObject>(0, 0);
    const std::u16string pasted(40000, u'p');
    text->SetText(pasted.c_str());
    EXPECT_EQ(std::u16string(text->GetText()), std::u16string(kMaxTextChars, u'p'));
    // The record stays within its 16-bit size with room to spare.
    EXPECT_EQ(text->DataSize(), 2 + 2 + 2 + 2 * kMaxTextChars);

    // A text line asking for more is cut too, its text with it.
    auto read = Make<TextObject>(0, 0);
    const std::string line = " @ 1, 2 = 40000, \"" + std::string(33000, 'r') + "\"";
    EXPECT_EQ(ImportFields(*read, line), 0);
    EXPECT_EQ(read->GetCapacity(), kMaxTextChars);
    EXPECT_EQ(std::u16string(read->GetText()), std::u16string(kMaxTextChars, u'r'));
}

class TextFileTest : public test::ScoreFileTest {
protected:
    void SetUp() override {
        ScoreFileTest::SetUp();
        ResetTextClassValues();
    }
    void TearDown() override {
        ScoreFileTest::TearDown();
        ResetTextClassValues();
    }
};

// A pasted text longer than a record holds is cut at the longest text, and
// the score file keeps every character of it.
TEST_F(TextFileTest, ALongPastedTextIsCutAndTheFileReadsBackEqual) {
    gFileVersion = 0x020C0500;
    TextObject::SetClassDefaultCapacity(40000);
    auto *text = new TextObject;
    text->SetPosition(30, 40);
    ASSERT_TRUE(doc->InsertChild(text));
    std::u16string pasted(40000, u'a');
    for (size_t i = 0; i < pasted.size(); ++i) pasted[i] = char16_t(u'a' + i % 26);
    text->SetText(pasted.c_str());
    const std::u16string kept = pasted.substr(0, kMaxTextChars);
    ASSERT_EQ(std::u16string(text->GetText()), kept);
    auto *fontText = new TextFontObject;
    fontText->SetPosition(50, 60);
    ASSERT_TRUE(doc->InsertChild(fontText));
    fontText->SetText(u"beside");

    SaveBytes("long.pmr");
    ResetTextClassValues();
    ASSERT_EQ(doc->LoadFile((folder + u"long.pmr").c_str()), 0);
    ASSERT_EQ(doc->GetChildCount(), 2);
    auto *back = dynamic_cast<TextObject *>(doc->GetChild(0));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->x, 30);
    EXPECT_EQ(back->y, 40);
    EXPECT_EQ(back->GetCapacity(), kMaxTextChars);
    EXPECT_EQ(std::u16string(back->GetText()), kept);
    // The class default came back with the class data.
    EXPECT_EQ(TextObject::GetClassDefaultCapacity(), kMaxTextChars);
    auto *after = dynamic_cast<TextFontObject *>(doc->GetChild(1));
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(std::u16string(after->GetText()), u"beside");
}

}  // namespace
