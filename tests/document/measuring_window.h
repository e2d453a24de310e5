// A test score window whose glyph measures a test chooses.  The headless
// device measures every character as the same cell, and a window of the
// window system measures in whatever fonts the machine has; code that
// places glyphs by their boxes needs boxes of its own choosing, the same in
// both builds.  Characters without chosen boxes keep the device's measures.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "foundation/rectangle.h"
#include "tests/document/symbol_fixture.h"

namespace test {

class cMeasuringWindow : public cTestScoreWindow {
public:
    // The ink box (GetGlyphBox) and the cell box (GetCharBox) of a
    // character, relative to its origin, in every font.
    void SetBoxes(char16_t c, const cRectangl &ink, const cRectangl &cell) { boxes[c] = {ink, cell}; }

    cRectangl *GetGlyphBox(char16_t c, uint16_t font) override {
        fontsMeasured.push_back(font);
        auto it = boxes.find(c);
        return it == boxes.end() ? cTestScoreWindow::GetGlyphBox(c, font) : cRectangl::TempCopy(it->second.ink);
    }
    cRectangl *GetCharBox(char16_t c, uint16_t font) override {
        fontsMeasured.push_back(font);
        auto it = boxes.find(c);
        return it == boxes.end() ? cTestScoreWindow::GetCharBox(c, font) : cRectangl::TempCopy(it->second.cell);
    }
    // The font of every measure asked for, in order.
    std::vector<uint16_t> fontsMeasured;

private:
    struct sBoxes {
        cRectangl ink;
        cRectangl cell;
    };
    std::map<char16_t, sBoxes> boxes;
};

}  // namespace test
