// The recorder's context: an enhanced metafile of the screen, which keeps
// every drawing call made on it.  Marks go into the metafile as comments,
// so that the listing walks one stream in which the job's calls and the
// drawing stand in the order they happened.
#include "foundation/win32_win.h"
#include "ui/print_recorder.h"

#include <cstddef>
#include <cstring>
#include <map>

#include "foundation/text_util.h"

namespace {

// What a mark's comment starts with; other comments are not ours.
constexpr char kMarkTag[] = "PelmoraMark ";
constexpr size_t kMarkTagSize = sizeof kMarkTag - 1;

struct sFont {
    LONG height = 0;
    std::string face;
};

// The walk's state: the lines so far, the fonts by their slot in the
// metafile's handle table, the selected font and the current position.
struct sListing {
    std::vector<std::string> lines;
    std::map<DWORD, sFont> fonts;
    DWORD selectedFont = 0;
    bool fontSelected = false;
    POINTL position{0, 0};

    void Draw(const char *what, std::initializer_list<LONG> numbers, const std::string &rest = "") {
        std::string line = std::string("  ") + what;
        for (LONG n : numbers) line += " " + std::to_string(n);
        if (!rest.empty()) line += " " + rest;
        lines.push_back(line);
    }
};

// The record as the system's structure of its type, when it is big enough
// to hold one.
template <class T>
const T *As(const ENHMETARECORD *record, size_t size = sizeof(T)) {
    return record->nSize >= size ? reinterpret_cast<const T *>(record) : nullptr;
}

std::string FaceName(const LOGFONTW &font) {
    std::u16string face;
    for (size_t i = 0; i < LF_FACESIZE && font.lfFaceName[i]; ++i) face.push_back(char16_t(font.lfFaceName[i]));
    return ToUtf8(face);
}

void ListComment(sListing &listing, const ENHMETARECORD *record) {
    auto *comment = As<EMRGDICOMMENT>(record, offsetof(EMRGDICOMMENT, Data));
    if (!comment || comment->cbData < kMarkTagSize ||
        offsetof(EMRGDICOMMENT, Data) + comment->cbData > record->nSize)
        return;
    const char *data = reinterpret_cast<const char *>(comment->Data);
    if (std::memcmp(data, kMarkTag, kMarkTagSize) != 0) return;
    listing.lines.emplace_back(data + kMarkTagSize, comment->cbData - kMarkTagSize);
}

void ListFont(sListing &listing, const ENHMETARECORD *record) {
    // The record may carry a bare LOGFONTW rather than the whole extended one.
    auto *font = As<EMREXTCREATEFONTINDIRECTW>(record, offsetof(EMREXTCREATEFONTINDIRECTW, elfw) + sizeof(LOGFONTW));
    if (!font) return;
    listing.fonts[font->ihFont] = {font->elfw.elfLogFont.lfHeight, FaceName(font->elfw.elfLogFont)};
}

void ListSelection(sListing &listing, const ENHMETARECORD *record) {
    auto *select = As<EMRSELECTOBJECT>(record);
    if (!select) return;
    // A stock object's slot has the high bit set; the stock fonts are the
    // system's and are listed without a name.
    if (select->ihObject & 0x80000000) {
        DWORD stock = select->ihObject & 0x7FFFFFFF;
        if (stock >= OEM_FIXED_FONT && stock <= DEFAULT_GUI_FONT && stock != DEFAULT_PALETTE) listing.fontSelected = false;
        return;
    }
    if (listing.fonts.count(select->ihObject)) {
        listing.selectedFont = select->ihObject;
        listing.fontSelected = true;
    }
}

void ListText(sListing &listing, const ENHMETARECORD *record) {
    auto *text = As<EMREXTTEXTOUTW>(record);
    if (!text) return;
    const EMRTEXT &t = text->emrtext;
    if (t.offString > record->nSize || t.nChars > (record->nSize - t.offString) / 2) return;
    std::u16string chars(t.nChars, u'\0');
    std::memcpy(chars.data(), reinterpret_cast<const char *>(record) + t.offString, t.nChars * 2);
    sFont font;
    if (listing.fontSelected) font = listing.fonts[listing.selectedFont];
    listing.Draw("text", {t.ptlReference.x, t.ptlReference.y, font.height},
                 (font.face.empty() ? "-" : font.face) + " " + ToUtf8(chars));
}

// The points of a polyline record: POINTL or, where they fit, POINTS.
template <class P>
void ListPolyline(sListing &listing, const ENHMETARECORD *record, const P *points, DWORD count) {
    size_t start = size_t(reinterpret_cast<const char *>(points) - reinterpret_cast<const char *>(record));
    if (count > (record->nSize - start) / sizeof(P)) return;
    std::string line = "  polyline";
    for (DWORD i = 0; i < count; ++i) line += " " + std::to_string(points[i].x) + " " + std::to_string(points[i].y);
    listing.lines.push_back(line);
}

// A transfer without a source paints with the brush (PATCOPY) or inverts
// (DSTINVERT); with one it is a picture.
void ListTransfer(sListing &listing, LONG x, LONG y, LONG w, LONG h, DWORD rop, DWORD sourceSize) {
    if (sourceSize != 0)
        listing.Draw("bitmap", {x, y, w, h});
    else if (rop == PATCOPY)
        listing.Draw("fill", {x, y, w, h});
    else if (rop == DSTINVERT)
        listing.Draw("invert", {x, y, w, h});
    else
        listing.Draw("pattern", {x, y, w, h}, ToUtf8(FormatHex(rop, 8)));
}

int CALLBACK ListRecord(HDC, HANDLETABLE *, const ENHMETARECORD *record, int, LPARAM param) {
    sListing &listing = *reinterpret_cast<sListing *>(param);
    switch (record->iType) {
        case EMR_GDICOMMENT: ListComment(listing, record); break;
        case EMR_EXTCREATEFONTINDIRECTW: ListFont(listing, record); break;
        case EMR_SELECTOBJECT: ListSelection(listing, record); break;
        case EMR_MOVETOEX:
            if (auto *move = As<EMRMOVETOEX>(record)) listing.position = move->ptl;
            break;
        case EMR_LINETO:
            if (auto *to = As<EMRLINETO>(record)) {
                listing.Draw("line", {listing.position.x, listing.position.y, to->ptl.x, to->ptl.y});
                listing.position = to->ptl;
            }
            break;
        case EMR_POLYLINE:
            if (auto *poly = As<EMRPOLYLINE>(record, offsetof(EMRPOLYLINE, aptl)))
                ListPolyline(listing, record, poly->aptl, poly->cptl);
            break;
        case EMR_POLYLINE16:
            if (auto *poly = As<EMRPOLYLINE16>(record, offsetof(EMRPOLYLINE16, apts)))
                ListPolyline(listing, record, poly->apts, poly->cpts);
            break;
        // The metafile keeps a box with its last row and column; the call
        // took the row and column after them, as the listing does.
        case EMR_ARC:
            if (auto *arc = As<EMRARC>(record))
                listing.Draw("arc", {arc->rclBox.left, arc->rclBox.top, arc->rclBox.right + 1, arc->rclBox.bottom + 1,
                                     arc->ptlStart.x, arc->ptlStart.y, arc->ptlEnd.x, arc->ptlEnd.y});
            break;
        case EMR_RECTANGLE:
        case EMR_ELLIPSE:
            if (auto *box = As<EMRELLIPSE>(record))
                listing.Draw(record->iType == EMR_ELLIPSE ? "ellipse" : "rectangle",
                             {box->rclBox.left, box->rclBox.top, box->rclBox.right + 1, box->rclBox.bottom + 1});
            break;
        case EMR_SETPIXELV:
            if (auto *pixel = As<EMRSETPIXELV>(record)) listing.Draw("pixel", {pixel->ptlPixel.x, pixel->ptlPixel.y});
            break;
        case EMR_BITBLT:
            if (auto *blt = As<EMRBITBLT>(record))
                ListTransfer(listing, blt->xDest, blt->yDest, blt->cxDest, blt->cyDest, blt->dwRop, blt->cbBmiSrc);
            break;
        case EMR_STRETCHBLT:
            if (auto *blt = As<EMRSTRETCHBLT>(record))
                ListTransfer(listing, blt->xDest, blt->yDest, blt->cxDest, blt->cyDest, blt->dwRop, blt->cbBmiSrc);
            break;
        case EMR_EXTTEXTOUTW: ListText(listing, record); break;
        default: break;
    }
    return 1;
}

}  // namespace

tDcHandle NewRecordingContext() { return CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr); }

void MarkRecordingContext(tDcHandle dc, const std::string &line) {
    if (!dc) return;
    std::string data = kMarkTag + line;
    GdiComment(dc, UINT(data.size()), reinterpret_cast<const BYTE *>(data.data()));
}

std::vector<std::string> EndRecordingContext(tDcHandle dc) {
    sListing listing;
    HENHMETAFILE metafile = dc ? CloseEnhMetaFile(dc) : nullptr;
    if (!metafile) return listing.lines;
    EnumEnhMetaFile(nullptr, metafile, ListRecord, &listing, nullptr);
    DeleteEnhMetaFile(metafile);
    return listing.lines;
}

void DeleteRecordingContext(tDcHandle dc) {
    if (HENHMETAFILE metafile = dc ? CloseEnhMetaFile(dc) : nullptr) DeleteEnhMetaFile(metafile);
}
