// An output stream into a file that appears only whole: the bytes go through
// a cBinaryFile opened for writing, so at Close the new file takes the place
// of the previous one, and only when every byte reached the disk.  Writers
// that produce their file as a stream (text exports, the CSV note list) take
// it instead of a file stream, which would empty the old file at once.
#pragma once

#include <memory>
#include <ostream>
#include <streambuf>
#include <vector>

#include "foundation/base_defs.h"

class cBinaryFile;

class cReplacingFileStream : public std::ostream {
public:
    explicit cReplacingFileStream(const char16_t *path);
    // Without Close the previous file stays as it was.
    ~cReplacingFileStream() override;

    bool is_open() const;
    // Writes what is buffered and puts the file in place.  RC_FAIL, with
    // the stream's failure state set, when the file could not be opened or
    // anything after failed; the failure is reported by the file.
    tStatus Close();

private:
    class cBuffer : public std::streambuf {
    public:
        explicit cBuffer(cBinaryFile *file);
        // Hands the buffered bytes to the file; false once a write failed.
        bool Drain();
        void Detach() { file = nullptr; }

    protected:
        int_type overflow(int_type c) override;
        int sync() override;

    private:
        cBinaryFile *file;
        std::vector<char> bytes;
    };

    std::unique_ptr<cBinaryFile> file;
    cBuffer buffer;
};
