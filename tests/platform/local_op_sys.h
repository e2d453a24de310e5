// A second operating-system object for one test, with its own command line,
// data folder, log and error reporter, so that the test sees a run from its
// first report on.  The test program's object, reporter, callback and
// out-of-memory handler come back afterwards.
#pragma once

#include <memory>
#include <new>
#include <string>

#include "platform/op_sys.h"
#include "tests/test_support.h"

namespace test {

class LocalOpSys {
public:
    LocalOpSys(const char *folderName, const char16_t *commandLine)
        : folder(MakeTempFolder(folderName)),
          savedOpSys(gOpSys),
          savedReporter(gErrorMsg),
          savedCallback(gErrorCallback),
          savedHandler(std::get_new_handler()) {
        gErrorMsg = nullptr;
        opSys = std::make_unique<cOpSysVirtual>(nullptr, nullptr, commandLine);
        opSys->SetDataFolderForTest(folder);
        opSys->Log().SetFileName((folder + u"log.txt").c_str());
        opSys->SetScriptedBoxAnswer(2);
        // Nothing is really opened by the shell: the Windows build writes
        // the requests to this file, the native build only records them.
        opSys->SetShellCaptureForTest(folder + u"shell.txt");
    }
    ~LocalOpSys() {
        opSys.reset();
        gOpSys = savedOpSys;
        gErrorMsg = savedReporter;
        gErrorCallback = savedCallback;
        std::set_new_handler(savedHandler);
    }
    LocalOpSys(const LocalOpSys &) = delete;
    LocalOpSys &operator=(const LocalOpSys &) = delete;

    cOpSysVirtual &operator*() { return *opSys; }
    cOpSysVirtual *operator->() { return opSys.get(); }

    std::string LogText() const { return ReadFileBytes(folder + u"log.txt"); }
    std::string ReportText() const { return ReadFileBytes(folder + u"ErrorReport.txt"); }
    // What the Windows build asked the shell to open, one request a line.
    std::string ShellRequests() const { return ReadFileBytes(folder + u"shell.txt"); }
    bool HasReport() const { return FileExists(folder + u"ErrorReport.txt"); }
    const std::u16string &Folder() const { return folder; }

private:
    std::u16string folder;
    cOpSysBase *savedOpSys;
    cErrorMsgBase *savedReporter;
    tErrorCallback savedCallback;
    std::new_handler savedHandler;
    std::unique_ptr<cOpSysVirtual> opSys;
};

// How often a text occurs in file bytes.
inline int Occurrences(const std::string &bytes, const std::string &text) {
    int n = 0;
    for (size_t at = bytes.find(text); at != std::string::npos; at = bytes.find(text, at + 1)) ++n;
    return n;
}

}  // namespace test
