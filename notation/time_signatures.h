// Time signatures and their digits.  This header continues
// notation/symbol_classes.h, which includes it where the time signatures'
// classes stand among the others; include symbol_classes.h to use them.
//
// A time signature is a glyph centred on its staff.  From its x on it sets
// the running time word (numerator << 8 | log2 denominator), it becomes the
// time signature new staffs start with, and it can carry a tempo that
// playback switches to when it gets there (0: keep the tempo in force).
// Nine classes have fixed numbers; the free time signature TimeAny keeps its
// own and draws them from the digit classes.
#pragma once

#include "document/commands.h"
#include "notation/symbol_classes.h"

class cMessageDvcBase;

PELMORA_SYMBOL_CLASS_BODY(TimeC, 125, MusicBitMapCentered) {
public:
    // Command 25: the tempo word (16-bit).
    struct sCmdSetupTimeC;

    TimeC();

    // The numbers of the measures from its x on (time_signatures.cpp keeps
    // the fixed ones in one table; cut time counts as 2/4).
    virtual int32_t GetNumerator();
    virtual int32_t GetLog2Denominator();
    uint16_t GetTimeWord() { return uint16_t(GetNumerator() << 8 | GetLog2Denominator()); }

    uint16_t GetTempo() const { return tempo; }
    void SetTempo(uint16_t value) { tempo = value; }
    // The tempo word new time signatures take.
    static uint16_t GetClassTempo() { return gClassTempo; }
    static void SetClassTempo(uint16_t value) { gClassTempo = value; }

    int32_t ResetClassData() override;
    void CopyFrom(const cPObjBase &other) override;
    // Sideways only, in every edit mode: the staff keeps it on its middle
    // line.
    void MoveBy(int32_t dx, int32_t dy) override;

    // Binary: the tempo word, then the glyph's position.  Text: " = " and
    // the tempo word after the position.
    uint16_t DataSize() override;
    tStatus SaveBinary(sCmdFileSave *record) override;
    tStatus LoadBinary(cBinaryFileBase *file, uint16_t size) override;
    tStatus ExportText(sCmdExpAsc *record) override;
    tStatus ImportText(sCmdImpAsc *record) override;

    // The tempo dialog; nonzero when the record took the user's choice.
    int32_t Setup(sCommandPrm *record) override;
    sCommandPrm *GetClassSetup(sCommandPrm *record) override;
    tStatus SetClassSetup(sCommandPrm *record) override;
    sCommandPrm *GetObjectSetup(sCommandPrm *record) override;
    tStatus SetObjectSetup(sCommandPrm *record) override;
    int32_t ApplyClassDefaults() override;

    // Every walk that meets it (layout, pitch and duration queries, export,
    // drawing)
    // makes its numbers the running time word.  The measure length follows
    // only where a staff's context is established again.
    void LayoutTime(cPObjBase *staff, int32_t limitX, uint8_t advance) override;
    sPitch GetMidiPitch() override;
    // A time signature takes no time: 0.
    int32_t GetDurationTicks() override;
    tStatus OnExport(sCmdExport *record) override;
    cPObjPoint *Draw() override;
    // Put into a staff, it is what new staffs start with.
    void SetOwner(cPObjOwnBase *newOwner) override;

    // The tempo dialog's event handler: the "keep" box greys the slider and
    // its display at 0, or frees them at 100.
    static int32_t SetupDialogEvent(uint32_t controlId, int32_t code, cMessageDvcBase *dialog, uint32_t data);

    // What a stored tempo word may be: 1 to 3 beats a minute is no tempo a
    // player can keep, so it reads as 0 (keep the tempo in force).
    static uint16_t SaneTempo(uint16_t value) { return value <= 3 ? 0 : value; }

protected:
    // The tempo dialog on the record; true for OK.
    static bool RunTempoDialog(sCmdSetupTimeC &record, uint32_t helpTopic);
    // The set-up record of command 25 or 26; null for any other.
    static sCmdSetupTimeC *AsTimeRecord(sCommandPrm *record);
    // The running time word becomes this one's.
    void TakeRunningTime();

    uint16_t tempo;

private:
    static uint16_t gClassTempo;
};

PELMORA_SYMBOL_CLASS(Time28, 118, TimeC);
PELMORA_SYMBOL_CLASS(Time38, 119, TimeC);
PELMORA_SYMBOL_CLASS(Time48, 120, TimeC);
PELMORA_SYMBOL_CLASS(Time24, 121, TimeC);
PELMORA_SYMBOL_CLASS(Time34, 122, TimeC);
PELMORA_SYMBOL_CLASS(Time44, 123, TimeC);
PELMORA_SYMBOL_CLASS(Time68, 124, TimeC);
PELMORA_SYMBOL_CLASS(TimeC2, 126, TimeC);

