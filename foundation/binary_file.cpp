#include "foundation/binary_file.h"

#include "foundation/wide_stream.h"

#include <algorithm>
#include <vector>

#include "foundation/char_string.h"
#include "foundation/file_replacement.h"
#include "foundation/system_services.h"

cBinaryFileBase::cBinaryFileBase(const char16_t *fileName, uint32_t modeWord)
    : name(fileName ? fileName : u""), mode(modeWord) {}

tStatus cBinaryFileBase::WriteText(const char16_t *text) {
    uint32_t n = TextLength(text);
    std::string bytes(size_t(n) * 2, '\0');
    for (uint32_t i = 0; i < n; ++i) {
        bytes[2 * i] = char(text[i] & 0xFF);
        bytes[2 * i + 1] = char(text[i] >> 8);
    }
    return Write(bytes.data(), uint32_t(bytes.size()));
}

tStatus cBinaryFileBase::WriteStream(const cWideStream &stream) { return WriteStdString(stream.Text()); }

tStatus cBinaryFileBase::WriteStdString(const std::u16string &text) {
    // Through WriteText, so that an embedded zero ends the text as there.
    return WriteText(text.c_str());
}

tStatus cBinaryFileBase::Seek(uint32_t newPosition) {
    position = newPosition;
    if (position == size && !(mode & kWrite))
        mode |= kEndOfFile;
    else
        mode &= ~uint32_t(kEndOfFile);
    return RC_OK;
}

void cBinaryFileBase::AfterWrite(uint32_t moved) {
    position += moved;
    if (position > size) size = position;
}

void cBinaryFileBase::AfterRead(uint32_t count, uint32_t moved) {
    // Reading the last bytes exactly leaves the bit clear; the next read,
    // which starts at the end, sets it.
    if ((moved == 0 && count != 0) || position == size) mode |= kEndOfFile;
    position += moved;
}

tStatus cBinaryFileBase::WriteU16(uint16_t value) {
    uint8_t b[2] = {uint8_t(value), uint8_t(value >> 8)};
    return Write(b, 2);
}

