// Runs a Linux tool from a native test (midicsv, abc2midi): its standard
// output goes to a file, its errors nowhere.
#pragma once

#include <string>
#include <vector>

namespace test {

// The exit code, or -1 when the tool could not run or did not exit.  With
// a folder, the tool runs in it.
int RunTool(const std::vector<std::string> &args, const std::string &outPath, const char *dir = nullptr);
bool HasTool(const char *name);

}  // namespace test
