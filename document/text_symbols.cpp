#include "document/text_symbols.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>

#include "document/document_root.h"
#include "foundation/ascii_file.h"
#include "foundation/binary_file.h"
#include "foundation/char_string.h"
#include "foundation/escaped_text.h"
#include "platform/version_word.h"
#include "ui/button_controls.h"
#include "ui/dialog_box.h"
#include "ui/font_table.h"
#include "ui/grf_str_kbd.h"
#include "ui/text_controls.h"
#include "ui/view_port.h"

namespace {

// Files older than this stored the character in one byte and 8-bit strings.
constexpr uint32_t kVersionWideText = 0x20A0200;
// Files older than this placed characters and texts by the top of the cell.
constexpr uint32_t kVersionBaseline = 0x2080D00;
// Files older than this carry 3 more bytes before a text's capacity.
constexpr uint32_t kVersionTextPrefix = 0x1020000;
// Files from this version on hold the class data of plain texts.
constexpr uint32_t kVersionTextDefaults = 0x1000200;
// Files from kVersionTextPrefix up to this one hold the plain texts' class
// data again before those of the font texts.
constexpr uint32_t kVersionFontTextAlone = 0x1050000;

constexpr int16_t kKeyTab = 9;
constexpr int16_t kKeyEscape = 27;
// Characters typed over a character symbol.
constexpr int16_t kFirstTypedChar = 33;
constexpr int16_t kLastTypedChar = 255;
// The caret of a symbol being edited.
constexpr int32_t kCaretWidth = 2;

uint32_t FileVersion() { return MaskVersion(gFileVersion); }

uint16_t AsFont(int16_t index) { return uint16_t(index); }

uint16_t ClampCapacity(uint32_t value) { return uint16_t(std::min<uint32_t>(value, kMaxTextChars)); }

// The character cell of a font: its y is minus the ascent.
cRectangl CellOf(int16_t font) { return *cFontTable::GetCharBox(AsFont(font)); }

// The width of the first n characters in the font.  Without a window to
// measure on, the font's cell width stands in for each.
int32_t MeasureText(const char16_t *text, uint32_t n, int16_t font) {
    if (gCurrentScoreWindow) return gCurrentScoreWindow->GetTextWidthN(text, n, AsFont(font));
    return int32_t(n) * CellOf(font).Width();
}

// The window's default font for a class font that is not set yet.
void TakeDefaultFont(int16_t &classFont) {
    if (classFont == -1 && gCurrentScoreWindow) classFont = int16_t(gCurrentScoreWindow->GetDefaultFont());
}

// The transparent background of a text drawn over the score, kept while
// the object lives.
class cTransparentText {
public:
    explicit cTransparentText(cGraphDvc &window) : window(window), previous(window.SetBackgroundMode(2)) {}
    ~cTransparentText() { window.SetBackgroundMode(previous); }
    cTransparentText(const cTransparentText &) = delete;
    cTransparentText &operator=(const cTransparentText &) = delete;

private:
    cGraphDvc &window;
    int32_t previous;
};

// Takes one symbol draw of the pass: false when none is left.
bool TakeDrawBudget() {
    if (gDrawBudget == 0) return false;
    --gDrawBudget;
    return true;
}

bool ReadU8(cBinaryFileBase *file, uint8_t &value) { return cPObjBase::ReadBytes(file, &value, 1); }

bool ReadI16(cBinaryFileBase *file, int16_t &value) {
    uint8_t b[2] = {};
    if (!cPObjBase::ReadBytes(file, b, 2)) return false;
    value = int16_t(b[0] | b[1] << 8);
    return true;
}

bool ReadU16(cBinaryFileBase *file, uint16_t &value) {
    int16_t signedValue = 0;
    if (!ReadI16(file, signedValue)) return false;
    value = uint16_t(signedValue);
    return true;
}

bool WriteI16(cBinaryFileBase *file, int16_t value) { return file->WriteU16(uint16_t(value)) >= 0; }

// A font index as the file's font table numbers it.
bool WriteFileFont(cBinaryFileBase *file, int16_t font) {
    return WriteI16(file, int16_t(cFontTable::Add(AsFont(font))));
}

// A font as the score window can draw it; unchanged without a window.
int16_t UsableFont(int16_t index) {
    return gCurrentScoreWindow ? int16_t(gCurrentScoreWindow->GetUsableFont(AsFont(index))) : index;
}

// A class font of the class dictionary; -1 when the file ends.  It numbers
// the fonts of the file's own font table, which is read only after the whole
// tree and then becomes the program's table in the same order: mapped now,
// against the table of whatever was open before, it would name a font at
// random.  The index is kept as stored; OnLoaded, which runs once the table
// is in, makes it usable.
int16_t ReadClassFont(cBinaryFileBase *file) {
    int16_t font = -1;
    ReadI16(file, font);
    return font;
}

// Files before 2.8.13 placed characters and texts by the top of the cell:
// a binary load moves them down onto the baseline, by the ascent of 'a'.
void LowerOntoBaseline(int32_t &y, const cPObjBase::sCmdLoaded *record, int16_t font) {
    if (!gCurrentScoreWindow || !record || record->value != 1 || FileVersion() >= kVersionBaseline) return;
    y -= gCurrentScoreWindow->GetCharBox(u'a', AsFont(font))->y;
}

template <class T>
T *AsRecord(sCommandPrm *record, int16_t commandId) {
    auto *typed = dynamic_cast<T *>(record);
    return typed && typed->commandId == commandId ? typed : nullptr;
}

}  // namespace

