#include "platform/op_sys.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <glob.h>
#include <sys/stat.h>
#include <unistd.h>

#include "foundation/binary_file.h"
#include "foundation/char_string.h"
#include "foundation/file_io.h"
#include "foundation/path_names.h"
#include "foundation/text_util.h"

cOpSysVirtual::cOpSysVirtual(tInstanceHandle inst, tInstanceHandle prev, const char16_t *cmd)
    : cOpSysBase(cmd), instance(inst), previousInstance(prev) {
    gOpSys = this;
    if (!commandLine.empty()) {
        workingFolder = GetDirectory(StripQuotes(commandLine.c_str()));
    } else {
        char buf[4096];
        if (getcwd(buf, sizeof buf)) {
            std::u16string cwd = FromUtf8(buf);
            for (char16_t &c : cwd)
                if (c == u'/') c = u'\\';
            if (!cwd.empty() && cwd.back() != u'\\') cwd += u'\\';
            workingFolder = cwd;
        }
    }
    char exe[4096];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n > 0) {
        exe[n] = 0;
        programPath = FromUtf8(exe);
        for (char16_t &c : programPath)
            if (c == u'/') c = u'\\';
    }
    osVersion.major = 6;
    osVersion.minor = 1;
    osVersion.build = 7601;
    osVersion.platformId = 2;
    const char *user = std::getenv("USER");
    userName = FromUtf8(user ? user : "user");
    const char *tmp = std::getenv("TMPDIR");
    dataFolder = FromUtf8(tmp && *tmp ? tmp : "/tmp") + u"\\pelmora-" + userName + u"\\";
    MakeHelpViewer();
}

cOpSysVirtual::~cOpSysVirtual() = default;

const char16_t *cOpSysVirtual::GetDataFolder() {
    if (dataFolder.empty()) return FindDataFolder(usersRoot);
    std::string native = PlatformPath(dataFolder.c_str());
    ::mkdir(native.c_str(), 0777);
    return TempStringOf(dataFolder);
}

const char16_t *cOpSysVirtual::SetWorkingFolder(const char16_t *path) { return cOpSysBase::SetWorkingFolder(path); }

// Folder names here are case-sensitive: the text is already spelled as stored.
const char16_t *cOpSysVirtual::GetStoredPathName(const char16_t *path) { return TempStringOf(StripQuotes(path)); }

// No window here has a resolution: the first line is the version alone.
const char16_t *cOpSysVirtual::GetSystemInfo() { return ComposeSystemInfo(GetOsVersionText(), userLanguageId); }

const char16_t *cOpSysVirtual::LoadString(uint32_t id) { return cOpSysBase::LoadString(id); }
tAccelHandle cOpSysVirtual::LoadAccelerators(const char16_t *) { return nullptr; }
int32_t cOpSysVirtual::RunMessageLoop(cViewPortTop *window) { return cOpSysBase::RunMessageLoop(window); }
tStatus cOpSysVirtual::CloseMainWindow() { return RC_OK; }

tStatus cOpSysVirtual::Wait(uint32_t milliseconds) {
    if (milliseconds) ::usleep(useconds_t(milliseconds) * 1000);
    return RC_OK;
}

tStatus cOpSysVirtual::Shutdown() {
    DeleteHelpViewer();
    SaveSettingsAndEndSession();
    return RC_OK;
}

tStatus cOpSysVirtual::RemoveFontFile(const char16_t *path) { return path && *path ? RC_OK : RC_FAIL; }

tStatus cOpSysVirtual::CopyFile(const char16_t *destination, const char16_t *source, uint32_t flags) {
    std::string from = PlatformPath(source), to = PlatformPath(destination);
    int in = source && *source ? ::open(from.c_str(), O_RDONLY) : -1;
    int out = -1;
    bool ok = false;
    if (in >= 0) {
        int mode = O_WRONLY | O_CREAT | ((flags & 1) ? O_TRUNC : O_EXCL);
        out = destination && *destination ? ::open(to.c_str(), mode, 0666) : -1;
    }
    if (in >= 0 && out >= 0) {
        char buf[65536];
        ssize_t n;
        ok = true;
        while ((n = ::read(in, buf, sizeof buf)) > 0)
            if (::write(out, buf, size_t(n)) != n) { ok = false; break; }
        if (n < 0) ok = false;
    }
    lastError = errno;
    if (in >= 0) ::close(in);
    if (out >= 0 && ::close(out) != 0) ok = false;
    if (ok) return RC_OK;
    if (!lastError) lastError = EIO;
    ShowLastError(nullptr);
    return RC_FAIL;
}

