// What the fuzz targets share: a reporter that counts errors instead of
// writing them (the readers report plenty), and for the targets that reach
// files, text conversion or menus, the system object as the program makes
// it, quiet, with a private folder for the files of each input.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "foundation/error_msg.h"
#include "foundation/file_io.h"
#include "foundation/text_util.h"
#include "platform/op_sys.h"
#include "ui/window_layer.h"

namespace fuzz {

class cQuietErrors : public cErrorMsgBase {
public:
    void PutChar(char16_t) override {}
};

// The reporter, made before anything can report.
inline cQuietErrors &QuietErrors() {
    static cQuietErrors errors;
    return errors;
}

// A folder of this run, removed at exit; a program path ending in a backslash.
// In memory where the system has such a folder: every save flushes its file
// to the disk, which would slow a target down a hundredfold.
inline const std::u16string &Folder() {
    static const std::u16string folder = [] {
        std::error_code ec;
        std::string pattern = std::filesystem::is_directory("/dev/shm", ec) ? "/dev/shm/pelmora-fuzz-XXXXXX"
                                                                             : "/tmp/pelmora-fuzz-XXXXXX";
        const char *made = ::mkdtemp(pattern.data());
        static std::string native = made ? made : "/tmp";
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(native, ec);
        });
        std::u16string path = FromUtf8(native) + u"\\";
        for (char16_t &c : path)
            if (c == u'/') c = u'\\';
        return path;
    }();
    return folder;
}

// The system object: no message box is shown and no error is written
// anywhere, its data folder is the run's folder.
inline cOpSysVirtual &System() {
    static cOpSysVirtual *sys = [] {
        QuietErrors();
        InstallWindowLayer();
        auto *made = new cOpSysVirtual(nullptr, nullptr, u"");
        made->SetScriptedBoxAnswer(1);
        made->SetErrorMode(0);
        made->SetDataFolderForTest(Folder());
        return made;
    }();
    return *sys;
}

// Writes the bytes into a file of the run's folder; answers its path.
inline std::u16string WriteInput(const char16_t *name, const std::string &bytes) {
    std::u16string path = Folder() + name;
    if (FILE *f = OpenFileWide(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

}  // namespace fuzz