// ---- Character symbol -------------------------------------------------------

int16_t CharObject::gClassFont = -1;
uint8_t CharObject::gDefaultFrameStyle = 0;

CharObject::CharObject() : frameStyle(gDefaultFrameStyle) { TakeDefaultFont(gClassFont); }

int32_t CharObject::ResetClassData() {
    gClassFont = -1;
    return 0;
}

void CharObject::CopyFrom(const cPObjBase &other) {
    auto *source = dynamic_cast<const CharObject *>(&other);
    if (!source || other.GetTypeId() != GetTypeId()) {
        ErrorInvalidObject();
        return;
    }
    cPObjBase::CopyFrom(other);
    code = source->code;
    frameStyle = source->frameStyle;
}

int32_t CharObject::CharWidth() { return MeasureText(&code, 1, gClassFont); }

int32_t CharObject::GetTop() { return y + CellOf(gClassFont).y; }

int32_t CharObject::GetBottom() { return y + CellOf(gClassFont).Bottom(); }

// The circle is as wide as the cell is high; what it adds to the character's
// width goes half to the left (halved towards zero) and half to the right
// (halved downwards), as the drawing has always placed it.
int32_t CharObject::GetLeft() {
    if (frameStyle != kCircled) return x;
    const int32_t extra = CellOf(gClassFont).Height() - CharWidth() + 1;
    return x - extra / 2;
}

int32_t CharObject::GetRight() {
    const int32_t w = CharWidth();
    if (frameStyle != kCircled) return x + w - 1;
    const int32_t extra = CellOf(gClassFont).Height() - w + 1;
    return x - 1 + w + (extra >> 1);
}

cRectangl *CharObject::GetBounds() { return cRectangl::Temp(GetLeft(), GetTop(), GetWidth(), GetHeight()); }

int32_t CharObject::GetNextCharX() { return GetRight() + 2 * GetWidth(); }

cPObjPoint *CharObject::Draw() {
    if (!gCurrentScoreWindow) {
        ErrorInvalidDevice();
        return this;
    }
    if (!TakeDrawBudget()) return this;
    cGraphDvc &window = *gCurrentScoreWindow;
    const cTransparentText transparent(window);
    const char16_t one[2] = {code, 0};
    window.DrawTextAt(one, x, y, AsFont(gClassFont));
    if (frameStyle == kCircled) window.DrawEllipse(GetLeft(), GetTop(), GetWidth(), GetHeight());
    return this;
}

