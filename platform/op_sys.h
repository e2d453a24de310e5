// The platform class of the operating-system object.  The Windows build
// implements it with Win32 calls (op_sys_win.cpp); the native build with
// POSIX calls (op_sys_posix.cpp), where the 8-bit code page is Windows-1252
// and the data folder, clock and user name can be set by tests.
#pragma once

#include "platform/fault_guard.h"
#include "platform/op_sys_base.h"
#include "platform/os_handles.h"

// The handler of the exception frame around the message loop: reports the
// first fault (cOpSysBase::ReportException) and ends the loop with exit
// code 0.  Window procedures call it when their guarded call faulted.
int32_t MessageLoopHandler(const sFaultInfo &info);

// What the constructor learns of the system's version (GetVersionExW).
struct sOsVersion {
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
    uint32_t platformId = 0;
    std::u16string servicePack;
};

class cOpSysVirtual : public cOpSysBase {
public:
    cOpSysVirtual(tInstanceHandle instance, tInstanceHandle previous, const char16_t *commandLine);
    ~cOpSysVirtual() override;

    tStatus CopyFile(const char16_t *destination, const char16_t *source, uint32_t flags) override;
    tStatus DeleteFile(const char16_t *path) override;
    tStatus FileExists(const char16_t *pathOrPattern) override;
    tStatus IsFolder(const char16_t *path) override;
    tStatus CreateFolder(const std::u16string &path) override;
    uint32_t GetFileAttributes(const char16_t *path) override;
    int64_t GetFileTime(const char16_t *path) override;
    cBinaryFileBase *NewBinaryFile(const char16_t *path, uint32_t mode) override;
    cMidiTrack *NewMidiTrack(uint16_t ticksPerQuarter, uint32_t bufferSize) override;
    cMetronome *NewMetronome(const uint16_t *tempo, cMidiTrack *track) override;
    const char16_t *GetDataFolder() override;
    const char16_t *SetWorkingFolder(const char16_t *path) override;
    const char16_t *GetStoredPathName(const char16_t *path) override;

    uint32_t GetLastErrorCode() override;
    const char16_t *GetErrorText(uint32_t code) override;

    uint32_t GetPlatformId() override;
    uint32_t GetOsMajorVersion() override;
    tStatus IsNonEnglishUser() override;
    bool IsShiftDown() override;
    bool IsCtrlDown() override;
    const char16_t *GetOsVersionText() override;
    const char16_t *GetSystemInfo() override;
    const char16_t *LoadString(uint32_t id) override;
    // Loads an accelerator table of the program's resources; it replaces
    // the one the message loop translates with.
    tAccelHandle LoadAccelerators(const char16_t *name);

    // The message loop: runs until the quit message (its wParam is the
    // exit code) or until a message handler faults (exit code 0).
    int32_t RunMessageLoop(cViewPortTop *mainWindow) override;
    tStatus Wait(uint32_t milliseconds) override;
    tStatus Shutdown() override;
    tStatus CloseMainWindow() override;

    tStatus ShellOpen(const char16_t *file, const char16_t *parameters) override;
    // A name part "*" (a pattern such as "*.PmrLang", or null for "*.*")
    // asks for the file first, in the data folder.
    tStatus LoadLanguageFile(const char16_t *pathOrPattern) override;
    tStatus WriteLanguageFile(const char16_t *pathOrPattern) override;
    void Beep() override;

    const char *ToAnsi(const char16_t *text, uint32_t n) override;
    const char16_t *ToWide(const char *bytes, uint32_t n) override;

    tInstanceHandle GetInstance() const { return instance; }

    // Test settings.  A data folder set here is used as it is (created when
    // missing); the users root stands in for "c:\\Users\\".
    void SetDataFolderForTest(const std::u16string &folder) { dataFolder = folder; }
    void SetUsersRootForTest(const std::u16string &root) { usersRoot = root; }
    void SetOsVersionForTest(const sOsVersion &version) { osVersion = version; }
    const sOsVersion &GetOsVersion() const { return osVersion; }
    void SetProgramPathForTest(const std::u16string &path) { programPath = path; }
    void SetUserNameForTest(const std::u16string &name) { userName = name; }
    void SetLanguageIdForTest(uint32_t id) { userLanguageId = id; }
    // What ShellOpen was asked last (the native build opens nothing).
    const std::u16string &LastShellOpen() const { return lastShellOpen; }
    // Windows build: with a capture file, ShellOpen starts nothing and
    // appends the file and the parameters, with "|" between them and a line
    // feed after, to that file in UTF-8 (tests of the report page and the
    // restart after a crash).
    void SetShellCaptureForTest(const std::u16string &path) { shellCapture = path; }

protected:
    int32_t ShowMessageBox(const char16_t *text, const char16_t *caption, uint32_t type) override;
    tStatus RemoveFontFile(const char16_t *path) override;

private:
    tInstanceHandle instance = nullptr;
    tInstanceHandle previousInstance = nullptr;
    std::u16string dataFolder;
    std::u16string usersRoot = u"c:\\Users\\";
    sOsVersion osVersion;
    tAccelHandle accelerators = nullptr;
    uint32_t userLanguageId = 0x409;
    std::u16string lastShellOpen;
    std::u16string shellCapture;
    int lastError = 0;
};
