// The clipboard functions on the Win32 clipboard.
#include "foundation/clipboard_text.h"

#include <cstring>

#include "foundation/char_string.h"
#include "foundation/system_services.h"
#include "foundation/win32_win.h"

namespace {

// The accumulation block and the characters in it.
HGLOBAL gBlock = nullptr;
uint32_t gTotal = 0;

// Units before the first zero, never past the block's end: a block from
// another program need not hold a terminator.
template <class T> size_t BoundedLength(const T *p, size_t units) {
    size_t n = 0;
    while (n < units && p[n]) ++n;
    return n;
}

}  // namespace

void ClipboardAppendChars(const char16_t *text, uint32_t n) {
    if (!text) n = 0;
    if (!gBlock) gBlock = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, SIZE_T(n) + 400);
    if (!gBlock) return;
    if (GlobalSize(gBlock) < (SIZE_T(gTotal) + n + 1) * 2) {
        // A failed grow leaves the old block as it was: the text so far is
        // kept and only this piece is lost.
        HGLOBAL grown = GlobalReAlloc(gBlock, (SIZE_T(gTotal) + n + 400) * 2, GMEM_MOVEABLE);
        if (!grown) return;
        gBlock = grown;
    }
    auto p = static_cast<char16_t *>(GlobalLock(gBlock));
    if (!p) return;
    if (n) std::memcpy(p + gTotal, text, size_t(n) * 2);
    gTotal += n;
    p[gTotal] = 0;
    GlobalUnlock(gBlock);
}

void ClipboardPutText() {
    if (!gBlock) return;
    HGLOBAL shrunk = GlobalReAlloc(gBlock, (SIZE_T(gTotal) + 1) * 2, GMEM_MOVEABLE);
    if (shrunk) gBlock = shrunk;
    if (!OpenClipboard(nullptr)) return;
    if (EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, gBlock)) {
        gBlock = nullptr;  // the clipboard owns it now
        gTotal = 0;
    }
    CloseClipboard();
}

uint32_t ClipboardPendingLength() { return gTotal; }

const void *ClipboardGetData(uint32_t format) {
    if (!OpenClipboard(nullptr)) return nullptr;
    const void *result = nullptr;
    HANDLE handle = GetClipboardData(format);
    void *p = handle ? GlobalLock(handle) : nullptr;
    if (p) {
        size_t size = GlobalSize(handle);
        if (format == CF_UNICODETEXT) {
            auto text = static_cast<const char16_t *>(p);
            result = TempStringN(text, uint32_t(BoundedLength(text, size / 2)));
        } else if (format == CF_TEXT || format == CF_OEMTEXT) {
            auto bytes = static_cast<const char *>(p);
            if (System()) result = System()->ToWide(bytes, uint32_t(BoundedLength(bytes, size)));
        } else {
            auto bytes = static_cast<const char *>(p);
            gClipboardText.assign(bytes, BoundedLength(bytes, size));
            result = gClipboardText.c_str();
        }
        GlobalUnlock(handle);
    }
    CloseClipboard();
    return result;
}

uint32_t ClipboardListFormats() {
    gClipboardFormats.count = 0;
    if (!OpenClipboard(nullptr)) return 0;
    uint32_t count = 0;
    for (UINT id = EnumClipboardFormats(0); id && count < kClipMaxFormats; id = EnumClipboardFormats(id)) {
        sClipboardFormat &entry = gClipboardFormats.entries[count++];
        entry.id = id;
        entry.name[0] = 0;
        if (id >= kClipFirstRegistered) {
            int n = GetClipboardFormatNameW(id, W(entry.name), int(kClipFormatNameSize));
            entry.name[n > 0 ? n : 0] = 0;
        }
    }
    CloseClipboard();
    gClipboardFormats.count = count;
    return count;
}

uint32_t ClipboardRegisterFormat(const char16_t *name) { return RegisterClipboardFormatW(W(name)); }

tStatus ClipboardPutBytesForTest(uint32_t format, const std::string &bytes, bool emptyFirst) {
    if (!OpenClipboard(nullptr)) return RC_FAIL;
    tStatus result = RC_FAIL;
    if (!emptyFirst || EmptyClipboard()) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
        void *p = block ? GlobalLock(block) : nullptr;
        if (p) {
            if (!bytes.empty()) std::memcpy(p, bytes.data(), bytes.size());
            else *static_cast<char *>(p) = 0;
            GlobalUnlock(block);
            if (SetClipboardData(format, block)) result = RC_OK;
        }
        if (result != RC_OK && block) GlobalFree(block);
    }
    CloseClipboard();
    return result;
}

tStatus ClipboardEmptyForTest() {
    if (!OpenClipboard(nullptr)) return RC_FAIL;
    tStatus result = EmptyClipboard() ? RC_OK : RC_FAIL;
    CloseClipboard();
    return result;
}