void CharObject::PlaceCaret() {
    gCurrentScoreWindow->CreateCaret(x, y, kCaretWidth, -CellOf(gClassFont).y);
}

int32_t CharObject::OnDeselect() {
    if (gCurrentScoreWindow)
        gCurrentScoreWindow->HideCaret();
    else
        ErrorInvalidDevice();
    return cPObjPoint::OnDeselect();
}

cPObjPoint *CharObject::EndDrag() {
    cPObjPoint::EndDrag();
    if (!gCurrentScoreWindow) {
        ErrorInvalidDevice();
        return this;
    }
    PlaceCaret();
    return this;
}

int32_t CharObject::ApplyClassDefaults() {
    frameStyle = gDefaultFrameStyle;
    return cPObjPoint::ApplyClassDefaults();
}

// The edit of this character ends as a mouse edit would; the new one, the
// default character, is placed as a click of its tool would place it and
// becomes the one typed over next.
tStatus CharObject::PlaceNextChar(int32_t px, int32_t py) {
    PointWindowObject *document = gCurrentDocument;
    if (!document) return kFailed;
    document->OnMouseUp();
    ClearSelection(0, 0);
    cPObjPoint *next = NewSameClassNamed(this);
    // A document that refuses the new character leaves it to us.
    if (next && !document->AddObject(next, px, py, 1)) delete next;
    document->OnMouseUp();
    return 0;
}

tStatus CharObject::OnKey(int16_t key, int32_t px, int32_t py) {
    switch (key) {
    case kKeyTab: return PlaceNextChar(GetNextCharX(), y);
    case kKeyUp: return PlaceNextChar(x, y - GetHeight());
    case kKeyDown: return PlaceNextChar(x, y + GetHeight());
    default: break;
    }
    if (key >= kFirstTypedChar && key <= kLastTypedChar) {
        // A narrower character leaves the old one's cell to be painted over.
        InvalidateBefore();
        code = char16_t(key);
        InvalidateAfter();
        return 0;
    }
    // The point behaviour may delete the symbol: nothing of it is used after.
    const tStatus result = cPObjPoint::OnKey(key, px, py);
    if (this == gFocusObject && gCurrentScoreWindow) PlaceCaret();
    return result;
}

uint16_t CharObject::DataSize() { return uint16_t(cPObjBase::DataSize() + 3); }

tStatus CharObject::SaveBinary(sCmdFileSave *record) {
    if (cPObjBase::SaveBinary(record) < 0) return kFailed;
    cBinaryFileBase *file = record->file;
    return file->WriteU16(code) < 0 || file->Write(&frameStyle, 1) < 0 ? kFailed : 0;
}

tStatus CharObject::LoadBinary(cBinaryFileBase *file, uint16_t size) {
    tStatus result = cPObjBase::LoadBinary(file, size);
    if (result < 0) return result;
    if (FileVersion() < kVersionWideText) {
        // One byte of the system's code page, widened with its sign.
        uint8_t narrow = 0;
        if (!ReadU8(file, narrow)) return kFailed;
        code = char16_t(int16_t(int8_t(narrow)));
    } else {
        uint16_t wide = 0;
        if (!ReadU16(file, wide)) return kFailed;
        code = wide;
    }
    uint8_t style = 0;
    if (!ReadU8(file, style)) return kFailed;
    frameStyle = style;
    return 0;
}

tStatus CharObject::OnLoaded(sCmdLoaded *record) {
    gClassFont = UsableFont(gClassFont);
    LowerOntoBaseline(y, record, gClassFont);
    return 0;
}

tStatus CharObject::ExportText(sCmdExpAsc *record) {
    tStatus result = cPObjBase::ExportText(record);
    if (result < 0) return result;
    std::ostream &out = *record->output;
    out << " = " << EscapeCharText(code) << ", ";
    cFontTable::Dump(AsFont(gClassFont), out);
    return 0;
}