// The free time signature: its own numerator (1..9) and log2 denominator
// (1..3: halves, quarters, eighths), drawn as two digits one above the
// other.
PELMORA_SYMBOL_CLASS_BODY(TimeAny, 127, TimeC) {
public:
    // Command 26: the tempo record with the numerator and log2 denominator.
    struct sCmdSetupTimeAny;

    static constexpr int32_t kMinNumerator = 1, kMaxNumerator = 9;
    static constexpr int32_t kMinLog2Denominator = 1, kMaxLog2Denominator = 3;

    TimeAny();

    int32_t GetNumerator() override { return numerator; }
    int32_t GetLog2Denominator() override { return log2Denominator; }
    // Both unchecked (the staff's free time signature takes what it is given).
    void SetNumbers(int32_t newNumerator, int32_t newLog2Denominator) {
        numerator = uint8_t(newNumerator);
        log2Denominator = uint8_t(newLog2Denominator);
    }
    // The numbers new free time signatures take, each only within its range.
    static void SetDefaults(int32_t newNumerator, int32_t newLog2Denominator);
    static int32_t GetDefaultNumerator() { return gDefaultNumerator; }
    static int32_t GetDefaultLog2Denominator() { return gDefaultLog2Denominator; }
    static bool IsNumerator(int32_t value) { return value >= kMinNumerator && value <= kMaxNumerator; }
    static bool IsLog2Denominator(int32_t value) {
        return value >= kMinLog2Denominator && value <= kMaxLog2Denominator;
    }

    void CopyFrom(const cPObjBase &other) override;

    // Binary: numerator and log2 denominator (a byte each), then the tempo
    // record.  Text: the tempo line, then ", " numerator ", " denominator
    // (the denominator itself).  A stored number outside its range leaves
    // the class default: no digit exists for it and no measure follows from
    // it.
    uint16_t DataSize() override;
    tStatus SaveBinary(sCmdFileSave *record) override;
    tStatus LoadBinary(cBinaryFileBase *file, uint16_t size) override;
    tStatus ExportText(sCmdExpAsc *record) override;
    tStatus ImportText(sCmdImpAsc *record) override;

    // The numbers dialog, then (after OK or Cancel alike) the tempo dialog.
    int32_t Setup(sCommandPrm *record) override;
    sCommandPrm *GetClassSetup(sCommandPrm *record) override;
    tStatus SetClassSetup(sCommandPrm *record) override;
    sCommandPrm *GetObjectSetup(sCommandPrm *record) override;
    tStatus SetObjectSetup(sCommandPrm *record) override;

    // The numerator's digit at y, the denominator's one digit height lower,
    // both from the left edge of the class's own picture.
    cPObjPoint *Draw() override;
    // The palette's picture: the digits with the top-left corner at (x, y).
    void DrawPicture(int32_t px, int32_t py, cGraphDvc *window) override;

    // The class of the digit glyph of 0..9; 0 for any other number.
    static int16_t DigitClass(int32_t digit) {
        return digit >= 0 && digit <= 9 ? int16_t(kFirstDigitClass + digit) : int16_t(0);
    }
    static constexpr int16_t kFirstDigitClass = 129;

private:
    static sCmdSetupTimeAny *AsAnyRecord(sCommandPrm *record);

    uint8_t numerator;
    uint8_t log2Denominator;

    static int32_t gDefaultNumerator;
    static int32_t gDefaultLog2Denominator;
};

PELMORA_SYMBOL_CLASS(Time0Dig, 129, cCommonShapeImg);
PELMORA_SYMBOL_CLASS(Time1Dig, 130, cCommonShapeImg);
PELMORA_SYMBOL_CLASS(Time2Dig, 131, cCommonShapeImg);
PELMORA_SYMBOL_CLASS(Time3Dig, 132, cCommonShapeImg);
PELMORA_SYMBOL_CLASS(Time4Dig, 133, cCommonShapeImg);
PELMORA_SYMBOL_CLASS(Time5Dig, 134, cCommonShapeImg);
PELMORA_SYMBOL_CLASS(Time6Dig, 135, cCommonShapeImg);
PELMORA_SYMBOL_CLASS(Time7Dig, 136, cCommonShapeImg);
PELMORA_SYMBOL_CLASS(Time8Dig, 137, cCommonShapeImg);
PELMORA_SYMBOL_CLASS(Time9Dig, 138, cCommonShapeImg);

struct TimeC::sCmdSetupTimeC : lcCommandRecord<sCmdSetupTimeC> {
    sCmdSetupTimeC() : lcCommandRecord(18, kCmdSetupTimeC, kCmdSetupTimeC) {}
    // For the records built on this one.
    sCmdSetupTimeC(uint16_t size, int16_t family, int16_t command) : lcCommandRecord(size, family, command) {}
    uint16_t tempo = 0;
};

struct TimeAny::sCmdSetupTimeAny : lcCommandRecord<sCmdSetupTimeAny, TimeC::sCmdSetupTimeC> {
    sCmdSetupTimeAny() : lcCommandRecord(20, kCmdSetupTimeAny, kCmdSetupTimeAny) {}
    uint8_t numerator = 0;
    uint8_t log2Denominator = 0;
};
