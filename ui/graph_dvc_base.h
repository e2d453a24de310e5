// The device that knows geometry: origin (the scroll offset), two zoom
// factors, pen and caret, colours, line settings and the font selection.
// Everything is placed in logical units and turned into pixels by the rules
// of ui/device_math.h; the drawing primitives are left to cGraphDvc.
#pragma once

#include <cstdint>

#include "ui/device_math.h"
#include "ui/disp_dvc.h"
#include "ui/font_table.h"

class cBinaryFileBase;

class cGraphDvcBase : public cDispDvc {
public:
    explicit cGraphDvcBase(const char16_t *name);

    tStatus Attach() override;

    virtual tStatus Clear();
    virtual int32_t SetBitmapMode(int32_t index);
    virtual tStatus MoveToScaled(int32_t x, int32_t y, float scale);
    virtual tStatus MoveTo(int32_t x, int32_t y);
    virtual tStatus SetCaretPos(int32_t x, int32_t y);
    virtual tStatus CreateCaret(int32_t x, int32_t y, int32_t width, int32_t height);
    virtual tStatus HideCaret();
    virtual tStatus SetOrigin(int32_t x, int32_t y);
    virtual tStatus ApplyOrigin();
    virtual tStatus ClipPoint(int32_t x, int32_t y);
    virtual tStatus ClipRect(const cShapes &shape);
    virtual int32_t GetPenX();
    virtual int32_t GetPenY();
    virtual int32_t GetOriginX();
    virtual int32_t GetOriginY();
    virtual cRectangl *GetFrameRect();
    virtual int32_t GetOffsetX();
    virtual int32_t GetOffsetY();
    virtual uint32_t GetDpi();
    virtual tStatus DrawArc(int32_t x, int32_t y, int32_t w, int32_t h, int32_t x1, int32_t y1, int32_t x2,
                            int32_t y2) = 0;
    virtual tStatus DrawEllipse(int32_t x, int32_t y, int32_t w, int32_t h);
    virtual tColour SetBitmapColour(tColour colour);
    virtual tStatus EraseRect(int32_t x, int32_t y, int32_t w, int32_t h) = 0;
    // Device pixels: neither origin nor zoom apply.
    virtual tStatus FillRect(int32_t x, int32_t y, int32_t w, int32_t h, tColour colour) = 0;
    virtual tStatus FillEllipse(int32_t x, int32_t y, int32_t w, int32_t h) = 0;
    virtual tStatus InvertRect(int32_t x, int32_t y, int32_t w, int32_t h) = 0;
    virtual tStatus DrawLineScaled(int32_t x1, int32_t y1, int32_t x2, int32_t y2, float scale) = 0;
    virtual tStatus DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    virtual tColour SetColour(tColour colour);
    virtual tStatus DrawMaskLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width,
                                 tColour colour) = 0;
    virtual tStatus DrawPoint(int32_t x, int32_t y) = 0;
    virtual tStatus InvalidateArea(int32_t x, int32_t y, int32_t w, int32_t h) = 0;
    virtual tStatus InvalidateAll();
    virtual uint16_t ChooseFontDialog(uint16_t index);
    virtual uint16_t AddFont(cGraphDvcFontBase *font);
    virtual tStatus ReadFontTable(cBinaryFileBase &file);
    virtual cRectangl *GetGlyphBox(char16_t c, uint16_t font);
    virtual cRectangl *GetCharBox(char16_t c, uint16_t font);
    virtual int32_t GetTextHeight(const char16_t *text, uint16_t font);
    virtual int32_t GetTextHeightN(const char16_t *text, uint32_t n, uint16_t font);
    virtual int32_t GetTextWidthN(const char16_t *text, uint32_t n, uint16_t font);
    virtual int32_t GetTextWidth(const char16_t *text, uint16_t font);
    virtual uint16_t FindFont(const char16_t *face, int16_t height, int16_t flags);
    virtual tStatus AddFontFile(const char16_t *path);
    virtual uint16_t GetScaledFont(uint16_t index, float factor);
    virtual uint16_t SelectFont(uint16_t index);
    virtual uint16_t SelectFontScaled(uint16_t index, float scale);
    virtual int32_t SetBackgroundMode(int32_t mode);
    virtual uint16_t GetDefaultFont();
    virtual uint16_t GetCurrentFont();
    virtual uint16_t GetUsableFont(uint16_t index);
    virtual uint16_t SetDefaultFont(uint16_t index);
    virtual tStatus DrawIcon(const char16_t *name, int32_t x, int32_t y) = 0;
    virtual int32_t GetMouseX();
    virtual int32_t GetMouseY();
    virtual float GetZoomX();
    virtual float GetZoomY();
    virtual tStatus SetMousePos(int32_t x, int32_t y) = 0;
    virtual tStatus LogMousePos();
    virtual int32_t SetLineWidth(int32_t width);
    virtual int32_t SetLineStyle(int32_t style);
    virtual tStatus SetSize(int32_t width, int32_t height);
    virtual float SetZoomX(float zoom);
    virtual float SetZoomY(float zoom);
    virtual tColour SetTextColour(tColour colour);
    virtual tStatus DrawTextAt(const char16_t *text, int32_t x, int32_t y, uint16_t font) = 0;
    // y is the baseline for TrueType fonts, the top of the cell for others.
    virtual tStatus DrawChars(const char16_t *text, uint32_t n, int32_t x, int32_t y, uint16_t font) = 0;
    virtual tStatus DrawChar(char16_t c, int32_t x, int32_t y, uint16_t font);
    virtual void Reserved95() {}

    // Draws a text in the current font, wrapped at blanks within the width
    // and at line feeds; answers the y of the last line drawn.  The height
    // is not used.
    int32_t DrawTextLines(int32_t x, int32_t y, int32_t width, int32_t height, const char16_t *text);
    int32_t MeasureCharWidth(char16_t c, uint16_t font);
    int32_t MeasureCharHeight(char16_t c, uint16_t font);

    // State read by the conversions and by tests.
    sDeviceView View() const;
    int32_t GetLineWidth() const { return lineWidth; }
    int32_t GetLineStyle() const { return lineStyle; }
    int32_t GetBitmapMode() const { return bitmapMode; }
    int32_t GetBackgroundMode() const { return backgroundMode; }
    tColour GetTextColour() const { return textColour; }
    tColour GetPenColour() const { return penColour; }
    tColour GetBitmapColour() const { return bitmapColour; }
    bool IsCaretHidden() const { return caretHidden != 0; }
    int32_t GetCaretX() const { return caretX; }
    int32_t GetCaretY() const { return caretY; }
    int32_t GetCaretWidth() const { return caretWidth; }
    int32_t GetCaretHeight() const { return caretHeight; }
    bool IsTopDown() const { return topDown != 0; }
    // The window code keeps the frame rectangle and the mouse position.
    cRectangl &FrameRect() { return frameRect; }
    void StoreMousePos(int32_t x, int32_t y) {
        mouseX = x;
        mouseY = y;
    }


    // A brush as the system describes one: style, colour and hatch.
    struct sBrushRecord {
        uint32_t style = 0;
        tColour colour = 0;
        uintptr_t hatch = 0;
    };
    // One pen: style word, width in pixels and the brush it is drawn with.
    struct sPenRecord {
        uint32_t style = kFirstPenStyle;
        int32_t width = 1;
        sBrushRecord brush{};
    };
    const sPenRecord &FirstPen() const { return firstPen; }
    const sPenRecord &SecondPen() const { return secondPen; }
protected:
    int32_t penX = 0, penY = 0;
    int32_t originX = 0, originY = 0;
    int32_t mouseX = 0, mouseY = 0;
    int32_t offsetX = 0, offsetY = 0;
    cRectangl frameRect{0, 0, 1, 1};
    int32_t bitmapMode = 1;
    int32_t backgroundMode = 0;
    int32_t lineWidth = 1;
    int32_t lineStyle = 1;
    // The two pens of the drawing device.  Their widths follow the line
    // width and the zoom while the device is open, their styles the line
    // style; the halves of the device make their pens from these records.
    sPenRecord firstPen;
    sPenRecord secondPen;
    tColour textColour = 0;
    tColour penColour = 0;
    tColour bitmapColour = 0;
    int32_t caretX = 0, caretY = 0;
    int32_t caretWidth = 2, caretHeight = 8;
    uint8_t caretHidden = 1;
    uint32_t resolution = 96;
    float zoomX = 1.0f, zoomY = 1.0f;
    uint16_t currentFont = 0;
    int16_t defaultFont = 0;
    uint8_t topDown = 1;
};
