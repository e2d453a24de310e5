// Raw byte files: scores, MIDI files, settings and language files.  Every
// read or write is one system call with exactly the bytes the caller passes;
// nothing is buffered.  Multi-byte values are little-endian in every file, and
// text is stored as UTF-16LE code units, written byte by byte so the files do
// not depend on the host's byte order.
//
// cBinaryFileBase keeps the name, mode word, position and size and does the
// bookkeeping; cBinaryFile adds the system handle.  Files are made by
// cOpSysBase::NewBinaryFile; the owner calls Close and then deletes the object.
//
// A file opened only for writing is written anew beside the old one and takes
// its place at Close, and only when every write, the flush and the close
// succeeded (foundation/file_replacement.h): a failed save never costs the
// previous file.  A file opened for reading and writing is changed in place.
#pragma once

class cWideStream;
class cFileReplacement;

#include <cstdint>
#include <memory>
#include <string>

#include "foundation/base_defs.h"

class cBinaryFileBase {
public:
    // Mode word bits.
    enum : uint32_t {
        kRead = 0x01,
        kWrite = 0x02,
        kEndOfFile = 0x04,
        kOpened = 0x08,
        kAnsiStrings = 0x10,  // length-prefixed strings read are 8-bit ANSI text
        kIoError = 0x20,      // a system call failed; sticky
    };
    // An empty string record of a null text, and "no limit" for string reads.
    static constexpr uint16_t kNoLimit = 0xFFFF;

    cBinaryFileBase(const char16_t *name, uint32_t mode);
    virtual ~cBinaryFileBase() = default;
    cBinaryFileBase(const cBinaryFileBase &) = delete;
    cBinaryFileBase &operator=(const cBinaryFileBase &) = delete;

    // Close: a new file takes the target's place; a file changed in place
    // is cut at the position, unless a write failed.  Write, Read and Close
    // answer RC_FAIL without a handle, and once any system call on the file
    // has failed, so a full disk never looks like success.  Otherwise Write and Read answer the count passed; a short
    // read shows only through the end bit.
    virtual tStatus Close() = 0;
    virtual tStatus Write(const void *bytes, uint32_t count) = 0;
    virtual tStatus WriteText(const char16_t *text);
    virtual tStatus WriteStdString(const std::u16string &text);
    // The whole text of a wide stream, as WriteStdString writes it.
    virtual tStatus WriteStream(const cWideStream &stream);
    virtual tStatus Read(void *buffer, uint32_t count) = 0;
    // Moves to a position from the start; sets the end bit when a file open
    // only for reading stands at its size, clears it otherwise.
    virtual tStatus Seek(uint32_t position);

    // Little-endian integers of a fixed width.
    tStatus WriteU16(uint16_t value);
    tStatus WriteU32(uint32_t value);
    tStatus ReadU16(uint16_t &value);
    tStatus ReadU32(uint32_t &value);

    // String record: 16-bit byte count, then the UTF-16LE units, no terminator.
    tStatus WriteString(const char16_t *text);
    // Reads one record into *buffer, or into a new array (released with
    // delete[]) stored through buffer when *buffer is null; at most max
    // characters are kept and the rest of the record is skipped.  A
    // caller's buffer holds max characters and a terminator.
    char16_t *ReadStringInto(char16_t **buffer, uint16_t max);
    char16_t *ReadString(char16_t *buffer, uint16_t max);
    const char16_t *ReadStringTemp(uint16_t max);

    // Reads at most n bytes (units), stopping just after the first delimiter;
    // answers the number consumed.  Never reads past the known size.
    uint32_t ReadUntilByte(void *buffer, uint8_t delimiter, uint32_t n);
    uint32_t ReadUntilChar(char16_t *buffer, char16_t delimiter, uint32_t n);

    // Sets or clears the 8-bit string mode; answers the previous state (0 or 1).
    int32_t SetAnsiStrings(bool on);

    const std::u16string &GetName() const { return name; }
    uint32_t GetMode() const { return mode; }
    uint32_t GetPosition() const { return position; }
    uint32_t GetSize() const { return size; }
    // What a reader may still take: a count or length read from the file is
    // checked against this before it is trusted.
    uint32_t BytesLeft() const { return position < size ? size - position : 0; }
    bool IsOpen() const { return (mode & kOpened) != 0; }
    bool AtEnd() const { return (mode & kEndOfFile) != 0; }
    bool HasIoError() const { return (mode & kIoError) != 0; }

protected:
    // Bookkeeping after the system moved `moved` bytes.
    void AfterWrite(uint32_t moved);
    void AfterRead(uint32_t count, uint32_t moved);

    std::u16string name;
    uint32_t mode;
    uint32_t position = 0;
    uint32_t size = 0;
};

// The longest text a string record holds whole: its byte count must fit the
// 16-bit length word, and StoredTextSize (2 more) a 16-bit record size.
constexpr uint32_t kMaxStoredChars = 32766;

// Bytes that WriteString writes for the text: 2 + 2 per character kept.
uint16_t StoredTextSize(const char16_t *text);

// The file of the running system.  The open and the system primitives live
// in binary_file_win.cpp and binary_file_posix.cpp.
class cBinaryFile : public cBinaryFileBase {
public:
    cBinaryFile(const char16_t *name, uint32_t mode);
    // Releases a handle the owner forgot to close, without cutting the file;
    // a new file that was never closed does not replace the old one.
    ~cBinaryFile() override;

    tStatus Close() override;
    tStatus Write(const void *bytes, uint32_t count) override;
    tStatus Read(void *buffer, uint32_t count) override;
    tStatus Seek(uint32_t position) override;

private:
    bool HasHandle() const { return handle != kNoHandle; }
    void Failed();  // reports the system error and sets the sticky bit

    // Opens the named file, or for a file written anew the new file beside it.
    bool Open();

    // System primitives; each answers false on failure, leaving the error
    // for ReportSystemError.
    bool SysOpen(const std::u16string &path);
    bool SysWrite(const void *bytes, uint32_t count, uint32_t &written);
    bool SysRead(void *buffer, uint32_t count, uint32_t &got);
    bool SysSeek(uint32_t position);
    bool SysCut();
    // Puts the written bytes on the disk before the new file replaces the old.
    bool SysFlush();
    bool SysClose();
    // Close of a file written anew: flush, close, then the move into place.
    void CloseReplacement();
    void ReportSystemError();

    static constexpr intptr_t kNoHandle = -1;
    intptr_t handle = kNoHandle;
    int32_t systemError = 0;
    // Set while a file opened only for writing is written anew.
    std::unique_ptr<cFileReplacement> replacement;
};