tStatus CharObject::ImportText(sCmdImpAsc *record) {
    tStatus result = cPObjBase::ImportText(record);
    if (result != 0 || !record) return result;
    cAsciiFile &in = *record->input;
    if (in.Expect(u"=") != 0) return in.GetErrorLatch();
    // Nothing between quotes reads as 0: the character stays.
    const char16_t c = in.ReadQuotedChar();
    if (in.GetErrorLatch() == 0 && c != 0) code = c;
    if (in.Expect(u",") == 0) gClassFont = int16_t(cFontTable::ParseSpec(in));
    return in.GetErrorLatch();
}

int32_t CharObject::LoadClassData(cBinaryFileBase *file, int32_t size) {
    if (size >= 2) gClassFont = ReadClassFont(file);
    return 0;
}

void CharObject::SaveClassData(cBinaryFileBase *file) { WriteFileFont(file, gClassFont); }

void CharObject::ExportClassData(std::ostream &stream) { stream << " = " << gClassFont; }

// A set-up record (a new one when none is given) with the class font and a
// frame style; null for a record of another type.
sCommandPrm *CharObject::FillRecord(sCommandPrm *record, uint8_t style) {
    auto *setup = dynamic_cast<sCmdSetupChar *>(record ? record : new sCmdSetupChar);
    if (!setup) return nullptr;
    setup->fontIndex = gClassFont;
    setup->frameStyle = style;
    return setup;
}

sCommandPrm *CharObject::GetClassSetup(sCommandPrm *record) { return FillRecord(record, gDefaultFrameStyle); }

sCommandPrm *CharObject::GetObjectSetup(sCommandPrm *record) { return FillRecord(record, frameStyle); }

tStatus CharObject::SetClassSetup(sCommandPrm *record) {
    auto *setup = AsRecord<sCmdSetupChar>(record, kCmdSetupChar);
    if (!setup) return kFailed;
    gDefaultFrameStyle = setup->frameStyle;
    gClassFont = setup->fontIndex;
    return 0;
}

tStatus CharObject::SetObjectSetup(sCommandPrm *record) {
    auto *setup = AsRecord<sCmdSetupChar>(record, kCmdSetupChar);
    if (!setup) return kFailed;
    frameStyle = setup->frameStyle;
    gClassFont = setup->fontIndex;
    if (gCurrentScoreWindow) RedrawWholeWindow();
    return 0;
}

int32_t CharObject::Setup(sCommandPrm *record) {
    auto *setup = dynamic_cast<sCmdSetupChar *>(record);
    if (!setup || setup->familyId != kCmdSetupChar) return 0;
    if (!gCurrentScoreWindow) {
        ErrorInvalidDevice();
        return 0;
    }
    int32_t style = setup->frameStyle;
    uint16_t font = AsFont(setup->fontIndex);
    const char16_t *description = cFontTable::GetDescription(font, gCurrentScoreWindow->GetDpi());
    std::u16string shown = description ? description : u"";
    std::unique_ptr<cDialogBox> dialog(gCurrentScoreWindow->NewDialogBox(kSetupDialog, uint32_t(GetHelpTopic())));
    if (!dialog) return 0;
    dialog->NewCheckBox(kCircledBox, &style, kCircled)->SetHint(u"Characters will be circled");
    dialog->NewFontButton(kFontButton, &font)->SetHint(u"Select a font");
    dialog->NewStaticText(kFontText, &shown, 0);
    // The description follows every font chosen.
    dialog->SetControlBuddy(kFontText, kFontButton);
    if (dialog->Open() != RC_OK) return 0;
    setup->frameStyle = uint8_t(style);
    if (font != kFontNone) setup->fontIndex = int16_t(font);
    return 1;
}

// ---- Text symbols -----------------------------------------------------------

