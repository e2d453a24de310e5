// Page breaks: the symbols that cut the document, one tall sheet, into
// printer pages.  Automatic breaks (cPObjBreak) are made and thrown away by
// pagination from the printer's page height; format breaks (cPObjFmtBreak,
// and the music page break derived from it) start a new page where the user
// put them.  Every break knows the number of the page it ends and draws that
// page's footer: one text for the whole document, in which '#' stands for
// the page number and "##" for the page count.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

#include "document/commands.h"
#include "document/point_symbol.h"

class cPObjBreak : public ShapeObject {
public:
    // The set-up record of the breaks: the footer font.
    struct sCmdSetupBreak : lcCommandRecord<sCmdSetupBreak> {
        sCmdSetupBreak() : lcCommandRecord(kSize, kCmdSetupBreak, kCmdSetupBreak) {}
        static constexpr uint16_t kSize = 20;
        int16_t footerFont = -1;
    };

    // The "Page Break Setup" dialog, its help topic and its controls.
    static constexpr uint32_t kSetupDialog = 1015;
    static constexpr uint32_t kSetupHelpTopic = 1045;
    static constexpr uint32_t kFooterTextInput = 102;
    static constexpr uint32_t kFontButton = 26725;
    static constexpr uint32_t kFontDescription = 26727;

    // Reset values of the footer settings.
    static constexpr uint16_t kDefaultCapacity = 100;
    static constexpr int32_t kDefaultOffsetX = 25;
    static constexpr int32_t kDefaultOffsetY = -5;
    // The longest footer the class holds: its class data (14 bytes and 2 per
    // character) must fit the dictionary's 16-bit size.
    static constexpr uint16_t kMaxCapacity = (0x7FFF - 14) / 2;
    // What the default footer puts after the document's name.
    static constexpr const char16_t *kDefaultTail = u" page # of ##";
    // The first file version whose dictionary carries the footer settings.
    static constexpr uint32_t kVersionFooterData = 0x2040300;

    // The first break made while a score window exists gives the footer the
    // window's default font; one made while there is a document but no
    // footer text yet gives the footer its default text.
    cPObjBreak();
    // The document needs paginating again (bit 0x20 of the change flags).
    ~cPObjBreak() override;

    const char16_t *GetTypeName() const override { return u"PageBreak"; }
    int16_t GetTypeId() const override { return 15; }
    cPObjPoint *NewSameClass() const override { return new cPObjBreak; }
    uint32_t GetTypeFlags(int16_t typeId) const override { return cPObjBase::GetTypeFlags(typeId) | kTypePageBreak; }

    // The footer settings back to their reset values (the text freed).
    int32_t ResetClassData() override;
    int32_t FreeClassData() override;
    // An automatic break stays where pagination put it.
    tStatus Condense(sCmdCondense *record) override { return 0; }
    // The footer font becomes one the score window can draw with.
    tStatus OnLoaded(sCmdLoaded *record) override;

    // Without footer text the break is its line; with one it reaches up to
    // the top of the footer.  It runs across the whole score window.
    int32_t GetTop() override;
    int32_t GetRight() override;
    int32_t GetBottom() override { return y + 1; }
    // A break always stands at the left edge.
    void SetX(int32_t) override { x = 0; }
    void MoveX(int32_t) override { x = 0; }
    // An automatic break is never hit: pagination owns it.
    int32_t HitTest(int32_t, int32_t) override { return 0; }
    int32_t GetHandleX() override;
    int32_t GetHandleY() override { return y; }

    // The footer text and font through the "Page Break Setup" dialog; 1 when
    // accepted (the text is stored at once, the font in the record), 0 for a
    // record of another family, without a score window or on Cancel.
    int32_t Setup(sCommandPrm *record) override;
    // The record (a new one when null) filled with the footer font.
    sCommandPrm *GetClassSetup(sCommandPrm *record) override;
    // The footer font of a record of command 12; kFailed for any other.
    tStatus SetClassSetup(sCommandPrm *record) override;

