// The lexical reader of the program's line-based 8-bit text files: the text
// form of a score (also the crash recovery, which reads the last dump in the
// error report) and the font descriptions inside it.  Each byte stands for
// the code unit of the same value; other units arrive as \hhhh escapes.
//
// A grammar reader calls the operations one after another and tests one
// error latch instead of every result: the latch starts at 0 and only goes
// down, to RC_KEYWORD_MISMATCH (a keyword that was not there) or
// RC_STREAM_FAILED (the end of the file, or a failed read).
#pragma once

#include <cstdint>
#include <string>

#include "foundation/base_defs.h"

class cAsciiFile {
public:
    // Opens the file by its wide path.  Line ends read as in text mode: CR LF
    // is one LF.  A file that cannot be opened fails every operation.
    explicit cAsciiFile(const char16_t *path);
    // Reads bytes in memory as the text of a file (a fuzz target, a paste),
    // with the same line ends.
    cAsciiFile(const char *bytes, size_t size);
    cAsciiFile(const cAsciiFile &) = delete;
    cAsciiFile &operator=(const cAsciiFile &) = delete;

    // Skips white space and matches the keyword as a prefix of what follows,
    // then skips spaces and tabs.  0; RC_KEYWORD_MISMATCH with the position
    // restored; RC_STREAM_FAILED; or the latch when it is already negative.
    tStatus Expect(const char16_t *keyword);
    // The character form 'c' or \u'c' (with \hhhh); 0 when there is none.
    char16_t ReadQuotedChar();
    // The string form "..." or \u"..." up to the same quote or the line end,
    // as a temporary text.
    const char16_t *ReadQuotedString();
    // The run of bytes above the space up to a comma, as a temporary text.
    const char16_t *ReadToken();
    // Discards the rest of the line, at most 500 bytes; answers the latch.
    tStatus SkipLine();
    // Searches forward for a line starting with the keyword: 0 found (the
    // reader stands after it), RC_STREAM_FAILED when the file ended first.
    tStatus SeekKeyword(const char16_t *keyword);
    // The same, standing after the LAST line that starts with the keyword.
    // An empty or null keyword, which every line starts with, answers
    // RC_KEYWORD_MISMATCH at once and leaves the reader where it was.
    tStatus SeekKeywordText(const char16_t *keyword);
    // The four hexadecimal digits of an escape; other bytes are skipped.
    uint16_t ReadHex4();

    // Decimal numbers as a stream's extraction reads them: white space, an
    // optional sign, digits.  No digit or a value out of range latches
    // RC_STREAM_FAILED; out of range answers the nearest limit.  The
    // unsigned reads take a minus sign as a negation modulo the width.
    int32_t ReadInt();
    uint32_t ReadUnsigned();
    uint16_t ReadUnsigned16();
    // Skips white space and answers the next byte without taking it; -1 at
    // the end or once the stream failed.
    int PeekAfterWhiteSpace() {
        SkipWhiteSpace();
        return Peek();
    }
    // The same within the line: skips spaces and tabs only, so a line end
    // answers '\n'.
    int PeekOnLine();

    int32_t GetErrorLatch() const { return latch; }
    // Latches RC_KEYWORD_MISMATCH for what the grammar reader refuses
    // though the syntax allowed it (nesting deeper than it reads); answers
    // the latch.
    tStatus Refuse() {
        if (latch > RC_KEYWORD_MISMATCH) latch = RC_KEYWORD_MISMATCH;
        return latch;
    }
    bool IsOpen() const { return opened; }
    // The position after the most recent operation; -1 once the stream failed.
    int64_t GetLastPosition() const { return lastPosition; }

private:
    // Takes the bytes as text mode reads them: a CR LF pair becomes one LF.
    void TakeText(const char *bytes, size_t size);
    bool Good() const { return !eof && !fail; }
    int Peek();
    int Get();
    void SkipWhiteSpace();
    void Clear() { eof = fail = false; }
    void SeekTo(int64_t position);
    int64_t Tell() const { return fail ? -1 : int64_t(pos); }
    // Saves the position and latches the end of the stream.
    void Finish();
    // Expect without latching a mismatch.
    tStatus Match(const char16_t *keyword);
    // Reads an optional sign and digits; false when no digit came.
    bool ReadDigits(bool &negative, uint64_t &magnitude, uint64_t limit);

    std::string data;
    size_t pos = 0;
    bool eof = false;
    bool fail = false;
    bool opened = false;
    int64_t lastPosition = 0;
    int32_t latch = 0;
};

// accumulator * 16 + the digit's value; RC_KEYWORD_MISMATCH with the
// accumulator unchanged for a character that is no hexadecimal digit.
int32_t HexDigitAccumulate(int32_t &accumulator, char16_t c);
