// System primitives of cFileReplacement on POSIX systems.
#include "foundation/file_replacement.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "foundation/file_io.h"

bool cFileReplacement::SysCheckTarget() {
    struct stat st;
    std::string native = PlatformPath(target.c_str());
    if (::stat(native.c_str(), &st) != 0) return true;  // a new file
    // A device or pipe is written where it is: a rename would put a plain
    // file in its place.
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) || S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode)) {
        inPlace = true;
        return true;
    }
    // A file the user may not write keeps its content, as when it was
    // written in place; the rename alone would not ask.
    if (S_ISREG(st.st_mode) && ::access(native.c_str(), W_OK) != 0) {
        systemError = errno;
        return false;
    }
    return true;
}

cFileReplacement::eCreated cFileReplacement::SysCreateNew(const std::u16string &candidate) {
    int fd = ::open(PlatformPath(candidate.c_str()).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        systemError = errno;
        return errno == EEXIST ? eCreated::kExists : eCreated::kFailed;
    }
    // The new file keeps the permissions of the one it replaces.
    struct stat st;
    if (::stat(PlatformPath(target.c_str()).c_str(), &st) == 0) (void)::fchmod(fd, st.st_mode & 07777);
    ::close(fd);
    return eCreated::kCreated;
}

bool cFileReplacement::SysMoveOverTarget() {
    if (::rename(PlatformPath(path.c_str()).c_str(), PlatformPath(target.c_str()).c_str()) != 0) {
        systemError = errno;
        return false;
    }
    return true;
}

void cFileReplacement::SysRemove() { ::unlink(PlatformPath(path.c_str()).c_str()); }
