// A binary file over bytes in memory, so that readers can be fed damaged
// files quickly (unit tests and the fuzz targets): the program's own memory
// file under a fixed name.
#pragma once

#include <string>

#include "foundation/memory_binary_file.h"

namespace test {

class cMemoryFile : public cMemoryBinaryFile {
public:
    explicit cMemoryFile(std::string content = {}, uint32_t modeWord = kRead)
        : cMemoryBinaryFile(u"memory", std::move(content), modeWord) {}
};

}  // namespace test
