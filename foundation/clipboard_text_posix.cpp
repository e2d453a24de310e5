// The clipboard functions on an in-memory clipboard of this process, with
// the rules of the system clipboard that the program relies on: every format
// is a block of bytes, registered names get ids from 0xC000 on, formats are
// enumerated in the order they were first set, and an open can fail.
#include "foundation/clipboard_text.h"

#include <cstring>
#include <utility>
#include <vector>

#include "foundation/char_string.h"
#include "foundation/system_services.h"

namespace {

// Blocks hold exactly their bytes, with no terminator behind them, so that a
// read past a block's end shows up under the address sanitizer.
using tBlock = std::vector<char>;

struct sFakeClipboard {
    std::vector<std::pair<uint32_t, tBlock>> formats;
    std::vector<std::u16string> registered;
    bool failOpen = false;

    const tBlock *Find(uint32_t id) const {
        for (const auto &f : formats)
            if (f.first == id) return &f.second;
        return nullptr;
    }
    void Set(uint32_t id, tBlock bytes) {
        for (auto &f : formats)
            if (f.first == id) {
                f.second = std::move(bytes);
                return;
            }
        formats.emplace_back(id, std::move(bytes));
    }
};

sFakeClipboard &Board() {
    static sFakeClipboard board;
    return board;
}

// The accumulated text and whether a block exists for it.
std::u16string gPending;
bool gHaveBlock = false;

size_t BoundedLength(const char *p, size_t units) {
    size_t n = 0;
    while (n < units && p[n]) ++n;
    return n;
}

}  // namespace

void ClipboardAppendChars(const char16_t *text, uint32_t n) {
    gHaveBlock = true;
    if (text && n) gPending.append(text, n);
}

void ClipboardPutText() {
    if (!gHaveBlock) return;
    sFakeClipboard &board = Board();
    if (board.failOpen) return;
    tBlock bytes;
    for (char16_t c : gPending) {
        bytes.push_back(char(c & 0xFF));
        bytes.push_back(char(c >> 8));
    }
    bytes.insert(bytes.end(), 2, '\0');
    board.formats.clear();
    board.Set(kClipUnicodeText, std::move(bytes));
    gPending.clear();
    gHaveBlock = false;
}

uint32_t ClipboardPendingLength() { return uint32_t(gPending.size()); }

const void *ClipboardGetData(uint32_t format) {
    const sFakeClipboard &board = Board();
    if (board.failOpen) return nullptr;
    const tBlock *block = board.Find(format);
    if (!block) return nullptr;
    if (format == kClipUnicodeText) {
        // Read unit by unit: the block need not be aligned or terminated.
        std::u16string text;
        for (size_t i = 0; i + 1 < block->size(); i += 2) {
            char16_t c = char16_t(uint8_t((*block)[i]) | uint8_t((*block)[i + 1]) << 8);
            if (!c) break;
            text.push_back(c);
        }
        return TempStringOf(text);
    }
    size_t n = BoundedLength(block->data(), block->size());
    if (format == kClipText || format == kClipOemText)
        return System() ? System()->ToWide(block->data(), uint32_t(n)) : nullptr;
    gClipboardText.assign(block->data(), n);
    return gClipboardText.c_str();
}

uint32_t ClipboardListFormats() {
    gClipboardFormats.count = 0;
    const sFakeClipboard &board = Board();
    if (board.failOpen) return 0;
    uint32_t count = 0;
    for (const auto &f : board.formats) {
        if (count == kClipMaxFormats) break;
        sClipboardFormat &entry = gClipboardFormats.entries[count++];
        entry.id = f.first;
        entry.name[0] = 0;
        uint32_t index = f.first - kClipFirstRegistered;
        if (f.first >= kClipFirstRegistered && index < board.registered.size()) {
            const std::u16string &name = board.registered[index];
            size_t n = name.size() < kClipFormatNameSize - 1 ? name.size() : kClipFormatNameSize - 1;
            name.copy(entry.name, n);
            entry.name[n] = 0;
        }
    }
    gClipboardFormats.count = count;
    return count;
}

uint32_t ClipboardRegisterFormat(const char16_t *name) {
    if (!name || !*name) return 0;
    sFakeClipboard &board = Board();
    for (size_t i = 0; i < board.registered.size(); ++i)
        if (board.registered[i] == name) return kClipFirstRegistered + uint32_t(i);
    board.registered.emplace_back(name);
    return kClipFirstRegistered + uint32_t(board.registered.size() - 1);
}

tStatus ClipboardPutBytesForTest(uint32_t format, const std::string &bytes, bool emptyFirst) {
    sFakeClipboard &board = Board();
    if (board.failOpen) return RC_FAIL;
    if (emptyFirst) board.formats.clear();
    board.Set(format, tBlock(bytes.begin(), bytes.end()));
    return RC_OK;
}

tStatus ClipboardEmptyForTest() {
    sFakeClipboard &board = Board();
    if (board.failOpen) return RC_FAIL;
    board.formats.clear();
    return RC_OK;
}

void ClipboardFailOpenForTest(bool fail) { Board().failOpen = fail; }
