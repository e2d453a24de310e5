// How a staff shows itself: its lines, the clef and key of its header, the
// note grid, the repeat dots and bar numbers that bar lines ask for, the
// part name, its bounds and hit test (a hidden part takes no room and cannot
// be clicked) and the zoom its template gives the output window.  All of it
// is drawn in document units on the current score window, which applies its
// origin and zoom.
#include <algorithm>
#include <cstdio>
#include <string>

#include "notation/symbol_classes.h"
#include "staves/part_templates.h"
#include "staves/staff.h"
#include "ui/font_table.h"
#include "ui/graph_dvc.h"

namespace {

// The note grid's ticks: red on the screen (0x00BBGGRR).
constexpr tColour kGridColour = 0xC52C27;

// The hit-test flag under which a hidden part finds nothing.
constexpr uint32_t kHitSkipsHidden = 0x20;

uint16_t PartNameFont() { return uint16_t(gPartNameFont); }

}  // namespace

int32_t cStaffBase::NoteGridCells(uint16_t timeWord, int32_t grid) {
    // Anything but a quarter, eighth or sixteenth grid shows no grid: the
    // value is a shift count, and other values would shift by negative
    // counts or by more than the word holds.
    if (grid != 2 && grid != 3 && grid != 4) return 0;
    const int32_t den = timeWord & 0xFF;
    const int32_t num = (timeWord >> 8) & 0xFF;
    if (grid < den) return den - grid < 16 ? num >> (den - grid) : 0;
    return num << (grid - den);
}

// ---- Drawing ---------------------------------------------------------------------

cPObjPoint *cStaffBase::Draw() {
    if (!IsVisible()) return this;
    return cPObjGroup::Draw();
}

cRectangl *cStaffBase::DrawRect(const cRectangl &rect, int16_t flags) {
    if (IsVisible()) return cPObjGroup::DrawRect(rect, flags);
    float zoomX = 1.0f, zoomY = 1.0f;
    if (gCurrentScoreWindow) {
        zoomX = gCurrentScoreWindow->GetZoomX();
        zoomY = gCurrentScoreWindow->GetZoomY();
    }
    return cRectangl::Temp(int32_t(float(GetLeft()) * zoomX), int32_t(float(GetTop()) * zoomY), 0, 0);
}

void cStaffBase::DrawGroupParts() { DrawNoteGrid(); }

void cStaffBase::DrawNoteGrid() {
    cGraphDvc *w = gCurrentScoreWindow;
    if (!w || gNoteGrid == 0 || !IsVisible()) return;
    const int32_t top = GetTopLineY();
    const int32_t bottom = GetBottomLineY();
    const int32_t half = CurrentHalfSpacing();
    cStaffBase *first = GetFirstStaff();
    const bool ownFirst = first == this;
    // A staff of its own starts its first measure in its starting time and
    // follows the time signatures it passes; run to its end first, its
    // first measure would take the last one's time.
    int32_t left = GetContentLeft();
    if (first) first->RunContext(ownFirst ? left : 0x7FFFFFFF, -1, nullptr);
    const uint16_t slots = GetChildSlots();
    for (uint16_t i = 0; i < slots; ++i) {
        cPObjPoint *member = GetChild(i);
        if (!member) continue;
        // Time signatures passed on the way change the measures after them.
        if (ownFirst) member->LayoutTime(this, int32_t(0x80000000u), 0);
        if (!(member->GetTypeFlags(0) & kTypeBar)) continue;
        const int32_t barX = member->GetX();
        const int32_t cells = NoteGridCells(gMusicState.timeWord, gNoteGrid);
        if (cells > 0) {
            const int32_t cellWidth = (barX - left) / cells;
            if (cellWidth > 2) {
                int32_t tickX = left + (barX - left - cellWidth * (cells - 1)) / 2;
                const tColour kept = w->SetColour(kGridColour);
                for (int32_t c = 0; c < cells; ++c, tickX += cellWidth)
                    w->DrawLine(tickX, top - 2 * half, tickX, bottom + 2 * half);
                w->SetColour(kept);
            }
        }
        left = barX;
    }
}

void StaffObject::DrawGroupParts() {
    cGraphDvc *w = gCurrentScoreWindow;
    if (!w || gDrawBudget == 0) return;
    --gDrawBudget;
    if (!IsVisible()) return;
    // A staff starts in the time signature in which the staff before it
    // ended.
    if (auto *previous = dynamic_cast<StaffObject *>(PrevOfSameKind(0))) {
        previous->RunContext(0x7FFFFFFF, -1, nullptr);
        timeWord = gMusicState.timeWord;
        SetRunningTimeWord(timeWord);
        gStaffDefaultTime = timeWord;
    }
    const int32_t s = LineSpacing();
    for (int32_t d = 0; d < height; d += s) w->DrawLine(x, y + d, x + width - 1, y + d);
    DrawHeader();
    cStaffBase::DrawGroupParts();
}

void StaffObject::DrawHeader() {
    SetDefaultClef(clef);
    SetDefaultKey(key);
    if (!PlaceHeader()) return;
    if (MusicBitMapClef *startClef = ClefPrototype(clef)) startClef->Draw();
    if (key == kDefaultKeyId) return;
    if (KeySignature *startKey = KeyPrototype(key)) startKey->Draw();
}

