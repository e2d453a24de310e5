// The platform class of the operating-system object.  The Windows build
// implements it with Win32 calls (op_sys_win.cpp); the native build with
// POSIX calls (op_sys_posix.cpp), where the 8-bit code page is Windows-1252
// and the data folder, clock and user name can be set by tests.
#pragma once

#include "platform/op_sys_base.h"
#include "platform/win_types.h"

class cOpSysVirtual : public cOpSysBase {
public:
    cOpSysVirtual(HINSTANCE instance, HINSTANCE previous, const char16_t *commandLine);
    ~cOpSysVirtual() override;

    tStatus CopyFile(const char16_t *destination, const char16_t *source, uint32_t flags) override;
    tStatus DeleteFile(const char16_t *path) override;
    tStatus FileExists(const char16_t *pathOrPattern) override;
    tStatus IsFolder(const char16_t *path) override;
    tStatus CreateFolder(const std::u16string &path) override;
    uint32_t GetFileAttributes(const char16_t *path) override;
    int64_t GetFileTime(const char16_t *path) override;
    cBinaryFileBase *NewBinaryFile(const char16_t *path, uint32_t mode) override;
    const char16_t *GetDataFolder() override;

    uint32_t GetLastErrorCode() override;
    const char16_t *GetErrorText(uint32_t code) override;

    uint32_t GetPlatformId() override;
    uint32_t GetOsMajorVersion() override;
    tStatus IsNonEnglishUser() override;
    bool IsShiftDown() override;
    bool IsCtrlDown() override;

    tStatus ShellOpen(const char16_t *file, const char16_t *parameters) override;
    void Beep() override;

    const char *ToAnsi(const char16_t *text, uint32_t n) override;
    const char16_t *ToWide(const char *bytes, uint32_t n) override;

    HINSTANCE GetInstance() const { return instance; }

    // Test settings of the native build.
    void SetDataFolderForTest(const std::u16string &folder) { dataFolder = folder; }
    void SetUserNameForTest(const std::u16string &name) { userName = name; }
    void SetLanguageIdForTest(uint32_t id) { userLanguageId = id; }
    // What ShellOpen was asked last (the native build opens nothing).
    const std::u16string &LastShellOpen() const { return lastShellOpen; }

protected:
    int32_t ShowMessageBox(const char16_t *text, const char16_t *caption, uint32_t type) override;

private:
    HINSTANCE instance = nullptr;
    HINSTANCE previousInstance = nullptr;
    std::u16string dataFolder;
    uint32_t userLanguageId = 0x409;
    std::u16string lastShellOpen;
    int lastError = 0;
};
