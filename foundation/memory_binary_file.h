// A binary file in memory.  A reader that walks a whole file field by field
// (a score file reads many of its fields a byte at a time) takes the file's
// bytes in one read and parses them here, and a writer that writes field by
// field collects its bytes here and hands them to the file in one write,
// without a system call per field.  It reads like the file it came from:
// same name, size and end bit.
#pragma once

#include <memory>
#include <string>

#include "foundation/binary_file.h"

class cMemoryBinaryFile : public cBinaryFileBase {
public:
    // Opened for reading the content, or with kWrite for writing anew.
    cMemoryBinaryFile(const char16_t *name, std::string content, uint32_t modeWord = kRead);

    // The whole content of a file open for reading, from its start; null
    // when the file is not open, a read fails or memory runs out.
    static std::unique_ptr<cMemoryBinaryFile> ReadWhole(cBinaryFileBase &file);

    tStatus Close() override { return RC_OK; }
    // Writes at the position of a file opened for writing; RC_FAIL with the
    // error bit set on one opened for reading, or when memory runs out.
    tStatus Write(const void *bytes, uint32_t count) override;
    tStatus Read(void *buffer, uint32_t count) override;

    const std::string &Bytes() const { return bytes; }

private:
    std::string bytes;
};
