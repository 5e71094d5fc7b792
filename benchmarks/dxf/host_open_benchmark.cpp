// The generated 100,000-entity drawing opened by a whole arxhost process (start, read into a
// database, quit and tear down), and the same file parsed by Debian's dxflib (its callbacks
// only, no database), side by side in one run. dxflib is a comparison only: nothing of the
// product links it. Each reports MB/s of the file; the arxhost benchmark also reports the
// process's peak resident memory (MiB). At the end the run prints arxhost's rate over dxflib's.
#include <benchmark/benchmark.h>

#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "generated_drawing.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using dxfbench::GeneratedDrawing;

double gHostSeconds = 0, gDxflibSeconds = 0;

// Runs arxhost on the drawing with a script that quits; the seconds it took and its peak
// resident memory in MiB, or a negative time when it failed.
double openInHost(const std::string& drawing, const std::string& registry, const std::string& script, double& peakMiB)
{
    std::vector<std::string> argv{
        std::string(KESTRA_BIN_DIR) + "/arxhost", "--registry", registry, "--script", script, drawing};
    std::vector<char*> args;
    for (auto& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    int status = -1;
    struct rusage usage {};
    if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) == 0) wait4(pid, &status, 0, &usage);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    posix_spawn_file_actions_destroy(&actions);
    peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return status == 0 ? seconds : -1;
}

void reportThroughput(benchmark::State& state, double megabytes)
{
    state.counters["MB/s"] = benchmark::Counter(megabytes, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MB"] = megabytes;
}

void arxhostOpensTheDrawing(benchmark::State& state)
{
    GeneratedDrawing& drawing = GeneratedDrawing::instance();
    if (!drawing.problem().empty()) return state.SkipWithError(drawing.problem().c_str());
    const fs::path folder = fs::path(drawing.path()).parent_path();
    const std::string registry = (folder / "registry").string(), script = (folder / "quit.scr").string();
    fs::create_directories(registry);
    std::ofstream(script) << "QUIT\n";
    double peak = 0, total = 0;
    openInHost(drawing.path(), registry, script, peak);  // the first run writes the registry
    for (auto _ : state) {
        const double seconds = openInHost(drawing.path(), registry, script, peak);
        if (seconds < 0) return state.SkipWithError("arxhost failed");
        state.SetIterationTime(seconds);
        total += seconds;
    }
    gHostSeconds = total / static_cast<double>(state.iterations());
    state.counters["peak MiB"] = peak;
    reportThroughput(state, drawing.megabytes());
    fs::remove_all(registry);
    fs::remove(script);
}

// Counts what dxflib hands over, so that its parse is not optimised away.
class Counter : public DL_CreationAdapter {
public:
    long entities = 0;
    void addLine(const DL_LineData&) override { ++entities; }
    void addCircle(const DL_CircleData&) override { ++entities; }
    void addArc(const DL_ArcData&) override { ++entities; }
    void addPolyline(const DL_PolylineData&) override { ++entities; }
    void addVertex(const DL_VertexData&) override {}
};

void dxflibParsesTheSameFile(benchmark::State& state)
{
    GeneratedDrawing& drawing = GeneratedDrawing::instance();
    if (!drawing.problem().empty()) return state.SkipWithError(drawing.problem().c_str());
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        Counter counter;
        DL_Dxf dxf;
        if (!dxf.in(drawing.path(), &counter)) return state.SkipWithError("dxflib could not read the file");
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (counter.entities != dxfbench::kEntities) return state.SkipWithError("dxflib missed entities");
        state.SetIterationTime(seconds);
        total += seconds;
    }
    gDxflibSeconds = total / static_cast<double>(state.iterations());
    reportThroughput(state, drawing.megabytes());
}

BENCHMARK(arxhostOpensTheDrawing)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(dxflibParsesTheSameFile)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    if (gHostSeconds > 0 && gDxflibSeconds > 0)
        std::printf("arxhost opens the drawing %.2f times as fast as dxflib parses it\n",
                    gDxflibSeconds / gHostSeconds);
    GeneratedDrawing::release();
    benchmark::Shutdown();
    return 0;
}
