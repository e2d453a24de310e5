// Helpers shared by the unit tests of both builds.
#pragma once

#include <string>

class cOpSysVirtual;

namespace test {

// The operating-system object the test main built.
cOpSysVirtual &OpSys();

// A fresh, empty folder for one test, as a program path ending in a backslash.
std::u16string MakeTempFolder(const char *name);

// Bytes of a file ("" when missing) and whether it exists.
std::string ReadFileBytes(const std::u16string &path);
bool FileExists(const std::u16string &path);
void WriteFileBytes(const std::u16string &path, const std::string &bytes);

// UTF-16 literal helpers for readable assertions.
std::string Narrow(const std::u16string &s);

}  // namespace test
