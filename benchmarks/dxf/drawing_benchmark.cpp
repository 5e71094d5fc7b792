// Saving and opening a generated drawing of 100,000 entities through the database (every
// object through its own DXF filing), and Debian's ezdxf reading the same file, side by side
// in one run. Each reports MB/s of the file (user counter "MB/s"). The ezdxf benchmark runs
// /usr/bin/python3 once per iteration and counts the time of ezdxf.readfile as the python
// process measures it (manual time), so interpreter start-up is not charged to ezdxf. Rates
// are of the elapsed time (a save includes writing the file out and syncing it).
#include <benchmark/benchmark.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "db/dxf/drawing_file.h"
#include "generated_drawing.h"

namespace {

using dxfbench::GeneratedDrawing;
using dxfbench::kEntities;

void reportThroughput(benchmark::State& state, double megabytes)
{
    state.counters["MB/s"] = benchmark::Counter(megabytes, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MB"] = megabytes;
    state.counters["entities"] = kEntities;
}

void saveDrawing(benchmark::State& state)
{
    GeneratedDrawing& drawing = GeneratedDrawing::instance();
    if (!drawing.problem().empty()) return state.SkipWithError(drawing.problem().c_str());
    const std::string path = drawing.path() + ".saved";
    for (auto _ : state) {
        std::string message;
        if (arx::dxf::writeDrawingFile(drawing.database(), path.c_str(), message) != Acad::eOk)
            return state.SkipWithError(message.c_str());
    }
    ::unlink(path.c_str());
    reportThroughput(state, drawing.megabytes());
}

void openDrawing(benchmark::State& state)
{
    GeneratedDrawing& drawing = GeneratedDrawing::instance();
    if (!drawing.problem().empty()) return state.SkipWithError(drawing.problem().c_str());
    for (auto _ : state) {
        auto opened = std::make_unique<AcDbDatabase>(false, true);
        arx::dxf::ReadReport report;
        if (arx::dxf::readDrawingFile(opened.get(), drawing.path().c_str(), report) != Acad::eOk)
            return state.SkipWithError(report.message.c_str());
        state.PauseTiming();  // throwing the drawing away is not part of opening it
        opened.reset();
        state.ResumeTiming();
    }
    reportThroughput(state, drawing.megabytes());
}

// The seconds ezdxf.readfile took in a fresh python process; negative when ezdxf is missing.
double ezdxfReadSeconds(const std::string& path)
{
    const std::string command =
        "/usr/bin/python3 -c \"import sys,time\ntry:\n import ezdxf\nexcept ImportError:\n print(-1); sys.exit(0)\n"
        "t=time.perf_counter(); ezdxf.readfile(sys.argv[1]); print(time.perf_counter()-t)\" '" +
        path + "' 2>/dev/null";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return -1;
    char answer[64] = {};
    if (!std::fgets(answer, sizeof answer, pipe)) answer[0] = 0;
    ::pclose(pipe);
    return answer[0] ? std::atof(answer) : -1;
}

void ezdxfReadsTheSameFile(benchmark::State& state)
{
    GeneratedDrawing& drawing = GeneratedDrawing::instance();
    if (!drawing.problem().empty()) return state.SkipWithError(drawing.problem().c_str());
    for (auto _ : state) {
        const double seconds = ezdxfReadSeconds(drawing.path());
        if (seconds <= 0) return state.SkipWithError("ezdxf is not installed for /usr/bin/python3 (python3-ezdxf)");
        state.SetIterationTime(seconds);
    }
    reportThroughput(state, drawing.megabytes());
}

BENCHMARK(saveDrawing)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(openDrawing)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(ezdxfReadsTheSameFile)->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();
}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    GeneratedDrawing::release();
    benchmark::Shutdown();
    return 0;
}
