// Part templates: one per part (instrument) of the score, shared by every
// staff of that part.  Sizes are thousandths of an inch, turned into
// document units through the staff height in units, so the template also
// fixes the zoom at which the score is shown and printed.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "foundation/string_array.h"
#include "staves/staff.h"

class cBinaryFileBase;

struct cStaffBase::sTemplate {
    // A null name gives "Part".
    explicit sTemplate(const char16_t *name = nullptr);

    std::u16string name;
    uint16_t program = 0;
    uint16_t visible = 1;
    uint16_t channel = 0;  // 9: the percussion channel
    uint16_t lines = 5;
    int32_t reserved1 = 0;
    int16_t nameOffsetX = 0;
    int16_t nameOffsetY = -6;
    int32_t reserved2 = 0;
    int16_t height = 250;       // thousandths of an inch
    int16_t heightUnits = 25;   // document units
    int16_t width = 7000;       // thousandths of an inch
    int16_t margin = 750;       // thousandths of an inch
    int16_t ledgerWidth = 15;   // document units
    int16_t transposition = 0;  // semitones, -12..12
    std::u16string percussionSet;

    // (heightUnits - 1) / (lines - 1); fewer than two lines count as two.
    int32_t LineSpacing() const;
    int32_t WidthUnits() const;
    // The left margin less what the output window cannot print on (250
    // thousandths without an output window), in units; never below 0.
    int32_t MarginUnits() const;
    // The output window's zoom from the staff height; answers 0.
    int32_t ApplyZoom() const;
    // "+" or "-" (shown or hidden), a blank, the name.
    std::u16string ListText() const;
    // Compiles the template's percussion set into the global list.
    void AddPercussionSet() const;

    static void FillSetup(sTemplateSetup &setup, const sTemplate &from);
    // Size texts outside their ranges leave the size as it was; the sizes
    // then go to every template of the edited list, whose count is answered.
    static int32_t ReadSetup(sTemplate &to, sTemplateSetup &setup);
    // The text line of the text form.
    static void WriteText(const sTemplate &from, std::ostream &stream);
    // The binary record (without the version gates of the class data).  A
    // record cut short is refused and leaves the template as it was.
    static tStatus SaveBinary(const sTemplate &from, cBinaryFileBase *file);
    static tStatus LoadBinary(sTemplate &to, cBinaryFileBase *file);
};

// An ordered list of owned templates.
class cStaffBase::StaffTemplate {
public:
    // An empty list, or a deep copy of another.
    explicit StaffTemplate(const StaffTemplate *other = nullptr);
    ~StaffTemplate();
    StaffTemplate(const StaffTemplate &) = delete;
    StaffTemplate &operator=(const StaffTemplate &) = delete;

    int32_t Count() const { return int32_t(templates.size()); }
    sTemplate *At(int32_t index) const;
    // Takes ownership.
    void Append(sTemplate *t);
    // Takes the template out (not deleted); null for a bad index.
    sTemplate *Remove(int32_t index);

private:
    std::vector<sTemplate *> templates;
};

// The values of one template as the staff set-up dialog shows them.
struct cStaffBase::sTemplateSetup {
    std::u16string name;
    int32_t family = 0;  // program >> 3, or the index of the percussion set
    int32_t program = 0;
    int32_t visible = 1;
    int32_t channel = 0;  // 0..15, 16 for "Perc."
    int32_t lines = 5;
    int32_t reserved1 = 0;
    int32_t reserved2 = 0;
    int32_t nameOffsetX = 0;
    int32_t nameOffsetY = -6;
    int32_t ledgerWidth = 15;
    int32_t transposition = 0;
    int32_t height = 250;
    int32_t width = 7000;
    int32_t margin = 750;
    std::u16string heightText;
    std::u16string widthText;
    std::u16string marginText;
    // The percussion set names of the settings, for the percussion channel.
    cStringArray setNames;
    StaffTemplate *list = nullptr;  // the list being edited (not owned)
    int32_t selected = 0;
    std::vector<std::u16string> listTexts;  // one per template of the list
    int32_t repeat = 0;
    int32_t barNumbers = 0;
    cMusicTrack *output = nullptr;
};

// The staff set-up records (command family 30).  The template copy is the
// record's own.
struct cStaffBase::sCmdStaffSetStat : sCommandPrm {
    sCmdStaffSetStat() : sCommandPrm(28, kCmdStaffSetStat, kCmdStaffSetStat) {}
    ~sCmdStaffSetStat() override;
    sCommandPrm *Clone() const override;

    uint16_t templateIndex = 0;
    uint16_t repeat = 0;
    uint16_t barNumbers = 0;
    StaffTemplate *templates = nullptr;

protected:
    sCmdStaffSetStat(const sCmdStaffSetStat &other);
};

struct cStaffBase::sCmdStaffSetProp : sCmdStaffSetStat {
    sCmdStaffSetProp() { commandId = kCmdStaffSetProp; }
    sCommandPrm *Clone() const override;
};

// Command 17 (flags 0, 1 or 2 of cMusicBase::sCmdStfHide) to every staff and
// system of the document.
tStatus SendStaffHide(cPObjBase *document, int32_t flags);