int16_t TextObject::gClassFont = -1;
uint16_t TextObject::gDefaultCapacity = TextObject::kInitialCapacity;
std::unique_ptr<cGrfStrKbd> TextObject::gEditor;
TextObject *TextObject::gEditedText = nullptr;

TextObject::TextObject() : TextObject(gDefaultCapacity) {}

TextObject::TextObject(uint16_t initialCapacity) {
    TakeDefaultFont(gClassFont);
    ReplaceText(u"_", 1, initialCapacity);
}

TextObject::~TextObject() { EndEditing(); }

void TextObject::SetClassDefaultCapacity(uint16_t value) { gDefaultCapacity = ClampCapacity(value); }

bool TextObject::IsEdited() const { return gEditor && gEditedText == this; }

void TextObject::EndEditing() {
    if (!IsEdited()) return;
    gEditor.reset();
    gEditedText = nullptr;
    if (gCurrentScoreWindow) gCurrentScoreWindow->HideCaret();
}

void TextObject::ReplaceText(const char16_t *newText, uint32_t length, uint32_t newCapacity) {
    // The editor works in the old buffer.
    EndEditing();
    capacity = ClampCapacity(std::max(newCapacity, length));
    const uint32_t kept = std::min<uint32_t>(length, capacity);
    text.reset(new char16_t[capacity + 1u]);
    if (newText) std::copy(newText, newText + kept, text.get());
    text[kept] = 0;
}

const char16_t *TextObject::SetTextN(const char16_t *newText, uint32_t length) {
    if (!newText || length == 0) return text.get();
    InvalidateBefore();
    const uint32_t kept = std::min<uint32_t>(length, capacity);
    std::copy(newText, newText + kept, text.get());
    text[kept] = 0;
    InvalidateAfter();
    // The editor's cursor may stand past the new end.
    if (this == gFocusObject) EndDrag();
    return text.get();
}

const char16_t *TextObject::SetText(const char16_t *newText) { return SetTextN(newText, TextLength(newText)); }

int32_t TextObject::ResetClassData() {
    gClassFont = -1;
    return 0;
}

int32_t TextObject::FreeClassData() {
    gEditor.reset();
    gEditedText = nullptr;
    return ShapeObject::FreeClassData();
}

void TextObject::CopyFrom(const cPObjBase &other) {
    auto *source = dynamic_cast<const TextObject *>(&other);
    if (!source || other.GetTypeId() != GetTypeId()) {
        ErrorInvalidObject();
        return;
    }
    cPObjBase::CopyFrom(other);
    const char16_t *copied = source->text.get();
    ReplaceText(copied, copied ? TextLength(copied) : 0, source->capacity);
}

int16_t TextObject::GetFontIndex() {
    if (gCurrentScoreWindow && (gClassFont == -1 || cFontTable::CheckIndex(AsFont(gClassFont)) < 0))
        gClassFont = int16_t(gCurrentScoreWindow->GetDefaultFont());
    return gClassFont;
}

int16_t TextObject::SetFontIndex(int16_t index) {
    const int16_t previous = gClassFont;
    gClassFont = index;
    return previous;
}

int32_t TextObject::GetTop() { return y + CellOf(GetFontIndex()).y; }

int32_t TextObject::GetBottom() { return y + CellOf(GetFontIndex()).Bottom(); }

int32_t TextObject::GetRight() {
    const char16_t *shown = text ? text.get() : u"";
    return x + MeasureText(shown, TextLength(shown), GetFontIndex()) - 1;
}

cRectangl *TextObject::GetBounds() { return cRectangl::Temp(GetLeft(), GetTop(), GetWidth(), GetHeight()); }

cPObjPoint *TextObject::Draw() {
    if (!text) return this;
    if (!gCurrentScoreWindow) {
        ErrorInvalidDevice();
        return this;
    }
    if (!TakeDrawBudget()) return this;
    const cTransparentText transparent(*gCurrentScoreWindow);
    gCurrentScoreWindow->DrawTextAt(text.get(), x, y, AsFont(GetFontIndex()));
    return this;
}