    // The footer settings in the file's class dictionary and on the class's
    // line of the text form.
    int16_t GetClassDataSize() override;
    int32_t LoadClassData(cBinaryFileBase *file, int32_t size) override;
    void SaveClassData(cBinaryFileBase *file) override;
    void ExportClassData(std::ostream &stream) override;
    // x and y; files before the footer settings stored two more positions.
    tStatus LoadBinary(cBinaryFileBase *file, uint16_t size) override;

    // The page's end line and its footer, in the selection colour when the
    // break is selected.
    cPObjPoint *Draw() override;

    // The footer of the page this break ends, below its line.
    void DrawFooter();

    // Answer the previous value.
    uint32_t SetPageNumber(uint32_t number);
    uint32_t GetPageNumber() const { return pageNumber; }
    static int32_t SetPageTotal(int32_t total);
    static int32_t GetPageTotal() { return sPageTotal; }

    // One page's footer at (x, y): the footer text expanded for page n, its
    // baseline set by the footer font's character box; nothing without a
    // footer text.  Draws on the current score window.
    static int32_t DrawFooterText(int32_t n, int32_t px, int32_t py);
    // The last page's footer, which no break draws; nothing for a document
    // of one page.
    static int32_t DrawLastFooter(int32_t pageHeight);
    // The footer text for page n: "##" becomes the page total and '#' the
    // page number, cut to the expansion's buffer of max(2 x capacity, 50)
    // characters (its end mark included).
    static std::u16string ExpandFooter(int32_t n);
    // The default footer for a document's path: the file name without
    // folder and extension, and kDefaultTail.  A name too long for the
    // capacity is cut so that the whole tail still fits.
    static std::u16string DefaultFooter(const char16_t *path, uint16_t capacity);

    // Page geometry in document units: the output device's page, truncated
    // (the score window's width when there is no output device; 0 without
    // either).
    static int32_t PageWidth();
    static int32_t PageHeight();

    // The class-wide footer settings.
    static int16_t GetFooterFont() { return sFooterFont; }
    static void SetFooterFont(int16_t font) { sFooterFont = font; }
    static uint16_t GetFooterCapacity() { return sFooterCapacity; }
    // Null while there is no footer text.
    static const char16_t *GetFooterText() { return sFooterText ? sFooterText->c_str() : nullptr; }
    // Stores at most the capacity's characters; null removes the text.
    static void SetFooterText(const char16_t *text);
    static int32_t GetFooterOffsetX() { return sFooterOffsetX; }
    static int32_t GetFooterOffsetY() { return sFooterOffsetY; }
    static void SetFooterOffsets(int32_t dx, int32_t dy) {
        sFooterOffsetX = dx;
        sFooterOffsetY = dy;
    }

protected:
    uint32_t pageNumber = 1;

private:
    static int16_t sFooterFont;
    static uint16_t sFooterCapacity;
    static std::optional<std::u16string> sFooterText;
    static int32_t sFooterOffsetX;
    static int32_t sFooterOffsetY;
    static int32_t sPageTotal;
};

// The break the user puts in: it starts a new page where it stands, is hit
// and moved like any symbol and draws its line dashed.
class cPObjFmtBreak : public cPObjBreak {
public:
    const char16_t *GetTypeName() const override { return u"FmtPageBreak"; }
    int16_t GetTypeId() const override { return 16; }
    cPObjPoint *NewSameClass() const override { return new cPObjFmtBreak; }

    // Re-spaced vertically only; in a pass that fills pages, what follows
    // starts below the break and the page ends a page height after it.
    tStatus Condense(sCmdCondense *record) override;
    // Hit from 2 above its top to 2 below its line, wherever across.
    int32_t HitTest(int32_t px, int32_t py) override;
    cPObjPoint *Draw() override;
};
