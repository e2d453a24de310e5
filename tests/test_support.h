// Helpers shared by the unit tests of both builds.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class cOpSysVirtual;

namespace test {

// The operating-system object the test main built.
cOpSysVirtual &OpSys();

// A fresh, empty folder for one test, as a program path ending in a backslash.
std::u16string MakeTempFolder(const char *name);
// Deletes a folder (a program path ending in a backslash) with all it holds.
void RemoveTree(const std::u16string &folder);

// Bytes of a file ("" when missing) and whether it exists.
std::string ReadFileBytes(const std::u16string &path);
bool FileExists(const std::u16string &path);
void WriteFileBytes(const std::u16string &path, const std::string &bytes);
// The names of the files and folders in a folder, sorted: what a save left
// behind beside its file.
std::vector<std::u16string> FolderEntries(const std::u16string &folder);

// A file of the source tree ("resources/pelmora_5a.ttf") as a program path;
// under Wine the Unix root is drive Z:.
std::u16string SourcePath(const char *relative);

// Leaves a file that the program wrote under Wine (a MIDI export, say) for
// the independent reader that scripts/run-tests runs after the Windows
// tests (ExportedFiles in tests/midi/real_files_posix_test.cpp): copies it
// as `name` into the folder PELMORA_EXPORTS names.  Does nothing natively
// or without the setting.
void KeepForCheck(const std::u16string &path, const char *name);

// A program path as the standard library's file functions take it.
std::filesystem::path FsPath(const std::u16string &path);

// The lines of a text, each without its '\n' (nor a '\r' before it); a last
// line without a line end counts too.
std::vector<std::string> SplitLines(const std::string &text);

// UTF-16 literal helpers for readable assertions.
std::string Narrow(const std::u16string &s);

}  // namespace test
