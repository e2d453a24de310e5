// Line symbols: a straight line from the position to the far corner of the
// size, drawn with a line width.  A new line starts in resize mode, so the
// drag that places it also draws it.
#pragma once

#include <cstdint>

#include "document/scaled_symbol.h"

class cLineObject : public ScaledObject {
public:
    struct sCmdSetupLine : lcCommandRecord<sCmdSetupLine, sCmdSetupScaled> {
        sCmdSetupLine() : lcCommandRecord(kSize, kCmdSetupLine, kCmdSetupLine) {}
        static constexpr uint16_t kSize = 28;
        uint8_t lineWidth = 1;
    };

    static constexpr uint32_t kSetupDialog = 1014;
    static constexpr uint32_t kSetupHelpTopic = 1023;
    static constexpr uint32_t kWidthCombo = 101;
    static constexpr uint32_t kResizeButton = 26726;
    static constexpr uint32_t kMoveButton = 26727;
    static constexpr int32_t kMaxLineWidth = 12;

    cLineObject() : lineWidth(gDefaultLineWidth) {}

    const char16_t *GetTypeName() const override { return u"Line"; }
    int16_t GetTypeId() const override { return 8; }
    cPObjPoint *NewSameClass() const override { return new cLineObject; }

    tStatus ExportText(sCmdExpAsc *record) override;
    tStatus ImportText(sCmdImpAsc *record) override;
    tStatus SaveBinary(sCmdFileSave *record) override;
    uint16_t DataSize() override { return uint16_t(ScaledObject::DataSize() + 1); }
    tStatus LoadBinary(cBinaryFileBase *file, uint16_t size) override;
    // The size's edges widened by half the line width on each side.
    int32_t GetLeft() override { return (width < 0 ? x + width : x) - Half(); }
    int32_t GetTop() override { return (height < 0 ? y + height : y) - Half(); }
    int32_t GetRight() override { return (width < 0 ? x : x + width) + Half(); }
    int32_t GetBottom() override { return (height < 0 ? y : y + height) + Half(); }
    // Two units of slack around the edges.
    int32_t HitTest(int32_t px, int32_t py) override;
    int32_t Setup(sCommandPrm *record) override;
    sCommandPrm *GetClassSetup(sCommandPrm *record) override;
    tStatus SetClassSetup(sCommandPrm *record) override;
    sCommandPrm *GetObjectSetup(sCommandPrm *record) override;
    tStatus SetObjectSetup(sCommandPrm *record) override;
    cPObjPoint *Draw() override;
    // Placing a line switches the document into resize mode.
    bool OnInsert() override;

    // Answers the previous width.
    virtual uint8_t SetLineWidth(uint8_t value);

    uint8_t GetLineWidth() const { return lineWidth; }
    static uint8_t GetDefaultLineWidth() { return gDefaultLineWidth; }
    static void SetDefaultLineWidth(uint8_t value) { gDefaultLineWidth = value; }

private:
    int32_t Half() const { return lineWidth / 2; }
    // Fills a line record from the edit state and a width.
    static sCommandPrm *FillRecord(sCommandPrm *record, uint8_t lineWidth);

    uint8_t lineWidth;
    static uint8_t gDefaultLineWidth;
};