tStatus cBinaryFileBase::WriteU32(uint32_t value) {
    uint8_t b[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
    return Write(b, 4);
}

tStatus cBinaryFileBase::ReadU16(uint16_t &value) {
    uint8_t b[2] = {};
    tStatus r = Read(b, 2);
    value = uint16_t(b[0] | (b[1] << 8));
    return r;
}

tStatus cBinaryFileBase::ReadU32(uint32_t &value) {
    uint8_t b[4] = {};
    tStatus r = Read(b, 4);
    value = uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
    return r;
}

uint16_t StoredTextSize(const char16_t *text) {
    return uint16_t(2 + 2 * std::min(TextLength(text), kMaxStoredChars));
}

tStatus cBinaryFileBase::WriteString(const char16_t *text) {
    uint32_t n = std::min(TextLength(text), kMaxStoredChars);
    if (n == 0) {
        tStatus r = WriteU16(0);
        return r < 0 ? r : RC_OK;
    }
    // A longer text keeps its first kMaxStoredChars characters rather than
    // wrapping the length word, so the stored text is at least a true prefix.
    WriteU16(uint16_t(2 * n));
    return WriteText(std::u16string(text, n).c_str());
}

char16_t *cBinaryFileBase::ReadStringInto(char16_t **buffer, uint16_t max) {
    uint16_t stored = 0;
    uint32_t before = position;
    ReadU16(stored);
    if (position - before < 2) stored = 0;  // nothing left to read a length from
    uint32_t length = stored;
    uint32_t keep = (length > max && length > 2u * max) ? 2u * max : length;

    bool owned = *buffer == nullptr;
    if (owned) *buffer = new char16_t[keep + 1];
    char16_t *out = *buffer;

    std::vector<uint8_t> bytes(keep + 1, 0);
    uint32_t start = position;
    if (keep) Read(bytes.data(), keep);
    uint32_t got = position - start;
    std::fill(bytes.begin() + got, bytes.end(), 0);  // a truncated file reads as zeros
    if (keep < length) Seek(position + (length - keep));

    // Capacity in characters, terminator included.
    uint32_t capacity = owned ? keep + 1 : uint32_t(max) + 1;
    if (mode & kAnsiStrings) {
        bytes[keep] = 0;
        const char16_t *wide = System() ? System()->ToWideText(reinterpret_cast<const char *>(bytes.data())) : u"";
        uint32_t n = std::min(TextLength(wide), capacity - 1);
        std::copy(wide, wide + n, out);
        out[n] = 0;
        return out;
    }
    // An odd count leaves a half unit whose high byte reads as zero.
    uint32_t units = (keep + 1) / 2;
    for (uint32_t i = 0; i < units; ++i) out[i] = char16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    out[units] = 0;
    return out;
}

char16_t *cBinaryFileBase::ReadString(char16_t *buffer, uint16_t max) {
    if (!buffer) return nullptr;
    return ReadStringInto(&buffer, max);
}

const char16_t *cBinaryFileBase::ReadStringTemp(uint16_t max) {
    char16_t *buffer = nullptr;
    ReadStringInto(&buffer, max);
    if (!buffer) return TempString(u"");
    const char16_t *text = TempString(buffer);
    delete[] buffer;
    return text;
}

uint32_t cBinaryFileBase::ReadUntilByte(void *buffer, uint8_t delimiter, uint32_t n) {
    uint32_t left = position < size ? size - position : 0;
    uint32_t take = std::min(n, left);
    uint8_t *bytes = static_cast<uint8_t *>(buffer);
    uint32_t start = position;
    Read(bytes, take);  // also when nothing is left: that read sets the end bit
    take = std::min(take, position - start);  // what really came
    for (uint32_t i = 0; i < take; ++i) {
        if (bytes[i] == delimiter) {
            Seek(start + i + 1);
            return i + 1;
        }
    }
    return take;
}

uint32_t cBinaryFileBase::ReadUntilChar(char16_t *buffer, char16_t delimiter, uint32_t n) {
    uint32_t left = position < size ? size - position : 0;
    uint32_t take = uint32_t(std::min<uint64_t>(uint64_t(n) * 2, left));
    std::vector<uint8_t> bytes(take);
    uint32_t start = position;
    Read(bytes.data(), take);
    uint32_t units = std::min(take, position - start) / 2;
    for (uint32_t i = 0; i < units; ++i) {
        buffer[i] = char16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        if (buffer[i] == delimiter) {
            Seek(start + 2 * (i + 1));
            return i + 1;
        }
    }
    return units;
}

int32_t cBinaryFileBase::SetAnsiStrings(bool on) {
    int32_t previous = (mode & kAnsiStrings) ? 1 : 0;
    if (on)
        mode |= kAnsiStrings;
    else
        mode &= ~uint32_t(kAnsiStrings);
    return previous;
}

// The platform-independent half of cBinaryFile: results, the sticky error
// bit and the bookkeeping around the system primitives.

cBinaryFile::cBinaryFile(const char16_t *fileName, uint32_t modeWord) : cBinaryFileBase(fileName, modeWord) {
    if (Open()) {
        mode |= kOpened;
    } else {
        handle = kNoHandle;
        ReportSystemError();
        size = 0;
    }
}

cBinaryFile::~cBinaryFile() {
    if (HasHandle()) SysClose();
    // A new file left unclosed is removed with the replacement.
}

bool cBinaryFile::Open() {
    bool anew = (mode & kWrite) && !(mode & kRead) && !name.empty();
    if (!anew) return SysOpen(name);
    replacement = std::make_unique<cFileReplacement>(name.c_str());
    if (!replacement->Begin()) {
        systemError = replacement->GetSystemError();
        replacement.reset();
        return false;
    }
    if (SysOpen(replacement->GetPath())) return true;
    replacement.reset();  // removes the new file
    return false;
}

void cBinaryFile::Failed() {
    mode |= kIoError;
    ReportSystemError();
}

tStatus cBinaryFile::Close() {
    if (!HasHandle()) return RC_FAIL;
    if (replacement) {
        CloseReplacement();
    } else {
        // Cutting after a failed write would throw away the bytes behind it.
        if ((mode & kWrite) && !(mode & kIoError) && !SysCut()) Failed();
        if (!SysClose()) Failed();
    }
    handle = kNoHandle;
    return (mode & kIoError) ? RC_FAIL : RC_OK;
}

void cBinaryFile::CloseReplacement() {
    // A device is written in place and has nothing to flush.
    if (!(mode & kIoError) && !replacement->IsInPlace() && !SysFlush()) Failed();
    if (!SysClose()) Failed();
    if (!(mode & kIoError) && !replacement->Commit()) {
        systemError = replacement->GetSystemError();
        Failed();
    }
    replacement.reset();  // removes the new file when it did not take the old one's place
}

tStatus cBinaryFile::Write(const void *bytes, uint32_t count) {
    if (!HasHandle() || (mode & kIoError)) return RC_FAIL;
    if (count == 0) return 0;
    uint32_t written = 0;
    bool ok = SysWrite(bytes, count, written);
    AfterWrite(written);
    if (!ok || written != count) {
        Failed();
        return RC_FAIL;
    }
    return tStatus(count);
}

tStatus cBinaryFile::Read(void *buffer, uint32_t count) {
    if (!HasHandle() || (mode & kIoError)) return RC_FAIL;
    uint32_t got = 0;
    if (count != 0 && !SysRead(buffer, count, got)) {
        Failed();
        return RC_FAIL;
    }
    AfterRead(count, got);
    return tStatus(count);
}

tStatus cBinaryFile::Seek(uint32_t newPosition) {
    if (!HasHandle()) return RC_FAIL;
    if (!SysSeek(newPosition)) {
        Failed();
        return RC_FAIL;
    }
    return cBinaryFileBase::Seek(newPosition);
}
