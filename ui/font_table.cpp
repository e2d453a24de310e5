#include "ui/font_table.h"

#include <cstdlib>
#include <sstream>

#include "foundation/ascii_file.h"
#include "foundation/binary_file.h"
#include "foundation/char_string.h"
#include "foundation/text_util.h"
#include "ui/device_math.h"

tFontList *gFontTable = nullptr;
std::vector<cGraphDvcFontBase *> *gFileFontTable = nullptr;
cGraphDvcFont *gStockFont = nullptr;

PELMORA_ERROR_TABLE(kGraphDvcFontBaseErrors, u"GraphDvcFontBase", u"Invalid font");

namespace {

// The face in double quotes, '"' and '\' escaped, each character as its low byte.
void WriteQuotedFace(const char16_t *text, std::ostream &out) {
    out.put('"');
    for (; text && *text; text++) {
        if (*text == u'"' || *text == u'\\') out.put('\\');
        out.put(static_cast<char>(*text & 0xFF));
    }
    out.put('"');
}

const char *CharSetName(uint8_t charSet) {
    switch (charSet) {
    case 0: return "ANSI";
    case 1: return "DEFAULT";
    case 2: return "SYMBOL";
    case 128: return "SHIFTJIS";
    case 129: return "HANGEUL";
    case 134: return "GB2312";
    case 136: return "CHINESEBIG5";
    case 255: return "OEM";
    default: return "Unknown";
    }
}

void DropFileFontTable() {
    delete gFileFontTable;
    gFileFontTable = nullptr;
}

}  // namespace

int32_t FontPointSize(int32_t height, uint32_t resolution) {
    if (resolution == 0) return 0;
    int64_t h = height < 0 ? -int64_t(height) : height;
    return static_cast<int32_t>((h * 72 + resolution / 2) / resolution);
}

// ---- cGraphDvcFontBase ------------------------------------------------------

cGraphDvcFontBase::cGraphDvcFontBase() {
    if (!gFontTable) gFontTable = new tFontList();
}

void cGraphDvcFontBase::SetMetricsFromHeight(int16_t h, int16_t f) {
    height = h;
    flags = f;
    int16_t b = static_cast<int16_t>(h * 3 / 4);
    charBox.Set(0, -b);
    charBox.SetSize(b, h < 0 ? -h : h);
    firstChar = 32;
    lastChar = 255;
}

void cGraphDvcFontBase::SetFace(const char16_t *text, int16_t h, int16_t f) {
    if (text) {
        ownFace.assign(text);
        face = ownFace.c_str();
    } else {
        ownFace.clear();
        face = nullptr;
    }
    SetMetricsFromHeight(h, f);
}

void cGraphDvcFontBase::SetCharBox(int32_t h, int32_t w, int32_t top) {
    charBox.Set(0, top);
    charBox.SetSize(w, h);
}

cRectangl *cGraphDvcFontBase::GetCharBox() { return cRectangl::TempCopy(charBox); }

void cGraphDvcFontBase::Describe(std::ostream &out) {
    WriteQuotedFace(face, out);
    out << (height < 0 ? ", ttf" : ", font");
    out << ", " << std::abs(int32_t(height)) << ", ";
    if (flags & (kFontBold | kFontUnderline | kFontItalic | kFontStyleC)) {
        if (flags & kFontBold) out << 'B';
        if (flags & kFontUnderline) out << 'U';
        if (flags & kFontItalic) out << 'I';
        if (flags & kFontStyleC) out << 'C';
    } else {
        out << 'N';
    }
    out << ", " << charBox.x << ", " << charBox.y << ", " << charBox.Width() << ", " << charBox.Height();
    out << ", " << firstChar << ", " << lastChar;
}

// ---- cGraphDvcFont ----------------------------------------------------------

cGraphDvcFont::cGraphDvcFont() { face = logFont.face; }

cGraphDvcFont::~cGraphDvcFont() { ReleaseHandle(); }

