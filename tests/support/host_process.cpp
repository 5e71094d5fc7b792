#include "host_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace kestra::test {

namespace fs = std::filesystem;

fs::path binDir()
{
    const char* dir = std::getenv("KESTRA_BIN_DIR");
    if (dir == nullptr) throw std::runtime_error("KESTRA_BIN_DIR is not set");
    return dir;
}

fs::path sourceDir()
{
    const char* dir = std::getenv("KESTRA_SOURCE_DIR");
    if (dir == nullptr) throw std::runtime_error("KESTRA_SOURCE_DIR is not set");
    return dir;
}

TempDir::TempDir()
{
    std::random_device random;
    for (;;) {
        path_ = fs::temp_directory_path() / ("kestra-test-" + std::to_string(random()));
        if (fs::create_directory(path_)) break;
    }
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

HostRun runProgram(const fs::path& program, const std::vector<std::string>& arguments, const std::string& input,
                   const std::vector<std::string>& environment)
{
    TempDir io;
    fs::path in = io.path() / "stdin", out = io.path() / "stdout", err = io.path() / "stderr";
    writeFile(in, input);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> argv{program.string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> args;
    for (auto& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    env.insert(env.end(), environment.begin(), environment.end());
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid;
    HostRun run;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, args.data(), envp.data()) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        run.errors = "cannot start " + program.string();
        return run;
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.output = readFile(out);
    run.errors = readFile(err);
    return run;
}

HostRun runHost(const std::vector<std::string>& arguments, const std::string& input)
{
    return runProgram(binDir() / "arxhost", arguments, input);
}

}  // namespace kestra::test
