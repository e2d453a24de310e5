// A binary file over bytes in memory, so that readers can be fed damaged
// files quickly (unit tests and the fuzz target).
#pragma once

#include <algorithm>
#include <cstring>
#include <string>

#include "foundation/binary_file.h"

namespace test {

class cMemoryFile : public cBinaryFileBase {
public:
    explicit cMemoryFile(std::string content = {}, uint32_t modeWord = kRead)
        : cBinaryFileBase(u"memory", modeWord | kOpened), bytes(std::move(content)) {
        size = uint32_t(bytes.size());
    }

    tStatus Close() override { return RC_OK; }
    tStatus Write(const void *data, uint32_t n) override {
        if (bytes.size() < size_t(position) + n) bytes.resize(size_t(position) + n);
        std::memcpy(&bytes[position], data, n);
        AfterWrite(n);
        return tStatus(n);
    }
    tStatus Read(void *buffer, uint32_t n) override {
        uint32_t got = position < size ? std::min(n, size - position) : 0;
        if (got) std::memcpy(buffer, bytes.data() + position, got);
        AfterRead(n, got);
        return tStatus(n);
    }

    const std::string &Bytes() const { return bytes; }

private:
    std::string bytes;
};

}  // namespace test
