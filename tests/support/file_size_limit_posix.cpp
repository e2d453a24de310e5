#include "tests/support/file_size_limit_posix.h"

#include <gtest/gtest.h>

namespace test {

cFileSizeLimit::cFileSizeLimit(uint64_t bytes) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    EXPECT_EQ(sigaction(SIGXFSZ, &ignore, &savedAction), 0);
    EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit limit = saved;
    limit.rlim_cur = rlim_t(bytes);
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
}

cFileSizeLimit::~cFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &savedAction, nullptr);
}

}  // namespace test
