// The program's use of the system clipboard: Unicode text accumulated piece
// by piece and handed over in one go, the contents of a format read back
// (text, or the 8-bit bytes of a registered format such as rich text), and
// a listing of every format for the diagnostic log.
//
// Every call opens and closes the clipboard by itself.  The Windows build
// uses the Win32 clipboard (clipboard_text_win.cpp); the native build keeps
// an in-memory clipboard with the same rules (clipboard_text_posix.cpp).
#pragma once

#include <cstdint>
#include <string>

#include "foundation/base_defs.h"

class cDebugLog;

// Predefined formats of the system clipboard.  Registered formats have ids
// of kClipFirstRegistered and above and are known by name.
constexpr uint32_t kClipText = 1;          // CF_TEXT
constexpr uint32_t kClipOemText = 7;       // CF_OEMTEXT
constexpr uint32_t kClipUnicodeText = 13;  // CF_UNICODETEXT
constexpr uint32_t kClipFirstRegistered = 0xC000;

constexpr uint32_t kClipMaxFormats = 20;
constexpr uint32_t kClipFormatNameSize = 80;  // characters of a name, terminator included

struct sClipboardFormat {
    uint32_t id = 0;
    char16_t name[kClipFormatNameSize + 1] = {};
};

// The listing of the last ClipboardListFormats.
struct sClipboardFormats {
    uint32_t count = 0;
    sClipboardFormat entries[kClipMaxFormats];
};

// Receives the bytes of non-text formats; a pointer into it stays valid
// until the next read of such a format.
extern std::string gClipboardText;
extern sClipboardFormats gClipboardFormats;

// Appends the first n characters of the text to the accumulated text.
void ClipboardAppendChars(const char16_t *text, uint32_t n);
void ClipboardAppendText(const char16_t *text);
// Hands the accumulated text to the clipboard as Unicode text.  When the
// clipboard cannot be opened or refuses it, the text is kept and later
// appends continue after it.
void ClipboardPutText();

// The clipboard's contents in a format, or null when absent.  For the text
// formats (kClipText, kClipOemText, kClipUnicodeText) a wide temporary text;
// for any other format the 8-bit bytes up to the first zero byte, but never
// beyond the clipboard block, as the text of gClipboardText.
const void *ClipboardGetData(uint32_t format);
// The number of characters ClipboardGetData gives for the format; Unicode
// text falls back to the 8-bit text converted to wide.  0 when none.
uint32_t ClipboardTextLength(uint32_t format);

// Lists the formats on the clipboard into gClipboardFormats (at most 20)
// and answers their number.
uint32_t ClipboardListFormats();
// The id of the format on the clipboard registered under the name (compared
// without regard to case); 0 when none.
uint32_t ClipboardFindFormat(const char16_t *name);
// The 8-bit RTF on the clipboard ("Rich Text Format", else "RTF As Text"),
// or null; and its byte length, 0 when none.
const char *ClipboardGetRtf();
uint32_t ClipboardRtfLength();
// Writes the "[Clipboard]" listing, one line per format with its text, into
// the log, or into the session log when none is given.  Answers 0.
tStatus ClipboardDumpToLog(cDebugLog *log);

// Test support.  Registers a format name (the same id for the same name).
uint32_t ClipboardRegisterFormat(const char16_t *name);
// Places raw bytes under a format, after emptying the clipboard when asked;
// the block holds exactly these bytes, without a terminator of its own.
tStatus ClipboardPutBytesForTest(uint32_t format, const std::string &bytes, bool emptyFirst);
// Empties the clipboard.
tStatus ClipboardEmptyForTest();
// The number of characters accumulated and not yet handed over.
uint32_t ClipboardPendingLength();
// Native build only: makes every open of the clipboard fail, as when another
// program holds it.
void ClipboardFailOpenForTest(bool fail);
