// The keyboard line editor placed on a graphics device: the caret, the
// characters and the erasing go through the window's drawing device, and
// widths come from the text's font.
#pragma once

#include <cstdint>

#include "foundation/string_kbd.h"

class cGraphDvcBase;

class cGrfStrKbd : public cStringKbd {
public:
    cGrfStrKbd(char16_t *text, int32_t maxLength, cGraphDvcBase *window, uint16_t fontIndex);

    void MoveCaret(int32_t caretX, int32_t caretY) override;
    void PutChar(char16_t c) override;
    int32_t TextWidth(int32_t n) override;
    void EraseRange(int32_t from, int32_t to) override;

private:
    cGraphDvcBase *window;  // borrowed: the score window outlives the editor
    uint16_t fontIndex;
};