int32_t TextObject::OnDeselect() {
    if (IsEdited()) {
        gEditor.reset();
        gEditedText = nullptr;
    }
    if (gCurrentScoreWindow)
        gCurrentScoreWindow->HideCaret();
    else
        ErrorInvalidDevice();
    return cPObjPoint::OnDeselect();
}

cPObjPoint *TextObject::BeginDrag(int32_t px, int32_t py, int32_t hitKind) {
    cPObjPoint::BeginDrag(px, py, hitKind);
    gDragStartX = px - x;
    gDragStartY = py - y;
    if (IsEdited()) {
        gEditor->SetPosition(x, y);
        gEditor->SetCursorAtX(px);
    }
    return this;
}

cPObjPoint *TextObject::EndDrag() {
    cPObjPoint::EndDrag();
    if (!gCurrentScoreWindow) {
        ErrorInvalidDevice();
        return this;
    }
    cGraphDvc &window = *gCurrentScoreWindow;
    window.HideCaret();
    gEditor.reset();
    gEditedText = nullptr;
    const int16_t font = GetFontIndex();
    window.CreateCaret(x + gDragStartX, y, kCaretWidth, -CellOf(font).y);
    gEditor = std::make_unique<cGrfStrKbd>(text.get(), capacity, &window, AsFont(font));
    gEditedText = this;
    gEditor->SetPosition(x, y);
    gEditor->SetCursorAtX(x + gDragStartX);
    gEditor->SetInsertMode(0);
    return this;
}

tStatus TextObject::OnKey(int16_t key, int32_t, int32_t) {
    if (key == kKeyEscape || !IsEdited()) return kFailed;
    gEditor->SetInsertMode(gCurrentDocument ? gCurrentDocument->GetInsertMode() : 0);
    // Before and after: a text that got shorter leaves its old end to paint.
    InvalidateBefore();
    gEditor->OnKey(key, 3);
    InvalidateBefore();
    return 0;
}

uint16_t TextObject::DataSize() { return uint16_t(cPObjBase::DataSize() + 2 + StoredTextSize(text.get())); }

tStatus TextObject::SaveTextFields(cBinaryFileBase *file) {
    return file->WriteU16(capacity) < 0 || file->WriteString(text.get()) < 0 ? kFailed : 0;
}

tStatus TextObject::SaveBinary(sCmdFileSave *record) {
    if (cPObjBase::SaveBinary(record) < 0) return kFailed;
    return SaveTextFields(record->file);
}

tStatus TextObject::LoadTextFields(cBinaryFileBase *file, uint16_t size) {
    if (FileVersion() < kVersionTextPrefix) {
        uint8_t dropped[3];
        if (!ReadBytes(file, dropped, 3)) return kFailed;
    }
    uint16_t stored = 0;
    if (!ReadU16(file, stored)) return kFailed;
    // The text takes no more characters than the record has bytes.
    std::unique_ptr<char16_t[]> read;
    {
        char16_t *buffer = nullptr;
        file->ReadStringInto(&buffer, size);
        read.reset(buffer);
    }
    if (file->HasIoError()) return kFailed;
    const uint32_t length = read ? TextLength(read.get()) : 0;
    if (length == 0)
        ReplaceText(u"_", 1, GetDefaultCapacity());
    else
        ReplaceText(read.get(), length, stored);
    return 0;
}

tStatus TextObject::LoadBinary(cBinaryFileBase *file, uint16_t size) {
    tStatus result = cPObjBase::LoadBinary(file, size);
    if (result < 0) return result;
    return LoadTextFields(file, size);
}

tStatus TextObject::OnLoaded(sCmdLoaded *record) {
    gClassFont = UsableFont(gClassFont);
    LowerOntoBaseline(y, record, GetFontIndex());
    return 0;
}