tStatus cOpSysVirtual::DeleteFile(const char16_t *path) {
    if (path && *path && ::unlink(PlatformPath(path).c_str()) == 0) return RC_OK;
    lastError = path && *path ? errno : ENOENT;
    ShowLastError(nullptr);
    return RC_FAIL;
}

tStatus cOpSysVirtual::FileExists(const char16_t *pattern) {
    if (!pattern || !*pattern) return RC_FAIL;
    glob_t g;
    int r = ::glob(PlatformPath(pattern).c_str(), GLOB_NOSORT, nullptr, &g);
    bool found = r == 0 && g.gl_pathc > 0;
    if (r == 0) ::globfree(&g);
    return found ? RC_OK : RC_FAIL;
}

tStatus cOpSysVirtual::IsFolder(const char16_t *path) {
    struct stat st;
    if (path && ::stat(PlatformPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return RC_OK;
    return RC_FAIL;
}

tStatus cOpSysVirtual::CreateFolder(const std::u16string &path) {
    return ::mkdir(PlatformPath(path.c_str()).c_str(), 0777) == 0 ? RC_OK : RC_FAIL;
}

uint32_t cOpSysVirtual::GetFileAttributes(const char16_t *path) {
    struct stat st;
    if (!path || ::stat(PlatformPath(path).c_str(), &st) != 0) return 0xFFFFFFFFu;
    uint32_t attributes = S_ISDIR(st.st_mode) ? 0x10 : 0x20;  // directory / archive, as Windows reports them
    if (!(st.st_mode & S_IWUSR)) attributes |= 0x01;            // read-only
    return attributes;
}

int64_t cOpSysVirtual::GetFileTime(const char16_t *path) {
    struct stat st;
    if (!path || ::stat(PlatformPath(path).c_str(), &st) != 0) return 0;
    return int64_t(st.st_mtime);
}

cBinaryFileBase *cOpSysVirtual::NewBinaryFile(const char16_t *path, uint32_t mode) {
    return new cBinaryFile(path, mode);
}

uint32_t cOpSysVirtual::GetLastErrorCode() { return uint32_t(lastError); }

const char16_t *cOpSysVirtual::GetErrorText(uint32_t code) {
    if (code == 0) return cOpSysBase::GetErrorText(code);
    return TempStringOf(FromUtf8(std::strerror(int(code))));
}

uint32_t cOpSysVirtual::GetPlatformId() { return 2; }
// The native build behaves like the Windows versions the program targets.
uint32_t cOpSysVirtual::GetOsMajorVersion() { return osVersion.major; }
tStatus cOpSysVirtual::IsNonEnglishUser() { return (userLanguageId & 0x3FF) == 9 ? 0 : -1; }
bool cOpSysVirtual::IsShiftDown() { return (testModifiers & kTestShift) != 0; }
bool cOpSysVirtual::IsCtrlDown() { return (testModifiers & kTestCtrl) != 0; }

tStatus cOpSysVirtual::ShellOpen(const char16_t *file, const char16_t *parameters) {
    if (!mainWindow) return RC_FAIL;
    lastShellOpen = file ? file : u"";
    if (parameters && *parameters) lastShellOpen += u" " + std::u16string(parameters);
    return RC_OK;
}

void cOpSysVirtual::Beep() {}

int32_t cOpSysVirtual::ShowMessageBox(const char16_t *, const char16_t *, uint32_t) {
    return 2;  // no one to ask: every box is answered Cancel
}

const char *cOpSysVirtual::ToAnsi(const char16_t *text, uint32_t n) {
    std::string bytes;
    for (uint32_t i = 0; text && i < n; ++i) {
        int b = Cp1252FromUnicode(text[i]);
        bytes.push_back(char(b < 0 ? '?' : b));
    }
    return KeepAnsi(std::move(bytes));
}

const char16_t *cOpSysVirtual::ToWide(const char *bytes, uint32_t n) {
    std::u16string wide;
    for (uint32_t i = 0; bytes && i < n; ++i) wide.push_back(Cp1252ToUnicode(uint8_t(bytes[i])));
    return TempStringOf(wide);
}

// No menus here.
