#include "foundation/string_kbd.h"

#include "foundation/char_string.h"
#include "foundation/string_array.h"

cStringKbd::cStringKbd(char16_t *buffer, int32_t maximum) : maxLength(maximum), text(buffer) {}

int32_t cStringKbd::Length() const { return int32_t(TextLength(text)); }

void cStringKbd::Draw() {
    for (const char16_t *p = text; p && *p; ++p) PutChar(*p);
}

void cStringKbd::EraseText() { EraseRange(x, TextWidth(Length())); }

void cStringKbd::SetPosition(int32_t newX, int32_t newY) {
    x = newX;
    y = newY;
}

void cStringKbd::SetCursor(int32_t i) {
    cursor = i;
    MoveCaret(x + TextWidth(i), y);
}

void cStringKbd::SetCursorAtX(int32_t px) {
    int32_t length = Length(), i = 0;
    while (i < length && TextWidth(i) < px - x) ++i;
    SetCursor(i);
}

int32_t cStringKbd::TextWidth(int32_t n) { return n; }

void cStringKbd::EraseField() { EraseFrom(maxLength); }

void cStringKbd::EraseFrom(int32_t to) { EraseRange(TextWidth(Length()), to); }

void cStringKbd::EraseRange(int32_t from, int32_t to) {
    for (int32_t i = from; i < to; ++i) PutChar(u' ');
}

uint8_t cStringKbd::SetInsertMode(uint8_t flag) {
    uint8_t previous = insert;
    insert = flag;
    return previous;
}

int32_t cStringKbd::OnKey(int32_t key, int32_t mode) {
    int32_t length = Length();
    if (cursor > length) cursor = length;  // the text may have been changed under the editor
    if (cursor < 0) cursor = 0;
    bool used = true;
    switch (key) {
    case kBackspace:
        if (cursor > 0) --cursor;
        DeleteCharAt(text, uint32_t(cursor));
        break;
    case kLeft:
        if (cursor > 0) --cursor;
        break;
    case kRight:
        if (cursor < length) ++cursor;
        break;
    case kInsert:
        insert = insert ? 0 : 1;
        break;
    case kDelete:
        DeleteCharAt(text, uint32_t(cursor));
        break;
    default:
        // A full text takes no character, so an edit never runs past the buffer.
        if (key < 32 || key > 255 || cursor >= maxLength || length >= maxLength) {
            used = false;
            break;
        }
        if (mode == 0 || (mode == 3 && insert)) {
            InsertCharAt(text, char16_t(key), uint32_t(cursor));
        } else {
            if (cursor == length) text[cursor + 1] = 0;
            text[cursor] = char16_t(key);
        }
        if (mode != 2) ++cursor;
        break;
    }
    SetCursor(cursor);
    return used ? 0 : key;
}