tStatus TextObject::ExportText(sCmdExpAsc *record) {
    tStatus result = cPObjBase::ExportText(record);
    if (result < 0) return result;
    std::ostream &out = *record->output;
    out << " = " << capacity << ", " << EscapeStringText(text.get()) << ", ";
    cFontTable::Dump(AsFont(GetFontIndex()), out);
    return 0;
}

// After "=" and the field before the text: the text, which replaces this
// one as the binary reader's does.
tStatus TextObject::ImportTextTail(cAsciiFile &in, uint16_t newCapacity) {
    in.Expect(u",");
    const std::u16string read = in.ReadQuotedString();
    if (in.GetErrorLatch() == 0) ReplaceText(read.c_str(), uint32_t(read.size()), newCapacity);
    return in.GetErrorLatch();
}

tStatus TextObject::ImportText(sCmdImpAsc *record) {
    tStatus result = cPObjBase::ImportText(record);
    if (result != 0 || !record) return result;
    cAsciiFile &in = *record->input;
    if (in.Expect(u"=") != 0) return in.GetErrorLatch();
    const int32_t stated = in.ReadInt();
    const uint16_t newCapacity = ClampCapacity(uint32_t(std::max(stated, 0)));
    if (ImportTextTail(in, newCapacity) != 0) return in.GetErrorLatch();
    if (in.PeekAfterWhiteSpace() == ',' && in.Expect(u",") == 0) SetFontIndex(int16_t(cFontTable::ParseSpec(in)));
    return in.GetErrorLatch();
}

void TextObject::ReadClassValues(cBinaryFileBase *file, int16_t &font, uint16_t &defaultCapacity) {
    font = ReadClassFont(file);
    uint16_t stated = defaultCapacity;
    ReadU16(file, stated);
    defaultCapacity = ClampCapacity(stated);
}

int32_t TextObject::LoadClassData(cBinaryFileBase *file, int32_t size) {
    if (FileVersion() >= kVersionTextDefaults && size >= 4) ReadClassValues(file, gClassFont, gDefaultCapacity);
    return 0;
}

void TextObject::SaveClassData(cBinaryFileBase *file) {
    WriteFileFont(file, ClassFontSlot());
    file->WriteU16(ClassCapacitySlot());
}

void TextObject::ExportClassData(std::ostream &stream) {
    stream << " = " << ClassFontSlot() << ", " << ClassCapacitySlot();
}

sCommandPrm *TextObject::FillRecord(sCommandPrm *record, int16_t font) {
    auto *setup = dynamic_cast<sCmdSetupText *>(record ? record : new sCmdSetupText);
    if (setup) setup->fontIndex = font;
    return setup;
}

sCommandPrm *TextObject::GetClassSetup(sCommandPrm *record) { return FillRecord(record, ClassFontSlot()); }

tStatus TextObject::SetClassSetup(sCommandPrm *record) {
    auto *setup = AsRecord<sCmdSetupText>(record, kCmdSetupText);
    if (!setup) return kFailed;
    ClassFontSlot() = setup->fontIndex;
    return 0;
}

int32_t TextObject::Setup(sCommandPrm *record) {
    auto *setup = dynamic_cast<sCmdSetupText *>(record);
    if (!setup || setup->familyId != kCmdSetupText) return 0;
    if (!gCurrentScoreWindow) {
        ErrorInvalidDevice();
        return 0;
    }
    const uint16_t chosen = gCurrentScoreWindow->ChooseFontDialog(AsFont(setup->fontIndex));
    if (chosen == kFontNone) return 0;
    setup->fontIndex = int16_t(chosen);
    return 1;
}

// ---- Font texts ---------------------------------------------------------------

int16_t TextFontObject::gDefaultFont = -1;
uint16_t TextFontObject::gFontDefaultCapacity = TextObject::kInitialCapacity;

TextFontObject::TextFontObject() : TextObject(gFontDefaultCapacity) {
    TakeDefaultFont(gDefaultFont);
    font = gDefaultFont;
}

void TextFontObject::SetFontClassDefaultCapacity(uint16_t value) { gFontDefaultCapacity = ClampCapacity(value); }

