// A disk that fills, for native tests.  The tests run as root, for whom
// read-only folders and files are writable all the same; a limit on the size
// of the files this process writes is not.  While a cFileSizeLimit lives, no
// file of the process grows past the limit, and the signal that would end
// the process at the limit is ignored, so a write there fails with EFBIG
// just as one fails with ENOSPC on a full disk.  The destructor puts both
// back: each test program is one process, and its tests run one after the
// other, so the limit touches no other test.
#pragma once

#include <csignal>
#include <cstdint>
#include <sys/resource.h>

namespace test {

class cFileSizeLimit {
public:
    explicit cFileSizeLimit(uint64_t bytes);
    ~cFileSizeLimit();
    cFileSizeLimit(const cFileSizeLimit &) = delete;
    cFileSizeLimit &operator=(const cFileSizeLimit &) = delete;

private:
    struct rlimit saved {};
    struct sigaction savedAction {};
};

}  // namespace test
