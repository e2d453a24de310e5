// The program-wide font table.  Text in a score names its font by a 16-bit
// index into gFontTable; devices select fonts by index and scale them by
// their zoom.  The table owns its fonts; entries never move, and only
// cFontTable::Read and cFontTable::Clear ever remove any.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "foundation/base_defs.h"
#include "foundation/error_msg.h"
#include "foundation/rectangle.h"
#include "foundation/vector_ptr.h"
#include "platform/os_handles.h"

class cBinaryFileBase;
class cAsciiFile;

// Special font indexes.
constexpr uint16_t kFontNone = 0xFFFF;     // no font; also the answer of a failed lookup
constexpr uint16_t kFontDefault = 0xFFFE;  // the device's default font
constexpr uint16_t kFontKeep = 0xFFFD;     // keep the current font (SelectFontScaled only)

// The longest face a font record holds, without its end mark.
constexpr uint32_t kMaxFaceChars = 31;

// The window system's font record in the program's own terms, field for
// field, so that a font travels to and from the system unchanged (the _win
// files convert it).  Height as the system takes it: negative for the
// character height.
struct sLogFont {
    int32_t height = 0;
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 0;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;
    uint8_t pitchAndFamily = 0;
    char16_t face[kMaxFaceChars + 1] = {};
};

// Style flags of a font description.
constexpr int16_t kFontBold = 1;
constexpr int16_t kFontUnderline = 2;
constexpr int16_t kFontItalic = 4;
constexpr int16_t kFontStyleC = 8;  // carried by files and the text form only

// A font description: face, height and style, and the cell of a character.
class cGraphDvcFontBase {
public:
    cGraphDvcFontBase();
    virtual ~cGraphDvcFontBase() = default;
    cGraphDvcFontBase(const cGraphDvcFontBase &) = delete;
    cGraphDvcFontBase &operator=(const cGraphDvcFontBase &) = delete;

    // A new empty font of the same class.
    virtual cGraphDvcFontBase *CreateInstance() = 0;
    virtual tStatus Realize() { return RC_OK; }
    virtual void UpdateFromLogFont() {}
    // Face (copied; none when null), height as a font record height (negative:
    // character height) and style flags.  The character box becomes
    // (0, -b, b, |height|) with b = height * 3 / 4.
    virtual void SetFace(const char16_t *face, int16_t height, int16_t flags);
    virtual void SetCharBox(int32_t height, int32_t width, int32_t top);
    virtual bool IsWideOutlineFont() = 0;
    // A temporary copy of the character box.
    virtual cRectangl *GetCharBox();
    // The one-line text form.
    virtual void Describe(std::ostream &out);

    const char16_t *GetFace() const { return face ? face : u""; }
    int16_t GetHeight() const { return height; }
    int16_t GetFlags() const { return flags; }
    const cRectangl &CharBox() const { return charBox; }
    uint16_t GetFirstChar() const { return firstChar; }
    uint16_t GetLastChar() const { return lastChar; }
    void SetCharRange(uint16_t first, uint16_t last) {
        firstChar = first;
        lastChar = last;
    }

protected:
    // Sets height, flags, box and range as SetFace does, without touching the face.
    void SetMetricsFromHeight(int16_t height, int16_t flags);

    // Points at ownFace, or in the GDI font at its font record face.
    const char16_t *face = nullptr;
    std::u16string ownFace;
    int16_t height = 0;
    int16_t flags = 0;
    cRectangl charBox;
    uint16_t firstChar = 32;
    uint16_t lastChar = 255;
};

// The font of the GDI: a font record and its font handle.
class cGraphDvcFont : public cGraphDvcFontBase {
public:
    cGraphDvcFont();
    ~cGraphDvcFont() override;

