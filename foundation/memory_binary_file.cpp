#include "foundation/memory_binary_file.h"

#include <algorithm>
#include <cstring>
#include <new>

cMemoryBinaryFile::cMemoryBinaryFile(const char16_t *name, std::string content, uint32_t modeWord)
    : cBinaryFileBase(name, (modeWord & (kRead | kWrite)) | kOpened), bytes(std::move(content)) {
    size = uint32_t(bytes.size());
}

std::unique_ptr<cMemoryBinaryFile> cMemoryBinaryFile::ReadWhole(cBinaryFileBase &file) {
    if (!file.IsOpen()) return nullptr;
    std::string content;
    try {
        content.resize(file.GetSize());
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
    file.Seek(0);
    if (!content.empty() && (file.Read(content.data(), uint32_t(content.size())) < 0 || file.HasIoError() ||
                             file.GetPosition() != content.size()))
        return nullptr;
    return std::make_unique<cMemoryBinaryFile>(file.GetName().c_str(), std::move(content));
}

tStatus cMemoryBinaryFile::Write(const void *data, uint32_t count) {
    if (!(mode & kWrite) || (mode & kIoError)) {
        mode |= kIoError;
        return RC_FAIL;
    }
    try {
        if (bytes.size() < size_t(position) + count) bytes.resize(size_t(position) + count);
    } catch (const std::bad_alloc &) {
        mode |= kIoError;
        return RC_FAIL;
    }
    if (count) std::memcpy(&bytes[position], data, count);
    AfterWrite(count);
    return tStatus(count);
}

tStatus cMemoryBinaryFile::Read(void *buffer, uint32_t count) {
    const uint32_t got = position < size ? std::min(count, size - position) : 0;
    if (got) std::memcpy(buffer, bytes.data() + position, got);
    AfterRead(count, got);
    return tStatus(count);
}
