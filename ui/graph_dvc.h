// The drawing device every window, dialog, control and the printer derive
// from.  In the Windows build it draws with GDI (graph_dvc_win.cpp,
// graph_dvc_text_win.cpp); in the native build it records every primitive
// with its arguments and the device state at the call, so that drawing code
// can be tested without a window system (graph_dvc_headless.cpp).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/graph_dvc_base.h"

class cDialogBox;

extern const sErrorTable kGraphDvcWinErrors;
// "No window handle", "No Device Context", "Bitmap" of the "GraphDvcWin" table.
void ReportNoWindowHandle();
void ReportNoDeviceContext();
void ReportBitmapError();
// Logs the last OS error (log line only, no box), then reports "Invalid object".
void ReportGdiFailure();

// Raster operations of the bitmap modes 0-3: copy, and, paint (or), invert (xor).
extern const uint32_t gBitmapRasterOps[4];

#if !defined(_WIN32)
// One recorded primitive of the headless device.
struct sDrawRecord {
    std::string op;
    std::vector<int32_t> args;
    std::u16string text;
    uint16_t font = 0;
    float zoomX = 1.0f, zoomY = 1.0f;
    int32_t originX = 0, originY = 0;
    tColour penColour = 0;
    tColour textColour = 0;
    int32_t lineWidth = 1;
    int32_t lineStyle = 1;
};
#endif

class cGraphDvc : public cGraphDvcBase {
public:
    explicit cGraphDvc(const char16_t *name);
    ~cGraphDvc() override;

    tStatus Attach() override;
    tStatus PrepareDraw() override;
    tStatus ReleaseDraw() override;
    int32_t PutChar(char16_t c) override;

    tStatus Clear() override;
    int32_t SetBitmapMode(int32_t index) override;
    tStatus MoveToScaled(int32_t x, int32_t y, float scale) override;
    tStatus SetCaretPos(int32_t x, int32_t y) override;
    tStatus CreateCaret(int32_t x, int32_t y, int32_t width, int32_t height) override;
    tStatus HideCaret() override;
    tStatus DrawArc(int32_t x, int32_t y, int32_t w, int32_t h, int32_t x1, int32_t y1, int32_t x2,
                    int32_t y2) override;
    tStatus EraseRect(int32_t x, int32_t y, int32_t w, int32_t h) override;
    tStatus FillRect(int32_t x, int32_t y, int32_t w, int32_t h, tColour colour) override;
    tStatus FillEllipse(int32_t x, int32_t y, int32_t w, int32_t h) override;
    tStatus InvertRect(int32_t x, int32_t y, int32_t w, int32_t h) override;
    tStatus DrawLineScaled(int32_t x1, int32_t y1, int32_t x2, int32_t y2, float scale) override;
    tColour SetColour(tColour colour) override;
    tStatus DrawMaskLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width, tColour colour) override;
    tStatus DrawPoint(int32_t x, int32_t y) override;
    tStatus InvalidateArea(int32_t x, int32_t y, int32_t w, int32_t h) override;
    tStatus InvalidateAll() override;
    uint16_t ChooseFontDialog(uint16_t index) override;
    uint16_t AddFont(cGraphDvcFontBase *font) override;
    // The index of an equal font already in the table (the new one is
    // deleted), else of the new font, added.
    uint16_t FindOrAddFont(cGraphDvcFontBase *font);
    tStatus ReadFontTable(cBinaryFileBase &file) override;
    cRectangl *GetGlyphBox(char16_t c, uint16_t font) override;
    cRectangl *GetCharBox(char16_t c, uint16_t font) override;
    int32_t GetTextHeightN(const char16_t *text, uint32_t n, uint16_t font) override;
    int32_t GetTextWidthN(const char16_t *text, uint32_t n, uint16_t font) override;
    uint16_t FindFont(const char16_t *face, int16_t height, int16_t flags) override;
    tStatus AddFontFile(const char16_t *path) override;
    uint16_t SelectFontScaled(uint16_t index, float scale) override;
    int32_t SetBackgroundMode(int32_t mode) override;
    tStatus DrawIcon(const char16_t *name, int32_t x, int32_t y) override;
    tStatus SetMousePos(int32_t x, int32_t y) override;
    int32_t SetLineWidth(int32_t width) override;
    int32_t SetLineStyle(int32_t style) override;
    tColour SetTextColour(tColour colour) override;
    tStatus DrawTextAt(const char16_t *text, int32_t x, int32_t y, uint16_t font) override;
    tStatus DrawChars(const char16_t *text, uint32_t n, int32_t x, int32_t y, uint16_t font) override;

    virtual tStatus RebuildPens();
    virtual tStatus SetBrush(tBrushHandle brush);
    virtual tDcHandle GetDeviceContext();
    virtual tIconHandle SetCursor(tIconHandle cursor);
    virtual tIconHandle LoadCursorResource(const char16_t *name);
    virtual tStatus DrawBitmap(tBitmapHandle bitmap, int32_t x, int32_t y, int32_t w, int32_t h);
    virtual tStatus DrawBitmapNatural(tBitmapHandle bitmap, int32_t x, int32_t y);
    virtual tStatus GetBitmapSize(tBitmapHandle bitmap, int32_t &width, int32_t &height);
    virtual void Reserved104() {}
    virtual void Reserved105() {}
    virtual tBitmapHandle LoadBitmapResource(const char16_t *name);
    virtual tStatus FreeBitmap(tBitmapHandle handle);
    // What symbols ask of the device they draw on beyond drawing.  Only
    // windows show messages and make dialogs; the printer, which symbols
    // draw on while a score prints, answers RC_FAIL and null.
    virtual tStatus ShowMessage(const char16_t *text, const char16_t *caption) { return RC_FAIL; }
    // A new modal dialog of the template owned by this device (ui/dialog_box.h);
    // the caller deletes it.
    virtual cDialogBox *NewDialogBox(uint32_t templateId, uint32_t helpTopic) { return nullptr; }

    // A paint of the device's own window.  BeginPaint holds the context for
    // the area that needs painting and answers that area in device pixels
    // (RC_FAIL when nothing needs painting, DVC_NO_DC when the system gives
    // no context); EndPaint gives the context back and leaves the area
    // valid.  The headless device paints the union of what was invalidated
    // since the last paint.
    virtual tStatus BeginPaint(sDeviceBox &area);
    virtual tStatus EndPaint();
    // The paint of an owner-drawn item: the system's record of the item
    // (the lParam of its draw-item message) gives the context to hold and
    // the item's rectangle; RC_FAIL without a record, which the headless
    // device never has.  EndItemPaint gives back the context held before.
    virtual tStatus BeginItemPaint(tLParam itemRecord, sDeviceBox &area);
    virtual tStatus EndItemPaint();

    // The window's context for one call when the device holds none (the
    // screen's when asked for and there is no window): the device holds it
    // while the call runs; it is released and forgotten afterwards.
    class cTakenDC {
    public:
        cTakenDC(cGraphDvc &device, bool screenWhenNoWindow);
        ~cTakenDC();
        cTakenDC(const cTakenDC &) = delete;
        cTakenDC &operator=(const cTakenDC &) = delete;

    private:
        cGraphDvc &device;
        tWindowHandle window = nullptr;
        tDcHandle taken = nullptr;
    };

    uint32_t GetRasterOp() const { return rasterOp; }
    tDcHandle GetMemoryDC() const { return memoryDC; }

