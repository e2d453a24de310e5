// The character and the text symbols.  A character symbol is one character
// of a font that all character symbols share, drawn bare or in a circle; it
// is typed over, and Tab, Up and Down place the next one beside, above or
// below it.  A text symbol is a line of text edited in place by the one
// keyboard editor that all texts share; plain texts share one font, font
// texts keep their own, and static texts are font texts that are neither
// set up nor edited.  Positions are the left end of the baseline.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>

#include "document/commands.h"
#include "document/point_symbol.h"

class cBinaryFileBase;
class cGrfStrKbd;

// The most characters a text symbol holds.  Its record must still fit the
// 16-bit record size with the position and the fields of derived classes
// around it, and every character must reach the file: a capacity is cut to
// this wherever it is set, read or loaded, and a longer text with it.
constexpr uint16_t kMaxTextChars = 32000;

class CharObject : public ShapeObject {
public:
    // The set-up record: the font of every character symbol and a frame
    // style.
    struct sCmdSetupChar : lcCommandRecord<sCmdSetupChar> {
        sCmdSetupChar() : lcCommandRecord(kSize, kCmdSetupChar, kCmdSetupChar) {}
        static constexpr uint16_t kSize = 20;
        int16_t fontIndex = -1;
        uint8_t frameStyle = 0;
    };

    static constexpr uint32_t kSetupDialog = 1008;
    static constexpr uint32_t kCircledBox = 101;
    static constexpr uint32_t kFontButton = 26726;
    static constexpr uint32_t kFontText = 26727;
    // The frame style that draws the character in a circle.
    static constexpr uint8_t kCircled = 8;
    static constexpr char16_t kNewChar = u'#';

    // Takes the class's default frame style; the first character made while
    // a score window exists gives the class the window's default font.
    CharObject();

    const char16_t *GetTypeName() const override { return u"Char"; }
    int16_t GetTypeId() const override { return 3; }
    cPObjPoint *NewSameClass() const override { return new CharObject; }
    uint32_t GetTypeFlags(int16_t typeId) const override { return cPObjBase::GetTypeFlags(typeId) | kTypeText; }

    int32_t ResetClassData() override;
    void CopyFrom(const cPObjBase &other) override;
    tStatus ExportText(sCmdExpAsc *record) override;
    tStatus ImportText(sCmdImpAsc *record) override;
    tStatus SaveBinary(sCmdFileSave *record) override;
    uint16_t DataSize() override;
    tStatus LoadBinary(cBinaryFileBase *file, uint16_t size) override;
    tStatus OnLoaded(sCmdLoaded *record) override;
    // The cell of the character; a circled one is as wide as the cell is
    // high, centred on the character.
    int32_t GetLeft() override;
    int32_t GetTop() override;
    int32_t GetRight() override;
    int32_t GetBottom() override;
    cRectangl *GetBounds() override;
    int32_t Setup(sCommandPrm *record) override;
    sCommandPrm *GetClassSetup(sCommandPrm *record) override;
    tStatus SetClassSetup(sCommandPrm *record) override;
    sCommandPrm *GetObjectSetup(sCommandPrm *record) override;
    // Changes the font of every character symbol: the whole window is drawn
    // again.
    tStatus SetObjectSetup(sCommandPrm *record) override;
    int16_t GetClassDataSize() override { return 2; }
    int32_t LoadClassData(cBinaryFileBase *file, int32_t size) override;
    void SaveClassData(cBinaryFileBase *file) override;
    void ExportClassData(std::ostream &stream) override;
    cPObjPoint *Draw() override;
    int32_t OnDeselect() override;
    tStatus OnKey(int16_t key, int32_t px, int32_t py) override;
    int32_t GetHandleX() override { return GetRight(); }
    int32_t GetHandleY() override { return y; }
    cPObjPoint *EndDrag() override;
    int32_t ApplyClassDefaults() override;
    // Where Tab puts the next character.
    virtual int32_t GetNextCharX();

    char16_t GetChar() const { return code; }
    void SetChar(char16_t c) { code = c; }
    uint8_t GetFrameStyle() const { return frameStyle; }
    void SetFrameStyle(uint8_t style) { frameStyle = style; }
    static int16_t GetClassFont() { return gClassFont; }
    static void SetClassFont(int16_t index) { gClassFont = index; }
    static uint8_t GetDefaultFrameStyle() { return gDefaultFrameStyle; }
    static void SetDefaultFrameStyle(uint8_t style) { gDefaultFrameStyle = style; }

private:
    // The width of the character on the current score window.
    int32_t CharWidth();
    // Places the caret at the baseline start, as high as the font's ascent.
    void PlaceCaret();
    // Tab, Up and Down: a new character at (px, py), edited next.
    tStatus PlaceNextChar(int32_t px, int32_t py);
    static sCommandPrm *FillRecord(sCommandPrm *record, uint8_t style);