    cGraphDvcFontBase *CreateInstance() override { return new cGraphDvcFont(); }
    // Creates the font handle from the font record when there is none; answers 0.
    tStatus Realize() override;
    void UpdateFromLogFont() override;
    void SetFace(const char16_t *face, int16_t height, int16_t flags) override;
    bool IsWideOutlineFont() override;
    void Describe(std::ostream &out) override;

    // Takes over the other's description, font record and handle.  The handle
    // stays the other's: this font never deletes it.
    void CopyFrom(const cGraphDvcFont &other);
    // Takes a font record (and a face for it when one is given, cut to the
    // field) and derives the description from it.
    void SetFromLogFont(const char16_t *face, const sLogFont &logFont);

    const sLogFont &LogFont() const { return logFont; }
    tFontHandle GetHandle() const { return handle; }
    // Adopts a handle this font does not own (the stock font).
    void AdoptStockHandle(tFontHandle stock) {
        ReleaseHandle();
        handle = stock;
        ownsHandle = false;
    }
    uint8_t GetPitchAndFamily() const { return pitchAndFamily; }
    void SetPitchAndFamily(uint8_t value) { pitchAndFamily = value; }

private:
    void SetLogFontFace(const char16_t *text);
    static int16_t FlagsOf(const sLogFont &lf);
    // Deletes an owned handle and forgets it.
    void ReleaseHandle();

    tFontHandle handle = nullptr;
    bool ownsHandle = false;
    sLogFont logFont{};
    uint8_t pitchAndFamily = 0;
};

// What cFontTable::GetInfo hands out: the description fields of a font.
struct sFontInfo {
    const char16_t *face = nullptr;
    int16_t height = 0;
    int16_t flags = 0;
    cRectangl charBox;
    uint16_t firstChar = 0;
    uint16_t lastChar = 0;
};

using tFontList = lcVectorPtr<cGraphDvcFontBase>;

// The table; it owns its fonts.  Entry 0 is gStockFont.
extern tFontList *gFontTable;
// The fonts of the score file being written, in file order; shares its
// entries with gFontTable and owns none of them.
extern std::vector<cGraphDvcFontBase *> *gFileFontTable;
// The device's fallback font, entry 0; made by the first graphics device.
extern cGraphDvcFont *gStockFont;

extern const sErrorTable kGraphDvcFontBaseErrors;

namespace cFontTable {

int32_t GetCount();
int32_t CheckIndex(uint16_t index);
cGraphDvcFontBase *GetFont(uint16_t index);
uint16_t GetInfo(uint16_t index, sFontInfo &info);
cRectangl *GetCharBox(uint16_t index);
bool IsEqualFont(const cGraphDvcFontBase &a, const cGraphDvcFontBase &b);
uint16_t Find(const cGraphDvcFontBase &font);
// Takes ownership of the font, also when it answers kFontNone.
uint16_t Append(cGraphDvcFontBase *font);
uint16_t Add(uint16_t index);
// Forgets the fonts collected for a file, so that the next file written
// holds only the fonts its own objects add.
void ClearFileTable();
tStatus Write(cBinaryFileBase &file);
tStatus WriteTable(cBinaryFileBase &file, const std::vector<cGraphDvcFontBase *> *list);
tStatus Read(cBinaryFileBase &file);
void ResetToStockFont();
tStatus Clear();
void Dump(uint16_t index, std::ostream &out);
void DumpAll(std::ostream &out);
const char16_t *GetDescription(uint16_t index, uint32_t resolution);
uint16_t ParseSpec(cAsciiFile &reader);
// Selects the font into a device context and refreshes its metrics; answers
// the previous font handle (null for kFontNone).
tFontHandle SelectIntoDC(tDcHandle dc, uint16_t index);
void RaiseError(uint32_t index);
void ReportInvalidFont();

}  // namespace cFontTable

// The point size of a font height at a resolution, rounded in integers.
int32_t FontPointSize(int32_t height, uint32_t resolution);

// Makes the stock font (platform part) and appends it as entry 0.
cGraphDvcFont *NewStockFont();