#if !defined(_WIN32)
    // The primitives recorded since the last ClearRecords.
    const std::vector<sDrawRecord> &Records() const { return records; }
    void ClearRecords() { records.clear(); }
    // Font files "added" and cursor positions "set", in order.
    const std::vector<std::u16string> &AddedFontFiles() const { return addedFontFiles; }
#endif

protected:
    // Open (else "No Device Context") and, where drawing goes through a
    // device context, holding one; answers RC_OK or the failure code.
    tStatus ReadyToDraw();
    // The same for primitives that mark the surface: the dirty flag is set
    // first, also when drawing then fails.
    tStatus ReadyToMark() {
        MarkDirty();
        return ReadyToDraw();
    }


    tDcHandle memoryDC = nullptr;
    uint32_t rasterOp;
    tPenHandle firstPenHandle = nullptr;
    tPenHandle secondPenHandle = nullptr;
    sBrushRecord brushRecord{};
    tBrushHandle brush = nullptr;
    uint8_t caretCreated = 0;
    // The window system's record of the paint in progress, from BeginPaint
    // to EndPaint (each half defines it).
    struct sPaintState;
    struct sPaintStateDeleter {
        void operator()(sPaintState *state) const;
    };
    std::unique_ptr<sPaintState, sPaintStateDeleter> paintState;
    tDcHandle contextBeforeItem = nullptr;

#if !defined(_WIN32)
    void Record(const char *op, std::vector<int32_t> args, const char16_t *text = nullptr, uint32_t n = 0);
    std::vector<sDrawRecord> records;
    std::vector<std::u16string> addedFontFiles;
    // What was invalidated since the last paint, in device pixels.
    sDeviceBox invalidArea;
    bool hasInvalidArea = false;
    void AddInvalidArea(const sDeviceBox &box);
#endif
};

