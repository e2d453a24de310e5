#include "ui/grf_str_kbd.h"

#include "ui/graph_dvc_base.h"

cGrfStrKbd::cGrfStrKbd(char16_t *t, int32_t max, cGraphDvcBase *w, uint16_t font)
    : cStringKbd(t, max), window(w), fontIndex(font) {}

void cGrfStrKbd::MoveCaret(int32_t caretX, int32_t caretY) { window->SetCaretPos(caretX, caretY); }

void cGrfStrKbd::PutChar(char16_t c) { window->PutChar(c); }

int32_t cGrfStrKbd::TextWidth(int32_t n) { return window->GetTextWidthN(text, uint32_t(n), fontIndex); }

void cGrfStrKbd::EraseRange(int32_t from, int32_t to) {
    int32_t h = window->GetTextHeight(text, fontIndex);
    window->EraseRect(from, y - h, to - from + 1, h);
}
