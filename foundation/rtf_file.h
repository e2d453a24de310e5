// Reads the rich text another program left on the clipboard: the plain text
// of its text line, the name of the font it is written in and its size.
// Only a flat subset of the format is understood: groups in the text line
// are skipped whole, control words other than u, fs and f are ignored.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

class cRtfFile {
public:
    // Keeps a copy of the text when it begins with "{\rtf"; otherwise the
    // reader has nothing to read.
    explicit cRtfFile(const char *text);

    // The text of the line after the first CR LF, as a temporary string,
    // or null when it is empty.  Also finds the font name and the size (12
    // when the line sets none).
    const char16_t *PlainText();
    // The font name (font 0 of the font table when the text named none),
    // empty when there is none; a temporary string.
    const char16_t *FontName();
    // The name of font number n of the font table, which becomes the font
    // name; null when the source has no font table.
    const char16_t *ReadFontTable(int32_t n);

    int32_t FontSize() const { return fontSize; }

    // Read by the paste after PlainText: the first "fs" of the line.
    int32_t fontSize = 0;

private:
    // Reads the entries of the font table, once: a text may name fonts the
    // table lacks thousands of times, and each would search it again.
    void IndexFontTable();

    std::string source;
    std::string fontName;
    bool tableIndexed = false;
    bool hasTable = false;
    // By font number, the first entry's name; no value for an entry without
    // a name of the form "{\fN ... name;}".
    std::unordered_map<int64_t, std::pair<bool, std::string>> fonts;
};
