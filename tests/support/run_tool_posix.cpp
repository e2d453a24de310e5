#include "tests/support/run_tool_posix.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace test {

// Runs a program with its output going to a file.  posix_spawn rather than
// popen or system: forking a process with the sanitizers' large shadow
// memory costs far more than the tools themselves.
int RunTool(const std::vector<std::string> &args, const std::string &outPath, const char *dir) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> argv = args;
    if (dir) argv = {"/bin/sh", "-c", "cd \"$0\" && exec \"$@\"", dir};
    if (dir) argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char *> ptrs;
    for (std::string &a : argv) ptrs.push_back(a.data());
    ptrs.push_back(nullptr);
    pid_t pid = 0;
    int status = -1;
    if (posix_spawnp(&pid, ptrs[0], &actions, nullptr, ptrs.data(), environ) == 0) waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool HasTool(const char *name) {
    return RunTool({"/bin/sh", "-c", std::string("command -v ") + name}, "/dev/null") == 0;
}

}  // namespace test
