// Times a whole arxhost session that loads Kestra2000.arx and ends at its first prompt (the
// input is empty): process start, registry, module load with its start-up work, the first
// drawing, the banner and command list, and the teardown at exit.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

int runHost(const std::vector<std::string>& arguments)
{
    std::vector<std::string> argv{std::string(KESTRA_BIN_DIR) + "/arxhost"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> args;
    for (auto& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid;
    int status = -1;
    if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) == 0) waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return status;
}

void startupWithKestra(benchmark::State& state)
{
    fs::path registry = fs::temp_directory_path() / ("kestra-bench-" + std::to_string(getpid()));
    fs::create_directories(registry);
    std::vector<std::string> args{"--registry", registry.string(), "--load",
                                  std::string(KESTRA_BIN_DIR) + "/Kestra2000.arx"};
    runHost(args);  // the first run writes the registry; the rest read it
    for (auto _ : state)
        if (runHost(args) != 0) state.SkipWithError("arxhost failed");
    fs::remove_all(registry);
}

void startupBare(benchmark::State& state)
{
    fs::path registry = fs::temp_directory_path() / ("kestra-bench-bare-" + std::to_string(getpid()));
    fs::create_directories(registry);
    std::vector<std::string> args{"--registry", registry.string()};
    runHost(args);
    for (auto _ : state)
        if (runHost(args) != 0) state.SkipWithError("arxhost failed");
    fs::remove_all(registry);
}

}  // namespace

BENCHMARK(startupBare)->Unit(benchmark::kMillisecond);
BENCHMARK(startupWithKestra)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
