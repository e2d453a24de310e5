// The two ways foundation writes a whole file, as a table, for the tests
// that make saves fail: a binary file written in pieces, as the writers of
// settings and MIDI files do, and a replacing stream, as the text exports do.
// Each writes the bytes to the path and answers what its close answered.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "foundation/binary_file.h"
#include "foundation/replacing_file_stream.h"
#include "platform/op_sys_base.h"

namespace test {

struct sFileWriter {
    const char *what;
    std::function<tStatus(const std::u16string &path, const std::string &bytes)> write;
};

inline const sFileWriter kFileWriters[] = {
    {"binary file",
     [](const std::u16string &path, const std::string &bytes) {
         std::unique_ptr<cBinaryFileBase> f(gOpSys->NewBinaryFile(path.c_str(), cBinaryFileBase::kWrite));
         if (!f->IsOpen()) return RC_FAIL;
         // After a failed piece the later ones fail at once.
         for (size_t at = 0; at < bytes.size(); at += 1000)
             f->Write(bytes.data() + at, uint32_t(std::min<size_t>(1000, bytes.size() - at)));
         return f->Close();
     }},
    {"replacing stream",
     [](const std::u16string &path, const std::string &bytes) {
         cReplacingFileStream out(path.c_str());
         out << bytes;
         return out.Close();
     }},
};

}  // namespace test