int16_t cGraphDvcFont::FlagsOf(const sLogFont &lf) {
    int16_t f = 0;
    if (lf.weight == 700) f |= kFontBold;
    if (lf.italic) f |= kFontItalic;
    if (lf.underline) f |= kFontUnderline;
    return f;
}

// Faces longer than the field are cut: the field always keeps its end mark.
void cGraphDvcFont::SetLogFontFace(const char16_t *text) {
    uint32_t i = 0;
    for (; text && text[i] && i < kMaxFaceChars; i++) logFont.face[i] = text[i];
    for (; i <= kMaxFaceChars; i++) logFont.face[i] = 0;
}

void cGraphDvcFont::UpdateFromLogFont() {
    face = logFont.face;
    SetMetricsFromHeight(static_cast<int16_t>(logFont.height), FlagsOf(logFont));
}

void cGraphDvcFont::SetFace(const char16_t *text, int16_t h, int16_t f) {
    SetMetricsFromHeight(h, f);
    SetLogFontFace(text);
    face = logFont.face;
    logFont.height = h;
    logFont.width = 0;
    logFont.escapement = 0;
    logFont.orientation = 0;
    logFont.weight = (f & kFontBold) ? 700 : 0;
    logFont.italic = (f & kFontItalic) ? 1 : 0;
    logFont.underline = (f & kFontUnderline) ? 1 : 0;
    logFont.strikeOut = 0;
    logFont.charSet = 0;         // ANSI_CHARSET
    logFont.outPrecision = 4;    // OUT_TT_PRECIS
    logFont.clipPrecision = 32;  // CLIP_EMBEDDED
    logFont.quality = 2;         // PROOF_QUALITY
    logFont.pitchAndFamily = 2;  // VARIABLE_PITCH
}

bool cGraphDvcFont::IsWideOutlineFont() { return (pitchAndFamily & (2 | 4)) != 0 && lastChar > 8999; }

void cGraphDvcFont::Describe(std::ostream &out) {
    cGraphDvcFontBase::Describe(out);
    out << ", " << CharSetName(logFont.charSet);
    if (!(pitchAndFamily & 1)) out << ", Fix";
    if (pitchAndFamily & 2) out << ", Vector";
    if (pitchAndFamily & 4) out << ", TTF";
    if (pitchAndFamily & 8) out << ", Device";
}

void cGraphDvcFont::CopyFrom(const cGraphDvcFont &other) {
    if (!gFontTable) gFontTable = new tFontList();
    ReleaseHandle();
    height = other.height;
    flags = other.flags;
    charBox.Assign(other.charBox);
    firstChar = other.firstChar;
    lastChar = other.lastChar;
    logFont = other.logFont;
    logFont.face[kMaxFaceChars] = 0;
    face = logFont.face;
    handle = other.handle;
    ownsHandle = false;
}

void cGraphDvcFont::SetFromLogFont(const char16_t *text, const sLogFont &lf) {
    logFont = lf;
    if (text) SetLogFontFace(text);
    logFont.face[kMaxFaceChars] = 0;
    logFont.width = 0;
    face = logFont.face;
    SetMetricsFromHeight(static_cast<int16_t>(logFont.height), FlagsOf(logFont));
}

// ---- cFontTable -------------------------------------------------------------

