#include "spawn.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <thread>

extern char** environ;

namespace win32 {
namespace {

// Waits for one child on a thread of its own: nothing in the process has to poll, and the
// process's handling of SIGCHLD is left alone.
void reapInBackground(pid_t child)
{
    std::thread([child] {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    }).detach();
}

}  // namespace

int startProgram(const std::vector<std::string>& argv, const std::string& folder)
{
    if (argv.empty() || argv.front().empty()) return ENOENT;
    std::vector<char*> arguments;
    for (const std::string& argument : argv) arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t child = 0;
    const int error = posix_spawnp(&child, arguments.front(), &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) return error;
    reapInBackground(child);
    return 0;
}

bool isExecutableFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::string findExecutable(const std::string& word)
{
    if (word.find('/') != std::string::npos) return isExecutableFile(word) ? word : std::string();
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        const size_t colon = folders.find(':');
        const std::string_view folder = folders.substr(0, colon);
        // An empty entry of PATH stands for the current folder.
        const std::string candidate = (folder.empty() ? std::string(".") : std::string(folder)) + "/" + word;
        if (isExecutableFile(candidate)) return candidate;
        if (colon == std::string_view::npos) return {};
        folders.remove_prefix(colon + 1);
    }
}

}  // namespace win32