    char16_t code = kNewChar;
    uint8_t frameStyle;

    static int16_t gClassFont;
    static uint8_t gDefaultFrameStyle;
};

class TextObject : public ShapeObject {
public:
    // The set-up record: a font index.
    struct sCmdSetupText : lcCommandRecord<sCmdSetupText> {
        sCmdSetupText() : lcCommandRecord(kSize, kCmdSetupText, kCmdSetupText) {}
        static constexpr uint16_t kSize = 20;
        int16_t fontIndex = -1;
    };

    static constexpr uint16_t kInitialCapacity = 100;

    // The class's default capacity and the text "_"; the first text made
    // while a score window exists gives the class the window's default font.
    TextObject();
    // Ends the editing of this text.
    ~TextObject() override;

    const char16_t *GetTypeName() const override { return u"Text"; }
    int16_t GetTypeId() const override { return 4; }
    cPObjPoint *NewSameClass() const override { return new TextObject; }
    uint32_t GetTypeFlags(int16_t typeId) const override { return cPObjBase::GetTypeFlags(typeId) | kTypeText; }

    int32_t ResetClassData() override;
    // The text editor goes.
    int32_t FreeClassData() override;
    void CopyFrom(const cPObjBase &other) override;
    tStatus ExportText(sCmdExpAsc *record) override;
    tStatus ImportText(sCmdImpAsc *record) override;
    tStatus SaveBinary(sCmdFileSave *record) override;
    uint16_t DataSize() override;
    tStatus LoadBinary(cBinaryFileBase *file, uint16_t size) override;
    tStatus OnLoaded(sCmdLoaded *record) override;
    int32_t GetLeft() override { return x; }
    int32_t GetTop() override;
    int32_t GetRight() override;
    int32_t GetBottom() override;
    bool Recalculate() override { return true; }
    cRectangl *GetBounds() override;
    // The font dialog of the window.
    int32_t Setup(sCommandPrm *record) override;
    sCommandPrm *GetClassSetup(sCommandPrm *record) override;
    tStatus SetClassSetup(sCommandPrm *record) override;
    int16_t GetClassDataSize() override { return 4; }
    int32_t LoadClassData(cBinaryFileBase *file, int32_t size) override;
    void SaveClassData(cBinaryFileBase *file) override;
    void ExportClassData(std::ostream &stream) override;
    cPObjPoint *Draw() override;
    int32_t OnDeselect() override;
    // Keys go to the editor; Escape, or a text not being edited, leaves the
    // key to the document (kFailed).
    tStatus OnKey(int16_t key, int32_t px, int32_t py) override;
    int32_t GetHandleX() override { return GetRight(); }
    int32_t GetHandleY() override { return GetBottom(); }
    // Keeps the grab offset, so that the editor's cursor lands where the
    // text was clicked.
    cPObjPoint *BeginDrag(int32_t px, int32_t py, int32_t hitKind) override;
    // Starts the editing of this text: the caret and a new editor.
    cPObjPoint *EndDrag() override;

    // The font the text is drawn in.  The shared class font is checked
    // first: while a score window exists, none or an index the table lacks
    // becomes the window's default font.
    virtual int16_t GetFontIndex();
    // Where the class font of the plain texts is stored.
    virtual int16_t *GetFontIndexRef() { return &gClassFont; }
    // Answers the previous font.
    virtual int16_t SetFontIndex(int16_t index);
    // The capacity that a new text of the class takes.
    virtual uint16_t GetDefaultCapacity() const { return gDefaultCapacity; }

    // Replaces the text by at most capacity characters of the given ones;
    // nothing changes for no text or a length of 0.  A text being edited
    // gets a new editor on the new text.  Answers the text.
    const char16_t *SetTextN(const char16_t *newText, uint32_t length);
    const char16_t *SetText(const char16_t *newText);

    const char16_t *GetText() const { return text.get(); }
    uint16_t GetCapacity() const { return capacity; }
    // Whether the shared editor edits this text.
    bool IsEdited() const;
    static cGrfStrKbd *GetEditor() { return gEditor.get(); }
    static int16_t GetClassFont() { return gClassFont; }
    static void SetClassFont(int16_t index) { gClassFont = index; }
    static uint16_t GetClassDefaultCapacity() { return gDefaultCapacity; }
    // Cut to kMaxTextChars.
    static void SetClassDefaultCapacity(uint16_t value);

protected:
    explicit TextObject(uint16_t initialCapacity);

