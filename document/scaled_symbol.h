// Scaled symbols: a point symbol with a width and a height.  Dragging one
// moves or resizes it, by where it was grabbed and by the global edit mode;
// the symbol keeps no mode of its own.  The base of lines, of every owner
// and of the sized music symbols.
#pragma once

#include <cstdint>

#include "document/commands.h"
#include "document/point_symbol.h"

class ScaledObject : public ShapeObject {
public:
    // The set-up record of scaled symbols, and the base of the line, bar
    // and tie records.
    struct sCmdSetupScaled : lcCommandRecord<sCmdSetupScaled> {
        sCmdSetupScaled() : lcCommandRecord(kSize, kCmdSetupScaled, kCmdSetupScaled) {}
        static constexpr uint16_t kSize = 24;
        int32_t editMode = 0;
        int32_t editFlags = 0;

    protected:
        sCmdSetupScaled(uint16_t size, int16_t family, int16_t command) : lcCommandRecord(size, family, command) {}
    };

    // The dialog of the scaled symbol's set-up and its help topic.
    static constexpr uint32_t kSetupDialog = 1018;
    static constexpr uint32_t kSetupHelpTopic = 1014;
    static constexpr uint32_t kResizeButton = 26725;
    static constexpr uint32_t kMoveButton = 26726;

    const char16_t *GetTypeName() const override { return u"Scaled"; }
    int16_t GetTypeId() const override { return 7; }
    cPObjPoint *NewSameClass() const override { return new ScaledObject; }

    void CopyFrom(const cPObjBase &other) override;
    tStatus ExportText(sCmdExpAsc *record) override;
    tStatus ImportText(sCmdImpAsc *record) override;
    tStatus SaveBinary(sCmdFileSave *record) override;
    uint16_t DataSize() override;
    tStatus LoadBinary(cBinaryFileBase *file, uint16_t size) override;
    // A negative extent runs left of x (up from y).
    int32_t GetLeft() override { return width < 0 ? x + width + 1 : x; }
    int32_t GetTop() override { return height < 0 ? y + height + 1 : y; }
    int32_t GetRight() override { return width < 0 ? x : x + width - 1; }
    int32_t GetBottom() override { return height < 0 ? y : y + height - 1; }
    void MoveBy(int32_t dx, int32_t dy) override;
    void ResizeBy(int32_t dw, int32_t dh) override;
    int32_t Setup(sCommandPrm *record) override;
    sCommandPrm *GetClassSetup(sCommandPrm *record) override;
    tStatus SetClassSetup(sCommandPrm *record) override;
    sCommandPrm *GetObjectSetup(sCommandPrm *record) override;
    tStatus SetObjectSetup(sCommandPrm *record) override { return SetClassSetup(record); }
    int32_t RestoreFrom(const cPObjBase &copy) override;
    int32_t GetHandleX() override;
    int32_t GetHandleY() override;
    cBlockPoint *SaveToBlockPoint(cBlockPoint *node) override;
    void LoadFromBlockPoint(const cBlockPoint *node) override;
    cPObjPoint *BeginDrag(int32_t px, int32_t py, int32_t hitKind) override;
    cBlockPoint *ScaleTo(cBlockPoint *node, int32_t x0, int32_t y0, int32_t dx, int32_t dy, int32_t oldW,
                         int32_t oldH, int32_t newW, int32_t newH) override;

    // Limits of a resize.
    virtual int32_t GetMaxWidth() { return 0x7FFFFFFF; }
    virtual int32_t GetMaxHeight() { return 0x7FFFFFFF; }
    virtual int32_t GetMinWidth() { return INT32_MIN; }
    virtual int32_t GetMinHeight() { return INT32_MIN; }
    // Makes both extents positive, keeping the edges.
    virtual void Normalize();
    virtual void SetSize(int32_t w, int32_t h) {
        width = w;
        height = h;
    }

    int32_t GetSizeWidth() const { return width; }
    int32_t GetSizeHeight() const { return height; }

protected:
    // The far corner of an extent: its last unit in the extent's direction.
    static int32_t FarEdge(int32_t at, int32_t extent) { return extent < 0 ? at + extent + 1 : at + extent - 1; }

    int32_t width = 1;
    int32_t height = 1;
};