int32_t TextFontObject::ResetClassData() {
    gDefaultFont = -1;
    return TextObject::ResetClassData();
}

void TextFontObject::CopyFrom(const cPObjBase &other) {
    TextObject::CopyFrom(other);
    if (auto *source = dynamic_cast<const TextFontObject *>(&other); source && other.GetTypeId() == GetTypeId()) {
        font = source->font;
        alignment = source->alignment;
    }
}

int16_t TextFontObject::SetFontIndex(int16_t index) {
    const int16_t previous = font;
    font = index;
    return previous;
}

int32_t TextFontObject::ApplyClassDefaults() {
    font = gDefaultFont;
    return TextObject::ApplyClassDefaults();
}

uint16_t TextFontObject::DataSize() { return uint16_t(TextObject::DataSize() + 3); }

tStatus TextFontObject::SaveBinary(sCmdFileSave *record) {
    if (TextObject::SaveBinary(record) < 0) return kFailed;
    cBinaryFileBase *file = record->file;
    return !WriteFileFont(file, font) || file->Write(&alignment, 1) < 0 ? kFailed : 0;
}

tStatus TextFontObject::LoadBinary(cBinaryFileBase *file, uint16_t size) {
    tStatus result = TextObject::LoadBinary(file, size);
    if (result < 0) return result;
    int16_t stored = -1;
    uint8_t flag = 0;
    if (!ReadI16(file, stored) || !ReadU8(file, flag)) return kFailed;
    font = stored;
    alignment = flag;
    return 0;
}

tStatus TextFontObject::OnLoaded(sCmdLoaded *record) {
    gDefaultFont = UsableFont(gDefaultFont);
    font = UsableFont(font);
    LowerOntoBaseline(y, record, GetFontIndex());
    return 0;
}

tStatus TextFontObject::ExportText(sCmdExpAsc *record) {
    tStatus result = cPObjBase::ExportText(record);
    if (result < 0) return result;
    std::ostream &out = *record->output;
    out << " = " << int32_t(int8_t(alignment)) << ", " << EscapeStringText(text.get()) << ", ";
    cFontTable::Dump(AsFont(font), out);
    return 0;
}

// The line carries no capacity: the text keeps the class default, or its
// own length when that is longer.
tStatus TextFontObject::ImportText(sCmdImpAsc *record) {
    tStatus result = cPObjBase::ImportText(record);
    if (result != 0 || !record) return result;
    cAsciiFile &in = *record->input;
    if (in.Expect(u"=") != 0) return in.GetErrorLatch();
    const int32_t flag = in.ReadInt();
    if (in.GetErrorLatch() == 0) alignment = uint8_t(flag);
    if (ImportTextTail(in, gFontDefaultCapacity) != 0) return in.GetErrorLatch();
    if (in.Expect(u",") == 0) font = int16_t(cFontTable::ParseSpec(in));
    return in.GetErrorLatch();
}

int32_t TextFontObject::LoadClassData(cBinaryFileBase *file, int32_t size) {
    const uint32_t version = FileVersion();
    if (version < kVersionTextPrefix) return 0;
    // These versions wrote the plain texts' defaults once more here.
    if (version < kVersionFontTextAlone) {
        if (size < 8) return 0;
        TextObject::LoadClassData(file, 4);
    }
    if (size >= 4) ReadClassValues(file, gDefaultFont, gFontDefaultCapacity);
    return 0;
}

sCommandPrm *TextFontObject::GetObjectSetup(sCommandPrm *record) { return FillRecord(record, font); }

tStatus TextFontObject::SetObjectSetup(sCommandPrm *record) {
    auto *setup = AsRecord<sCmdSetupText>(record, kCmdSetupText);
    if (!setup) return kFailed;
    InvalidateBefore();
    font = setup->fontIndex;
    InvalidateAfter();
    // The editor measures in the font it was made with.
    if (this == gFocusObject) EndDrag();
    return 0;
}