namespace cFontTable {

void RaiseError(uint32_t index) { ::RaiseError(&kGraphDvcFontBaseErrors, index); }
void ReportInvalidFont() { RaiseError(0); }

int32_t GetCount() { return gFontTable ? gFontTable->Size() : 0; }

int32_t CheckIndex(uint16_t index) { return index < GetCount() ? index : -1; }

cGraphDvcFontBase *GetFont(uint16_t index) {
    if (!gFontTable || index >= GetCount()) return nullptr;
    return (*gFontTable)[index];
}

uint16_t GetInfo(uint16_t index, sFontInfo &info) {
    cGraphDvcFontBase *font = GetFont(index);
    if (!font) {
        ReportInvalidFont();
        return kFontNone;
    }
    info.face = font->GetFace();
    info.height = font->GetHeight();
    info.flags = font->GetFlags();
    info.charBox = font->CharBox();
    info.firstChar = font->GetFirstChar();
    info.lastChar = font->GetLastChar();
    return index;
}

cRectangl *GetCharBox(uint16_t index) {
    cGraphDvcFontBase *font = GetFont(index);
    if (!font) return cRectangl::Temp(0, -6, 8, 8);
    return font->GetCharBox();
}

bool IsEqualFont(const cGraphDvcFontBase &a, const cGraphDvcFontBase &b) {
    return a.GetHeight() == b.GetHeight() && a.GetFlags() == b.GetFlags() &&
           EqualsIgnoringCase(a.GetFace(), b.GetFace());
}

uint16_t Find(const cGraphDvcFontBase &font) {
    int32_t n = GetCount();
    for (int32_t i = 0; i < n && i < kFontKeep; i++) {
        cGraphDvcFontBase *entry = (*gFontTable)[size_t(i)];
        if (entry && IsEqualFont(*entry, font)) return static_cast<uint16_t>(i);
    }
    return kFontNone;
}

uint16_t Append(cGraphDvcFontBase *font) {
    if (!font) return kFontNone;
    font->UpdateFromLogFont();
    // Indexes from kFontKeep up have meanings of their own.
    if (!gFontTable || GetCount() >= kFontKeep) {
        ReportInvalidFont();
        delete font;
        return kFontNone;
    }
    if (font->Realize() != RC_OK) {
        delete font;
        return kFontNone;
    }
    gFontTable->push_back(font);
    return static_cast<uint16_t>(GetCount() - 1);
}

uint16_t Add(uint16_t index) {
    if (!gFileFontTable) {
        gFileFontTable = new std::vector<cGraphDvcFontBase *>();
        gFileFontTable->push_back(gStockFont);
    }
    if (index == kFontNone || index == kFontDefault) return 0;
    cGraphDvcFontBase *font = GetFont(index);
    if (!font) {
        ReportInvalidFont();
        return kFontNone;
    }
    for (size_t i = 0; i < gFileFontTable->size(); i++) {
        if ((*gFileFontTable)[i] == font) return static_cast<uint16_t>(i);
    }
    gFileFontTable->push_back(font);
    return static_cast<uint16_t>(gFileFontTable->size() - 1);
}

tStatus WriteTable(cBinaryFileBase &file, const std::vector<cGraphDvcFontBase *> *list) {
    size_t entries = list && !list->empty() ? list->size() - 1 : 0;
    tStatus status = file.WriteU16(0);
    if (status >= 0) status = file.WriteU16(static_cast<uint16_t>(entries));
    for (size_t i = 1; i <= entries && status >= 0; i++) {
        const cGraphDvcFontBase *font = (*list)[i];
        status = file.WriteU16(static_cast<uint16_t>(font->GetHeight()));
        if (status >= 0) status = file.WriteU16(static_cast<uint16_t>(font->GetFlags()));
        if (status >= 0) status = file.WriteString(font->GetFace());
    }
    return status < 0 ? status : RC_OK;
}

void ClearFileTable() { DropFileFontTable(); }

tStatus Write(cBinaryFileBase &file) { return WriteTable(file, gFileFontTable); }

// Entry 0 is the stock font whatever stood there; the table deletes the rest.
void ResetToStockFont() {
    if (!gFontTable) return;
    while (gFontTable->Remove(gStockFont)) {
    }
    gFontTable->DeleteAll();
    if (gStockFont) gFontTable->push_back(gStockFont);
}

tStatus Read(cBinaryFileBase &file) {
    // A block too short for its header leaves the table as it was.
    if (file.BytesLeft() < 4) return RC_FAIL;
    uint16_t version = 0, count = 0;
    file.ReadU16(version);
    file.ReadU16(count);
    ResetToStockFont();
    DropFileFontTable();
    for (int16_t i = 0; i < static_cast<int16_t>(count); i++) {
        // Every entry is checked against the bytes left before it is used.
        if (file.BytesLeft() < 6) return RC_FAIL;
        uint16_t height = 0, flags = 0, length = 0;
        file.ReadU16(height);
        file.ReadU16(flags);
        uint32_t at = file.GetPosition();
        file.ReadU16(length);
        if (length > file.BytesLeft() || file.HasIoError()) return RC_FAIL;
        file.Seek(at);
        // The face field holds 31 characters; the rest of a longer name is skipped.
        std::u16string face = file.ReadStringTemp(kMaxFaceChars);
        if (!gStockFont) {
            ReportInvalidFont();
            continue;
        }
        cGraphDvcFontBase *font = gStockFont->CreateInstance();
        font->SetFace(face.c_str(), static_cast<int16_t>(height), static_cast<int16_t>(flags));
        font->Realize();
        gFontTable->push_back(font);
    }
    return file.HasIoError() ? RC_FAIL : RC_OK;
}

tStatus Clear() {
    // The table deletes its fonts.
    delete gFontTable;
    gFontTable = nullptr;
    gStockFont = nullptr;
    DropFileFontTable();
    return RC_OK;
}

void Dump(uint16_t index, std::ostream &out) {
    if (index == kFontNone || index == kFontDefault) return;
    cGraphDvcFontBase *font = GetFont(index);
    if (!font) {
        ReportInvalidFont();
        out << "invalid";
        return;
    }
    font->Describe(out);
}

void DumpAll(std::ostream &out) {
    int32_t n = GetCount();
    out << "[fonts] " << n << "\n";
    for (int32_t i = 0; i < n; i++) {
        (*gFontTable)[size_t(i)]->Describe(out);
        out << "\n";
    }
}

const char16_t *GetDescription(uint16_t index, uint32_t resolution) {
    if (index == kFontDefault) return TempString(u"default");
    if (index == kFontNone) return TempString(u"none");
    cGraphDvcFontBase *font = GetFont(index);
    if (!font) return nullptr;
    cCharString text(font->GetFace());
    text.push_back(u' ');
    text.AppendInt(FontPointSize(font->GetHeight(), resolution));
    text.push_back(u' ');
    if (font->GetFlags() & kFontBold) text.push_back(u'B');
    if (font->GetFlags() & kFontItalic) text.push_back(u'I');
    if (font->GetFlags() & kFontUnderline) text.push_back(u'U');
    if (text.size() > 120) text.resize(120);
    return TempStringOf(text);
}

uint16_t ParseSpec(cAsciiFile &reader) {
    // A description never continues on the next line: a line that ends
    // first (a font without a description, as Dump writes none and default)
    // names no font, and the next line is left to its reader.
    const int next = reader.PeekOnLine();
    if (next == '\n') return kFontNone;
    if (next != '"') {
        reader.ReadToken();
        return kFontNone;
    }
    std::u16string face = reader.ReadQuotedString();
    reader.Expect(u",");
    std::u16string kind = reader.ReadToken();
    reader.Expect(u",");
    auto height = static_cast<int16_t>(reader.ReadInt());
    if (kind == u"ttf") height = static_cast<int16_t>(-height);
    reader.Expect(u",");
    int16_t flags = 0;
    std::u16string letters = reader.ReadToken();
    for (char16_t c : letters) {
        if (c <= 0x40) break;
        if (c == u'B') flags |= kFontBold;
        else if (c == u'U') flags |= kFontUnderline;
        else if (c == u'I') flags |= kFontItalic;
        else if (c == u'C') flags |= kFontStyleC;
    }
    // The box and the character range follow; a new font takes its own from SetFace.
    for (int i = 0; i < 6; i++) {
        reader.Expect(u",");
        reader.ReadInt();
    }
    cGraphDvcFontBase *font = gStockFont ? gStockFont->CreateInstance() : new cGraphDvcFont();
    font->SetFace(face.c_str(), height, flags);
    uint16_t index = Find(*font);
    if (index != kFontNone) {
        delete font;
    } else {
        index = Append(font);
    }
    reader.SkipLine();
    return index;
}

}  // namespace cFontTable
