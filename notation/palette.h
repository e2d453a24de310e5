// The symbol palette: a tool bar with one button per placeable symbol
// class, grouped in pages that the Draw menu shows one at a time (or all at
// once in the floating window).  Each button shows the picture of its
// class's prototype; the pressed button names the class the score window
// places.  The windows that show the bar and the frame's handling of its
// messages belong to the frame.
#pragma once

#include <cstdint>

#include "ui/tool_bar.h"

class cGraphDvc;
class cPObjPoint;

// One page of the palette: the classes first to last, inclusive, with the
// one pressed when the page is first shown, and the Draw-menu command that
// shows it (the bar's group key).  A first or last id of 0 makes a page
// without buttons.
struct sPalettePage {
    uint16_t firstId;
    uint16_t selectedId;
    uint16_t lastId;
    uint32_t key;
};

constexpr int32_t kPalettePageCount = 11;
inline constexpr sPalettePage kPalettePages[kPalettePageCount] = {
    {17, 21, 36, 300},     // Notes: the notes, dots, beam, tie, chord, tuplet, grace note
    {72, 74, 78, 301},     // Rests
    {166, 166, 173, 302},  // Bars: the bar lines and the 1st/2nd ending
    {79, 79, 94, 303},     // Accidentals, articulations, ornaments (the fermata below is left out)
    {175, 178, 179, 304},  // Text
    {139, 139, 150, 305},  // Dynamics
    {151, 151, 165, 306},  // Markings
    {182, 183, 185, 307},  // Staff: page break, brace, staff, block
    {96, 101, 117, 308},   // Clefs and key signatures
    {118, 118, 128, 309},  // Time signatures and the metronome mark
    {0, 0, 0, 310},        // None
};

// The number of buttons a page holds: 0 for a page without buttons.
int32_t PaletteButtonCount(const sPalettePage &page);

// A palette button: the picture of one class's prototype, centred in the
// button's box.
class cMusicToolBarItem : public cToolBarItem {
public:
    // The box grows to hold the class's picture.
    cMusicToolBarItem(int32_t barX, int32_t barY, int16_t classId, cGraphDvc *toolWindow);

    // The size of the prototype's picture; 0 for a class without one.
    int32_t GetContentWidth() override;
    int32_t GetContentHeight() override;
    // The picture in black, or grey while the button is disabled.
    void Draw() override;
    // The picture with the box inverted (not while disabled).
    void DrawPressed() override;

    // A new symbol of the button's class; null for an unregistered class.
    virtual cPObjPoint *NewSymbol();
    virtual int16_t GetClassId() const { return classId; }

protected:
    int16_t classId;
};

// The palette bar over a page table.  It owns its buttons, and, as every
// tool bar, the window it is attached to.
class cMusicToolBar : public cToolBars {
public:
    // With a tool window the buttons are made and laid out at once; the
    // class registry must exist by then, as the buttons measure their
    // prototypes' pictures.
    cMusicToolBar(const sPalettePage *pages, int32_t pageCount, cViewPortBase *toolWindow);
    ~cMusicToolBar() override;

    // Makes the buttons that are still missing and shows the first page
    // with its initially selected button pressed.  Nothing without a tool
    // window.
    void BuildItems() override;
    // Enables every button of every page.
    void Refresh(int32_t flag) override;

    // Whether the button is one of this bar's, on any page: a message
    // posted earlier may carry a button of a bar that is gone.
    bool HoldsButton(const cToolBarItem *button) const;

    const sPalettePage *GetPages() const { return pages; }
    int32_t GetPageCount() const { return pageCount; }

private:
    const sPalettePage *pages;
    int32_t pageCount;
};
