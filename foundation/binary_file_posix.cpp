// System primitives of cBinaryFile on POSIX systems.
#include "foundation/binary_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "foundation/file_io.h"
#include "foundation/system_services.h"

bool cBinaryFile::SysOpen(const std::u16string &path) {
    int flags;
    if (mode & kRead)
        flags = (mode & kWrite) ? O_RDWR : O_RDONLY;  // reading wins: the file must exist
    else if (mode & kWrite)
        flags = O_WRONLY | O_CREAT | O_TRUNC;         // the new file beside the target
    else {
        systemError = EINVAL;
        return false;
    }
    int fd = path.empty() ? -1 : ::open(PlatformPath(path.c_str()).c_str(), flags | O_CLOEXEC, 0666);
    if (fd < 0) {
        systemError = path.empty() ? ENOENT : errno;
        return false;
    }
    struct stat st;
    size = (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) ? uint32_t(st.st_size) : 0;
    handle = fd;
    return true;
}

bool cBinaryFile::SysWrite(const void *bytes, uint32_t count, uint32_t &written) {
    const char *p = static_cast<const char *>(bytes);
    written = 0;
    while (written < count) {
        ssize_t n = ::write(int(handle), p + written, count - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            systemError = n < 0 ? errno : ENOSPC;
            return false;
        }
        written += uint32_t(n);
    }
    return true;
}

bool cBinaryFile::SysRead(void *buffer, uint32_t count, uint32_t &got) {
    char *p = static_cast<char *>(buffer);
    got = 0;
    while (got < count) {
        ssize_t n = ::read(int(handle), p + got, count - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            systemError = errno;
            return false;
        }
        if (n == 0) break;  // end of file
        got += uint32_t(n);
    }
    return true;
}

bool cBinaryFile::SysSeek(uint32_t newPosition) {
    if (::lseek(int(handle), off_t(newPosition), SEEK_SET) == off_t(-1)) {
        systemError = errno;
        return false;
    }
    return true;
}

bool cBinaryFile::SysCut() {
    if (::ftruncate(int(handle), off_t(position)) != 0) {
        systemError = errno;
        return false;
    }
    return true;
}

bool cBinaryFile::SysFlush() {
    // A file system without a cache of its own has nothing to flush.
    if (::fsync(int(handle)) != 0 && errno != EINVAL) {
        systemError = errno;
        return false;
    }
    return true;
}

bool cBinaryFile::SysClose() {
    int fd = int(handle);
    handle = kNoHandle;
    if (::close(fd) != 0) {
        systemError = errno;
        return false;
    }
    return true;
}

void cBinaryFile::ReportSystemError() {
    if (System()) System()->ShowError(uint32_t(systemError), nullptr);
}