    // A new buffer of max(capacity, length) + 1 characters (cut to
    // kMaxTextChars) holding the first length characters of the text; the
    // capacity becomes that maximum.  Readers and copies replace the text
    // this way.
    void ReplaceText(const char16_t *newText, uint32_t length, uint32_t newCapacity);
    // The end of a text line's fields that both kinds of text share: ",",
    // then the text, which replaces this one with the capacity given, raised
    // to the text's length.  Answers the reader's error latch.
    tStatus ImportTextTail(cAsciiFile &in, uint16_t newCapacity);
    // The font and the capacity that the class's set-up and class data
    // concern: the plain texts' class font, the font texts' default font.
    virtual int16_t &ClassFontSlot() { return gClassFont; }
    virtual uint16_t &ClassCapacitySlot() { return gDefaultCapacity; }
    // A set-up record (a new one when none is given) holding the font; null
    // for a record of another type.
    static sCommandPrm *FillRecord(sCommandPrm *record, int16_t font);
    // A class font and a default capacity of the class dictionary; the
    // capacity is cut to kMaxTextChars.
    static void ReadClassValues(cBinaryFileBase *file, int16_t &font, uint16_t &defaultCapacity);
    // The editor goes and the caret is hidden, when this text is edited.
    void EndEditing();
    // The text's record after the position: capacity and text.
    tStatus SaveTextFields(cBinaryFileBase *file);
    tStatus LoadTextFields(cBinaryFileBase *file, uint16_t size);

    std::unique_ptr<char16_t[]> text;
    uint16_t capacity = 0;

private:
    static int16_t gClassFont;
    static uint16_t gDefaultCapacity;
    // The one editor of all texts, and the text whose buffer it edits.
    static std::unique_ptr<cGrfStrKbd> gEditor;
    static TextObject *gEditedText;
};

class TextFontObject : public TextObject {
public:
    // The default font and capacity of the class, both taken by a new object.
    TextFontObject();

    const char16_t *GetTypeName() const override { return u"FontText"; }
    int16_t GetTypeId() const override { return 5; }
    cPObjPoint *NewSameClass() const override { return new TextFontObject; }

    int32_t ResetClassData() override;
    void CopyFrom(const cPObjBase &other) override;
    tStatus ExportText(sCmdExpAsc *record) override;
    tStatus ImportText(sCmdImpAsc *record) override;
    tStatus SaveBinary(sCmdFileSave *record) override;
    uint16_t DataSize() override;
    tStatus LoadBinary(cBinaryFileBase *file, uint16_t size) override;
    tStatus OnLoaded(sCmdLoaded *record) override;
    sCommandPrm *GetObjectSetup(sCommandPrm *record) override;
    // The object's font; a text being edited gets a new editor in it.
    tStatus SetObjectSetup(sCommandPrm *record) override;
    int32_t LoadClassData(cBinaryFileBase *file, int32_t size) override;
    int32_t ApplyClassDefaults() override;

    int16_t GetFontIndex() override { return font; }
    int16_t SetFontIndex(int16_t index) override;
    uint16_t GetDefaultCapacity() const override { return gFontDefaultCapacity; }

    uint8_t GetAlignment() const { return alignment; }
    void SetAlignment(uint8_t value) { alignment = value; }
    static int16_t GetDefaultFont() { return gDefaultFont; }
    static void SetDefaultFont(int16_t index) { gDefaultFont = index; }
    static uint16_t GetFontClassDefaultCapacity() { return gFontDefaultCapacity; }
    // Cut to kMaxTextChars.
    static void SetFontClassDefaultCapacity(uint16_t value);

protected:
    int16_t &ClassFontSlot() override { return gDefaultFont; }
    uint16_t &ClassCapacitySlot() override { return gFontDefaultCapacity; }

    int16_t font;
    // How the music texts place the text (1 freely).
    uint8_t alignment = 1;

private:
    static int16_t gDefaultFont;
    static uint16_t gFontDefaultCapacity;
};

// A font text that is neither set up nor edited in place, and keeps no
// class data.
class StaticTextObject : public TextFontObject {
public:
    const char16_t *GetTypeName() const override { return u"StaticText"; }
    int16_t GetTypeId() const override { return 6; }
    cPObjPoint *NewSameClass() const override { return new StaticTextObject; }

    tStatus OnLoaded(sCmdLoaded *) override { return 0; }
    // The record comes back as it was given.
    int32_t Setup(sCommandPrm *record) override { return record ? 1 : 0; }
    sCommandPrm *GetClassSetup(sCommandPrm *record) override { return record; }
    tStatus SetClassSetup(sCommandPrm *) override { return 0; }
    sCommandPrm *GetObjectSetup(sCommandPrm *record) override { return record; }
    tStatus SetObjectSetup(sCommandPrm *) override { return 0; }
    int16_t GetClassDataSize() override { return 0; }
    int32_t LoadClassData(cBinaryFileBase *, int32_t) override { return 0; }
    void SaveClassData(cBinaryFileBase *) override {}
    void ExportClassData(std::ostream &) override {}
    cPObjPoint *BeginDrag(int32_t px, int32_t py, int32_t hitKind) override {
        return cPObjPoint::BeginDrag(px, py, hitKind);
    }
    cPObjPoint *EndDrag() override { return cPObjPoint::EndDrag(); }
};
