// The keyboard line editor of a text symbol: edits a zero-ended text in the
// caller's buffer in place, with a cursor, insert or overwrite, and a caret
// that a derived class places on its device.
#pragma once

#include <cstdint>

class cStringKbd {
public:
    // Normalised key codes the editor uses.
    enum : int32_t { kBackspace = 8, kLeft = 19, kRight = 20, kInsert = 29, kDelete = 30 };

    // The buffer holds maxLength characters and a terminating zero.
    cStringKbd(char16_t *text, int32_t maxLength);
    virtual ~cStringKbd() = default;
    cStringKbd(const cStringKbd &) = delete;
    cStringKbd &operator=(const cStringKbd &) = delete;

    virtual void MoveCaret(int32_t caretX, int32_t caretY) = 0;
    virtual void PutChar(char16_t c) = 0;
    virtual void Draw();
    virtual void EraseText();
    virtual void SetPosition(int32_t newX, int32_t newY);
    // Moves the cursor and places the caret behind the first i characters.
    virtual void SetCursor(int32_t i);
    // The cursor goes to the first index whose width reaches px - x.
    virtual void SetCursorAtX(int32_t px);
    // Width of the first n characters: one unit each here.
    virtual int32_t TextWidth(int32_t n);
    virtual void EraseField();
    virtual void EraseFrom(int32_t to);
    virtual void EraseRange(int32_t from, int32_t to);

    // Handles one key.  Mode 0 inserts, 3 inserts or overwrites by the
    // insert flag, any other overwrites; mode 2 leaves the cursor where it
    // was.  Answers 0 when the key was used, else the key.
    int32_t OnKey(int32_t key, int32_t mode);
    // Answers the previous flag (1 insert, 0 overwrite).
    uint8_t SetInsertMode(uint8_t flag);

    int32_t GetCursor() const { return cursor; }
    uint8_t GetInsertMode() const { return insert; }
    int32_t Length() const;

protected:
    int32_t x = 0;
    int32_t y = 0;
    uint8_t insert = 1;
    int32_t cursor = 0;
    int32_t maxLength;
    char16_t *text;
};
