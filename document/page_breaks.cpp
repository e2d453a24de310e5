#include "document/page_breaks.h"

#include <algorithm>
#include <memory>
#include <ostream>

#include "document/document_root.h"
#include "document/owner_base.h"
#include "foundation/binary_file.h"
#include "foundation/char_string.h"
#include "foundation/escaped_text.h"
#include "foundation/path_names.h"
#include "foundation/text_util.h"
#include "platform/version_word.h"
#include "ui/button_controls.h"
#include "ui/dialog_box.h"
#include "ui/text_controls.h"
#include "ui/view_port.h"

int16_t cPObjBreak::sFooterFont = -1;
uint16_t cPObjBreak::sFooterCapacity = cPObjBreak::kDefaultCapacity;
std::optional<std::u16string> cPObjBreak::sFooterText;
int32_t cPObjBreak::sFooterOffsetX = cPObjBreak::kDefaultOffsetX;
int32_t cPObjBreak::sFooterOffsetY = cPObjBreak::kDefaultOffsetY;
int32_t cPObjBreak::sPageTotal = 1;

namespace {

// The colour of a break's line on the screen (COLORREF).
constexpr tColour kBreakColour = 0x00C0F27D;
// The change flag that asks for pagination.
constexpr uint32_t kNeedsPagination = 0x20;
// The expansion's buffer never holds fewer characters than this.
constexpr size_t kMinFooterBuffer = 50;
// Bytes of the class data besides the footer's string record.
constexpr uint16_t kFixedClassData = 12;

int32_t Clamp32(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// A device size in document units, truncated; a zoom that is not positive
// counts as 1.
int32_t Unzoomed(int32_t size, float zoom) {
    const double units = zoom > 0 ? double(size) / double(zoom) : double(size);
    return units >= double(INT32_MAX) ? INT32_MAX : units <= double(INT32_MIN) ? INT32_MIN : int32_t(units);
}

bool HasFooter() {
    const char16_t *text = cPObjBreak::GetFooterText();
    return text && *text;
}

// The string record's length word, read without taking it; false when it
// does not fit the bytes left.
bool PeekLength(cBinaryFileBase *file, uint16_t &length) {
    const uint32_t at = file->GetPosition();
    const bool ok = file->ReadU16(length) >= 0 && file->GetPosition() - at == 2;
    file->Seek(at);
    return ok;
}

}  // namespace

cPObjBreak::cPObjBreak() {
    if (sFooterFont == -1 && gCurrentScoreWindow) sFooterFont = int16_t(gCurrentScoreWindow->GetDefaultFont());
    if (!sFooterText && gCurrentDocument)
        SetFooterText(DefaultFooter(gCurrentDocument->GetFileName(), sFooterCapacity).c_str());
}

cPObjBreak::~cPObjBreak() { gDocumentFlags |= kNeedsPagination; }

std::u16string cPObjBreak::DefaultFooter(const char16_t *path, uint16_t capacity) {
    const std::u16string tail(kDefaultTail);
    std::u16string name = GetNameWithoutExtension(path ? path : u"");
    const size_t room = capacity > tail.size() ? capacity - tail.size() : 0;
    if (name.size() > room) name.resize(room);
    return name + tail;
}

int32_t cPObjBreak::ResetClassData() {
    sFooterFont = -1;
    sFooterCapacity = kDefaultCapacity;
    sFooterText.reset();
    sFooterOffsetX = kDefaultOffsetX;
    sFooterOffsetY = kDefaultOffsetY;
    sPageTotal = 1;
    return 0;
}

int32_t cPObjBreak::FreeClassData() {
    sFooterText.reset();
    return ShapeObject::FreeClassData();
}

void cPObjBreak::SetFooterText(const char16_t *text) {
    if (!text) {
        sFooterText.reset();
        return;
    }
    std::u16string kept(text);
    if (kept.size() > sFooterCapacity) kept.resize(sFooterCapacity);
    sFooterText = std::move(kept);
}

tStatus cPObjBreak::OnLoaded(sCmdLoaded *) {
    // The font table is read after the dictionary: only now does the
    // footer's font index name the font the file meant.
    if (gCurrentScoreWindow) sFooterFont = int16_t(gCurrentScoreWindow->GetUsableFont(uint16_t(sFooterFont)));
    return 0;
}

// --- Geometry -----------------------------------------------------------------

int32_t cPObjBreak::GetTop() {
    if (!HasFooter()) return Clamp32(int64_t(y) - 1);
    const cRectangl box = *cFontTable::GetCharBox(uint16_t(sFooterFont));
    return Clamp32(int64_t(y) + sFooterOffsetY - 1 - box.Height());
}

int32_t cPObjBreak::GetRight() { return gCurrentScoreWindow ? gCurrentScoreWindow->GetWidth() : x; }

int32_t cPObjBreak::GetHandleX() { return gLastMouseX; }

int32_t cPObjBreak::PageWidth() {
    cGraphDvc *device = gOutputWindow ? gOutputWindow : gCurrentScoreWindow;
    return device ? Unzoomed(device->GetWidth(), device->GetZoomX()) : 0;
}

int32_t cPObjBreak::PageHeight() {
    return gOutputWindow ? Unzoomed(gOutputWindow->GetHeight(), gOutputWindow->GetZoomY()) : 0;
}

// --- Pages and footers ----------------------------------------------------------

uint32_t cPObjBreak::SetPageNumber(uint32_t number) {
    const uint32_t previous = pageNumber;
    pageNumber = number;
    return previous;
}

int32_t cPObjBreak::SetPageTotal(int32_t total) {
    const int32_t previous = sPageTotal;
    sPageTotal = total;
    return previous;
}

std::u16string cPObjBreak::ExpandFooter(int32_t n) {
    std::u16string out;
    if (!sFooterText) return out;
    // The buffer's last place is its end mark.
    const size_t limit = std::max<size_t>(2 * size_t(sFooterCapacity), kMinFooterBuffer) - 1;
    const std::u16string &text = *sFooterText;
    auto append = [&](const std::u16string &part) { out.append(part, 0, limit - out.size()); };
    for (size_t i = 0; i < text.size() && out.size() < limit; ++i) {
        if (text[i] != u'#') {
            out.push_back(text[i]);
        } else if (i + 1 < text.size() && text[i + 1] == u'#') {
            append(FormatInt(sPageTotal));
            ++i;
        } else {
            append(FormatInt(n));
        }
    }
    return out;
}

int32_t cPObjBreak::DrawFooterText(int32_t n, int32_t px, int32_t py) {
    if (!HasFooter()) return 0;
    cGraphDvc *w = gCurrentScoreWindow;
    if (!w) {
        ErrorInvalidDevice();
        return 0;
    }
    const int32_t mode = w->SetBackgroundMode(2);
    const std::u16string shown = ExpandFooter(n);
    // The box's y is the top of a character above its baseline (negative).
    const cRectangl box = *cFontTable::GetCharBox(uint16_t(sFooterFont));
    w->DrawTextAt(shown.c_str(), px, Clamp32(int64_t(py) - (int64_t(box.Height()) + box.y)), uint16_t(sFooterFont));
    w->SetBackgroundMode(mode);
    return 0;
}

void cPObjBreak::DrawFooter() {
    DrawFooterText(int32_t(pageNumber), Clamp32(int64_t(x) + sFooterOffsetX), Clamp32(int64_t(y) + sFooterOffsetY));
}

int32_t cPObjBreak::DrawLastFooter(int32_t pageHeight) {
    if (sPageTotal <= 1 || !HasFooter()) return 0;
    return DrawFooterText(sPageTotal, sFooterOffsetX, Clamp32(int64_t(pageHeight) + sFooterOffsetY - 1));
}

cPObjPoint *cPObjBreak::Draw() {
    cGraphDvc *w = gCurrentScoreWindow;
    if (!w) {
        ErrorInvalidDevice();
        return this;
    }
    const tColour kept = w->SetColour(IsSelected() ? cPObjOwnBase::kSelectionColour : kBreakColour);
    w->DrawLine(0, y, Clamp32(int64_t(PageWidth()) - 1), y);
    DrawFooter();
    w->SetColour(kept);
    return this;
}

// --- Set-up -----------------------------------------------------------------------

sCommandPrm *cPObjBreak::GetClassSetup(sCommandPrm *record) {
    if (!record) record = new sCmdSetupBreak;
    if (auto *r = dynamic_cast<sCmdSetupBreak *>(record)) r->footerFont = sFooterFont;
    return record;
}

tStatus cPObjBreak::SetClassSetup(sCommandPrm *record) {
    auto *r = dynamic_cast<sCmdSetupBreak *>(record);
    if (!r || r->commandId != kCmdSetupBreak) return kFailed;
    sFooterFont = r->footerFont;
    return 0;
}

int32_t cPObjBreak::Setup(sCommandPrm *record) {
    auto *r = dynamic_cast<sCmdSetupBreak *>(record);
    if (!r || r->familyId != kCmdSetupBreak) return 0;
    if (!gCurrentScoreWindow) {
        ErrorInvalidDevice();
        return 0;
    }
    if (!sFooterText) sFooterText.emplace();
    std::u16string text = *sFooterText;
    uint16_t font = uint16_t(r->footerFont);
    const char16_t *described = cFontTable::GetDescription(font, gCurrentScoreWindow->GetDpi());
    std::u16string description = described ? described : u"";
    std::unique_ptr<cDialogBox> dialog(gCurrentScoreWindow->NewDialogBox(kSetupDialog, kSetupHelpTopic));
    if (!dialog) return 0;
    dialog->NewTextInput(kFooterTextInput, &text, sFooterCapacity)->SetHint(u"Footer text");
    dialog->NewFontButton(kFontButton, &font)->SetHint(u"Select the font");
    dialog->NewStaticText(kFontDescription, &description, 0);
    dialog->SetControlBuddy(kFontDescription, kFontButton);
    const bool accepted = dialog->Open() == RC_OK;
    dialog.reset();
    RedrawWholeWindow();
    if (!accepted) return 0;
    SetFooterText(text.c_str());
    if (font != kFontNone) r->footerFont = int16_t(font);
    return 1;
}

// --- Storage ----------------------------------------------------------------------

int16_t cPObjBreak::GetClassDataSize() { return int16_t(kFixedClassData + StoredTextSize(GetFooterText())); }

void cPObjBreak::SaveClassData(cBinaryFileBase *file) {
    if (!file) return;
    file->WriteU16(cFontTable::Add(uint16_t(sFooterFont)));
    file->WriteU16(sFooterCapacity);
    file->WriteString(GetFooterText());
    file->WriteU32(uint32_t(sFooterOffsetX));
    file->WriteU32(uint32_t(sFooterOffsetY));
}

// The settings are taken only when the whole record lies within its size;
// a damaged one leaves them as they were and is passed over by the reader.
int32_t cPObjBreak::LoadClassData(cBinaryFileBase *file, int32_t size) {
    if (MaskVersion(gFileVersion) < kVersionFooterData) return 0;
    if (!file || size < int32_t(kFixedClassData) + 2 || uint32_t(size) > file->BytesLeft()) return kFailed;
    const uint32_t start = file->GetPosition();
    uint16_t font = 0, capacity = 0, length = 0;
    uint32_t offsetX = 0, offsetY = 0;
    if (file->ReadU16(font) < 0 || file->ReadU16(capacity) < 0 || !PeekLength(file, length) ||
        4u + 2u + length + 8u > uint32_t(size)) {
        file->Seek(start);
        return kFailed;
    }
    capacity = std::min(capacity, kMaxCapacity);
    std::u16string text = file->ReadStringTemp(capacity);
    if (file->ReadU32(offsetX) < 0 || file->ReadU32(offsetY) < 0 || file->GetPosition() - start > uint32_t(size)) {
        file->Seek(start);
        return kFailed;
    }
    // The font index is the file's; it names a font once the file's font
    // table is read (OnLoaded).
    sFooterFont = int16_t(font);
    sFooterCapacity = capacity;
    sFooterText = std::move(text);
    sFooterOffsetX = int32_t(offsetX);
    // Stored offsets are not trusted: every footer sits at the default
    // height above its line.
    sFooterOffsetY = kDefaultOffsetY;
    return 0;
}

void cPObjBreak::ExportClassData(std::ostream &stream) {
    stream << " = " << sFooterFont << ", " << sFooterCapacity << ", ";
    if (sFooterText)
        stream << EscapeStringText(sFooterText->c_str());
    else
        stream << "\"\"";
    stream << ", " << sFooterOffsetX << ", " << sFooterOffsetY;
}

tStatus cPObjBreak::LoadBinary(cBinaryFileBase *file, uint16_t size) {
    const tStatus result = ShapeObject::LoadBinary(file, size);
    if (result < 0 || MaskVersion(gFileVersion) >= kVersionFooterData) return result;
    int32_t dropped = 0;
    return ReadPosition(file, dropped) < 0 || ReadPosition(file, dropped) < 0 ? kFailed : result;
}

// --- The format break -------------------------------------------------------------

tStatus cPObjFmtBreak::Condense(sCmdCondense *record) {
    if (!record) return 0;
    const int32_t gapX = record->gapX;
    record->gapX = kFailed;
    ShapeObject::Condense(record);
    record->gapX = gapX;
    if (record->pageLimit != kFailed && record->gapY != kFailed) {
        const int32_t below = Clamp32(int64_t(GetBounds()->Bottom()) + record->gapY);
        record->lastY = below;
        record->maxBottom = below;
        record->pageLimit = Clamp32(int64_t(y) + record->pageHeight);
    }
    return 0;
}

int32_t cPObjFmtBreak::HitTest(int32_t, int32_t py) {
    return int64_t(GetTop()) - 2 <= py && py <= int64_t(y) + 2 ? 1 : 0;
}

cPObjPoint *cPObjFmtBreak::Draw() {
    if (!gCurrentScoreWindow) return cPObjBreak::Draw();
    const int32_t style = gCurrentScoreWindow->SetLineStyle(2);
    cPObjBreak::Draw();
    gCurrentScoreWindow->SetLineStyle(style);
    return this;
}