int32_t StaffObject::RepeatDots(int32_t dotX) {
    cGraphDvc *w = gCurrentScoreWindow;
    if (!w || !IsVisible()) return 0;
    const int32_t s = LineSpacing();
    const int32_t top = GetTopLineY();
    w->FillEllipse(dotX, top + s + 2, s - 3, s - 3);
    w->FillEllipse(dotX, top + 2 * s + 2, s - 3, s - 3);
    return 0;
}

void StaffObject::DrawRepeatDotsAfter(int32_t px) { RepeatDots(px + 2); }

void StaffObject::DrawRepeatDotsBefore(int32_t px) { RepeatDots(px - 4); }

int32_t cStaffBase::DrawPartName() {
    const sTemplate *t = TemplateOf();
    if (!gCurrentScoreWindow || !t || !t->visible) return 0;
    gCurrentScoreWindow->DrawTextAt(t->name.c_str(), x + t->nameOffsetX, y + t->nameOffsetY, PartNameFont());
    return 0;
}

// ---- Bar numbers -----------------------------------------------------------------

namespace {

std::u16string BarNumberText(int32_t number) {
    char text[6];
    std::snprintf(text, sizeof text, "%i", int(number));
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

}  // namespace

int32_t cStaffBase::BarNumberY() {
    const sTemplate *t = TemplateOf();
    return y + (t ? t->nameOffsetY : sTemplate().nameOffsetY);
}

void cStaffBase::DrawBarNumber(int32_t number, int32_t px) {
    if (gBarNumberMode == 0 || !gCurrentScoreWindow) return;
    gCurrentScoreWindow->DrawTextAt(BarNumberText(number).c_str(), px, BarNumberY(), PartNameFont());
}

cRectangl *cStaffBase::GetBarNumberRect(int32_t number, int32_t px) {
    if (gBarNumberMode == 0 || !gCurrentScoreWindow) return cRectangl::Temp(px, y, 1, 1);
    const std::u16string text = BarNumberText(number);
    return cRectangl::Temp(px, BarNumberY(), gCurrentScoreWindow->GetTextWidth(text.c_str(), PartNameFont()),
                           gCurrentScoreWindow->GetTextHeight(text.c_str(), PartNameFont()));
}

// ---- Bounds and hit test ---------------------------------------------------------

cRectangl *cStaffBase::GetBounds() {
    if (IsVisible()) return cPObjGroup::GetBounds();
    return cRectangl::Temp(GetLeft(), GetTop(), 0, 0);
}

int32_t cStaffBase::GetLeft() {
    const int32_t left = cPObjGroup::GetLeft();
    if (!owner || owner->GetTypeId() != cMObjBrace::kClassId) return left;
    return std::min(left, owner->GetLeft());
}

int32_t cStaffBase::GetTop() {
    const int32_t top = cPObjGroup::GetTop();
    // Part names are drawn only in scores with a brace.
    if (!(gScoreStaffFlags & 1)) return top;
    const sTemplate *t = TemplateOf();
    const int32_t nameY = y + (t ? t->nameOffsetY : sTemplate().nameOffsetY);
    return std::min(top, nameY + cFontTable::GetCharBox(PartNameFont())->Top());
}

cRectangl *cStaffBase::GetTotalBounds() {
    cRectangl total(GetContentLeft(), y, 0, 0);
    const uint16_t slots = GetChildSlots();
    for (uint16_t i = 0; i < slots; ++i)
        if (GetChild(i)) {
            total = *cPObjGroup::GetTotalBounds();
            break;
        }
    if (!IsVisible()) total.SetSize(0, 0);
    return cRectangl::TempCopy(total);
}

int32_t StaffObject::GetTop() {
    int32_t top = cStaffBase::GetTop();
    if (!PlaceHeader()) return top;
    if (MusicBitMapClef *startClef = ClefPrototype(clef)) top = std::min(top, startClef->GetTop());
    if (key != kDefaultKeyId)
        if (KeySignature *startKey = KeyPrototype(key)) top = std::min(top, startKey->GetTop());
    return top;
}

int32_t StaffObject::GetBottom() {
    int32_t bottom = y + height - 1;
    if (PlaceHeader())
        if (MusicBitMapClef *startClef = ClefPrototype(clef)) bottom = std::max(bottom, startClef->GetBottom());
    return bottom;
}

cPObjPoint *cStaffBase::HitTestChildren(int32_t px, int32_t py, int16_t typeId, uint32_t flags,
                                        uint32_t excludeFlags, const cPObjBase *excluded) {
    if ((flags & kHitSkipsHidden) && !IsVisible()) return nullptr;
    return cPObjGroup::HitTestChildren(px, py, typeId, flags, excludeFlags, excluded);
}

// ---- Zoom --------------------------------------------------------------------------

float cStaffBase::ApplyTemplateZoom() {
    const sTemplate *t = CurrentTemplate();
    if (!gOutputWindow || !t) return 0.0f;
    t->ApplyZoom();
    return gOutputWindow->GetZoomX();
}
