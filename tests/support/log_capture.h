// Points the session log of the operating-system object at a fresh file for
// the life of one test, then gives it back its old file.
#pragma once

#include <string>

#include "platform/op_sys_base.h"
#include "tests/test_support.h"

namespace test {

class LogCapture {
public:
    explicit LogCapture(const char *name)
        : path(MakeTempFolder(name) + u"log.txt"), saved(gOpSys->Log().GetFileName()) {
        gOpSys->Log().SetFileName(path.c_str());
    }
    ~LogCapture() { gOpSys->Log().SetFileName(saved.c_str()); }
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    std::string Text() const { return ReadFileBytes(path); }
    const std::u16string &Path() const { return path; }

private:
    std::u16string path;
    std::u16string saved;
};

}  // namespace test
