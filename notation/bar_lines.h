// Bar lines: the family base of the seven bar-line classes.  A bar line is a
// small group whose members are the navigation signs and ending brackets of
// its measure; the notes of the measure stay children of the staff.  Its
// vertical extent always comes from the staff it stands on, and every walk
// over the staff meets it: the time layout moves the measure on, the export
// and the transposition forget the measure's accidentals, the bar numbering
// counts it.  What each class draws and where its edges lie is one table
// (bar_lines.cpp), so the concrete classes add only their naming.
#pragma once

#include <cstdint>
#include <ostream>

#include "document/base_classes.h"
#include "notation/staff_services.h"

// No number is drawn above the bar line.
constexpr int16_t kNoBarNumber = int16_t(0x8000);

// The bar lines' word of the class dictionary of score files; nothing else
// reads it.
extern int16_t gBarClassWord;
// The next bar line of the brace that a staff walk still has to pass (the
// staffs walk it; a bar line that goes clears it, so that no walk reaches a
// deleted one).
extern cPObjPoint *gPendingBar;

class BaseBar : public cPObjGroup {
public:
    // Width 2, no number; the numbers are out of date.
    BaseBar();
    ~BaseBar() override;

    int16_t GetBarNumber() const { return barNumber; }
    void SetBarNumber(int16_t number) { barNumber = number; }

    // Whether the class opens or closes a repeated stretch.
    virtual bool IsRepeatStart();
    virtual bool IsRepeatEnd();

    // Gives a sign or ending bracket to the bar line of the staff at its
    // position: the bar line it touches, else the nearer one of the two
    // around it, the first before every bar line, the last after them.
    // False (nothing inserted) when the staff has no bar line.
    static bool AddToMeasureAt(cPObjPoint *symbol, cPObjOwnBase *staff);

    // --- Root operations ----------------------------------------------------
    tStatus OnCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record) override;
    tStatus ImportText(sCmdImpAsc *record) override;
    // An ending member stands on the bar line; the symbol after a bar line
    // keeps 10 units more distance than after any other.
    tStatus Condense(sCmdCondense *record) override;
    int32_t GetLeft() override;
    int32_t GetRight() override;
    int32_t GetTop() override;
    int32_t GetBottom() override;
    // A bar line never shares a time column with a neighbour.
    int32_t GetSpacingToleranceX() override { return 0; }
    cRectangl *GetBounds() override;
    // The bar line alone: its members do not widen the space it keeps.
    cRectangl *GetSpacingRect() override { return cPObjBase::GetBounds(); }
    int32_t HitTest(int32_t px, int32_t py) override;
    void MoveBy(int32_t dx, int32_t dy) override;
    int16_t GetClassDataSize() override { return 2; }
    int32_t LoadClassData(cBinaryFileBase *file, int32_t size) override;
    void SaveClassData(cBinaryFileBase *file) override;
    void ExportClassData(std::ostream &stream) override;
    tStatus LoadBinary(cBinaryFileBase *file, uint16_t size) override;
    // The "Extra" fields of the spacing dialog do not apply to bar lines.
    tStatus SupportsControl(uint32_t controlId) override;

    // --- Music layer ----------------------------------------------------------
    void LayoutTime(cPObjBase *staff, int32_t limitX, uint8_t advance) override;
    tStatus OnExport(sCmdExport *record) override;
    tStatus OnTranspose(sCmdTranspose *record) override;
    tStatus OnNumberBars(sCmdBarNum *record) override;

    // --- Point operations -------------------------------------------------------
    cPObjPoint *Draw() override;
    cPObjPoint *OnSelect(cPObjPoint *previous) override;
    int32_t OnDeselect() override;
    // Only where a staff encloses the new owner; the bar line then starts at
    // the staff's top line.
    bool OnInsert() override;
    int32_t GetHandleX() override { return x; }
    int32_t GetHandleY() override;
    // Position and size only: the members have their own nodes when a block
    // holds them.
    using cPObjGroup::SaveToBlockPoint;
    cBlockPoint *SaveToBlockPoint(cBlockPoint *node) override { return ScaledObject::SaveToBlockPoint(node); }
    void LoadFromBlockPoint(const cBlockPoint *node) override { ScaledObject::LoadFromBlockPoint(node); }

    // The staff (or system) the bar line stands on, and its services; null
    // outside one.
    cPObjOwnBase *FindStaff() const;
    cStaffServices *Staff() const;

protected:
    int16_t barNumber = kNoBarNumber;
};
