// Wide text streams.  The standard library has no usable char16_t streams,
// so texts that the program builds piece by piece (log blocks, settings
// dumps) go through this small builder, and texts read back line by line
// through the matching reader.
#pragma once

#include <cstdint>
#include <string>

class cWideStream {
public:
    cWideStream &operator<<(const char16_t *text) { if (text) text_ += text; return *this; }
    cWideStream &operator<<(const std::u16string &text) { text_ += text; return *this; }
    cWideStream &operator<<(char16_t c) { text_ += c; return *this; }
    cWideStream &operator<<(int32_t n);
    cWideStream &operator<<(uint32_t n);
    // Numbers that follow are written in lower-case hexadecimal (or decimal).
    cWideStream &Hex() { hex = true; return *this; }
    cWideStream &Dec() { hex = false; return *this; }

    const std::u16string &Text() const { return text_; }
    void Clear() { text_.clear(); }

private:
    std::u16string text_;
    bool hex = false;
};

// A wide input stream over a text, with the failed and end states that
// line reading needs.
class cWideInStream {
public:
    explicit cWideInStream(std::u16string text) : text_(std::move(text)) {}

    bool Failed() const { return failed; }
    bool AtEnd() const { return pos >= text_.size(); }
    void ClearState() { failed = false; }
    void SetFailed() { failed = true; }
    // Reads one line into out: at most max - 1 characters are stored and the
    // ending LF is taken but not stored.  A line that does not fit fails the
    // stream after the stored characters.  Answers the characters taken.
    uint32_t GetLine(std::u16string &out, uint32_t max);

private:
    std::u16string text_;
    size_t pos = 0;
    bool failed = false;
};

// Appends the whole text of the stream to output without its line breaks
// and answers the number of characters taken; leaves the stream failed.
uint32_t ReadStreamText(std::u16string &output, cWideInStream &stream);
