#include "foundation/rtf_file.h"

#include <cstring>
#include <string_view>

#include "foundation/char_string.h"
#include "foundation/text_util.h"
#include "foundation/system_services.h"

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The character a byte stands for: its own value, 0 to 255.
char16_t ByteChar(char c) { return char16_t(uint8_t(c)); }

// The code of a \'hh symbol: the two bytes read as a base-16 number the
// way the C library reads one (0 when no digit leads), kept to a byte.
char16_t HexChar(char a, char b) {
    const char16_t pair[3] = {ByteChar(a), ByteChar(b), 0};
    return char16_t(ParseLong(pair, 16) & 0xFF);
}

}  // namespace

cRtfFile::cRtfFile(const char *text) {
    if (text && std::strncmp(text, "{\\rtf", 5) == 0) source = text;
}

const char16_t *cRtfFile::PlainText() {
    enum State { kText, kGroup, kBackslash, kWord, kNumber, kFirstHex, kSecondHex };
    fontName.clear();
    std::u16string text;

    // Ends a control word that has a parameter at source[i]; answers how
    // many bytes from there belong to it.
    std::string word;
    int64_t parameter = 0;
    bool negative = false;
    auto finishWord = [&](size_t i) -> size_t {
        // A negative parameter is how writers put characters above U+7FFF
        // (and other negative values) into 16-bit signed numbers.
        int64_t value = negative ? -parameter : parameter;
        char c = i < source.size() ? source[i] : 0;
        if (word == "u") {
            if (char16_t code = char16_t(value < 0 ? value + 65536 : value)) text.push_back(code);
            // What ends the number is dropped: the space, or the one
            // replacement character that writers put there for readers
            // without Unicode, a byte or a whole \'hh symbol.  A control
            // word there is read as such.
            if (c == '\\') {
                bool hexSymbol = i + 3 < source.size() && source[i + 1] == '\'' &&
                                 source[i + 2] != '\r' && source[i + 3] != '\r';
                return hexSymbol ? 4 : 0;
            }
            return c && c != '\r' ? 1 : 0;
        }
        if (word == "fs") {
            if (fontSize == 0 && value > 0) fontSize = int32_t(value);
        } else if (word == "f") {
            if (fontName.empty() && value >= 0) ReadFontTable(int32_t(value));
        }
        return c == ' ' ? 1 : 0;
    };

    size_t lineStart = source.find("\r\n");
    if (lineStart != std::string::npos) {
        State state = kText;
        char firstHex = 0;
        size_t i = lineStart + 2;
        while (i < source.size() && source[i] != '\r') {
            char c = source[i];
            switch (state) {
            case kText:
                if (c == '\\')
                    state = kBackslash;
                else if (c == '{')
                    state = kGroup;
                else
                    text.push_back(ByteChar(c));
                ++i;
                break;
            case kGroup:
                if (c == '}') state = kText;
                ++i;
                break;
            case kBackslash:
                if (IsLetter(c)) {
                    word.clear();
                    state = kWord;
                } else if (c == '\'') {
                    state = kFirstHex;
                    ++i;
                } else {
                    text.push_back(ByteChar(c));
                    state = kText;
                    ++i;
                }
                break;
            case kWord:
                if (IsLetter(c)) {
                    word.push_back(c);
                    ++i;
                } else if (IsDigit(c) || (c == '-' && i + 1 < source.size() && IsDigit(source[i + 1]))) {
                    parameter = 0;
                    negative = c == '-';
                    if (negative) ++i;
                    state = kNumber;
                } else {
                    if (c == ' ') ++i;  // the word is ignored
                    state = kText;
                }
                break;
            case kNumber:
                if (IsDigit(c)) {
                    // Long digit runs saturate instead of overflowing.
                    if (parameter < 0x7FFFFFFF) parameter = parameter * 10 + (c - '0');
                    ++i;
                } else {
                    i += finishWord(i);
                    state = kText;
                }
                break;
            case kFirstHex:
                firstHex = c;
                state = kSecondHex;
                ++i;
                break;
            case kSecondHex:
                // Code 0 would end the answered text early.
                if (char16_t code = HexChar(firstHex, c)) text.push_back(code);
                state = kText;
                ++i;
                break;
            }
        }
        // A parameter that ran to the end of the line still counts.
        if (state == kNumber) finishWord(i);
    }

    if (fontName.empty()) FontName();
    if (fontSize == 0) fontSize = 12;
    return text.empty() ? nullptr : TempStringOf(text);
}

const char16_t *cRtfFile::FontName() {
    if (fontName.empty()) ReadFontTable(0);
    return TempString(System()->ToWideText(fontName.c_str()));
}

void cRtfFile::IndexFontTable() {
    tableIndexed = true;
    static const char kTable[] = "{\\fonttbl{";
    size_t found = source.find(kTable);
    hasTable = found != std::string::npos;
    if (!hasTable) return;
    size_t p = found + sizeof(kTable) - 2;  // the "{" of the first entry
    while (p < source.size() && source[p] == '{') {
        size_t close = source.find('}', p);
        if (close == std::string::npos) break;
        // "{\f" and the font number; an entry of another form ends the table.
        size_t digits = p + 3;
        if (source.compare(p, 3, "{\\f") != 0 || digits >= close || !IsDigit(source[digits])) break;
        int64_t number = 0;
        size_t q = digits;
        for (; q < close && IsDigit(source[q]); ++q)
            if (number <= 0x7FFFFFFF) number = number * 10 + (source[q] - '0');
        // The name runs from the first space after the number to ";", both
        // inside the entry.  The first entry of a number counts, named or not.
        // Searched inside the entry only, so that a table of many entries
        // without names costs no more than its length.
        std::string_view entry = std::string_view(source).substr(q, close - q);
        std::pair<bool, std::string> name{false, std::string()};
        size_t space = entry.find(' ');
        size_t end = space == std::string_view::npos ? space : entry.find(';', space);
        if (end != std::string_view::npos) name = {true, std::string(entry.substr(space + 1, end - space - 1))};
        fonts.emplace(number, std::move(name));
        p = close + 1;
    }
}

const char16_t *cRtfFile::ReadFontTable(int32_t n) {
    if (!tableIndexed) IndexFontTable();
    if (!hasTable) {
        fontName.clear();
        return nullptr;
    }
    auto entry = fonts.find(n);
    if (entry != fonts.end() && entry->second.first) fontName = entry->second.second;
    return TempString(System()->ToWideText(fontName.c_str()));
}
