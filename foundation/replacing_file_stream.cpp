#include "foundation/replacing_file_stream.h"

#include "foundation/binary_file.h"

namespace {
// Bytes gathered before each write: the file itself buffers nothing.
constexpr size_t kBufferSize = 65536;
}  // namespace

cReplacingFileStream::cBuffer::cBuffer(cBinaryFile *target) : file(target), bytes(kBufferSize) {
    setp(bytes.data(), bytes.data() + bytes.size());
}

bool cReplacingFileStream::cBuffer::Drain() {
    auto n = uint32_t(pptr() - pbase());
    setp(bytes.data(), bytes.data() + bytes.size());
    if (!file || !file->IsOpen()) return false;
    return (n == 0 || file->Write(bytes.data(), n) >= 0) && !file->HasIoError();
}

cReplacingFileStream::cBuffer::int_type cReplacingFileStream::cBuffer::overflow(int_type c) {
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int cReplacingFileStream::cBuffer::sync() { return Drain() ? 0 : -1; }

cReplacingFileStream::cReplacingFileStream(const char16_t *path)
    : std::ostream(nullptr), file(new cBinaryFile(path, cBinaryFileBase::kWrite)), buffer(file.get()) {
    rdbuf(&buffer);
    if (!file->IsOpen()) setstate(std::ios::failbit);
}

cReplacingFileStream::~cReplacingFileStream() = default;

bool cReplacingFileStream::is_open() const { return file && file->IsOpen(); }

tStatus cReplacingFileStream::Close() {
    if (!is_open()) {
        setstate(std::ios::failbit);
        return RC_FAIL;
    }
    bool ok = buffer.Drain();
    // Closed also after a failed write: that removes the new file.
    if (file->Close() < 0) ok = false;
    buffer.Detach();
    file.reset();
    if (!ok) setstate(std::ios::failbit);
    return ok ? RC_OK : RC_FAIL;
}
