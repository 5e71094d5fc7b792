// RegKestra run as the installer runs it, copying an INI file of N values into the registry:
// the whole process, in a fresh world (program folder, registry with two products) per run.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <string>

#include "regkestra_run.h"

namespace {

using regkestra_test::RegKestraWorld;

// N values under one key, or N keys of one value each.
std::string iniWithValues(int64_t count)
{
    std::string text = "[VERSION]\nVersion=R15.0\n\n[Keys]\nKey0=Kestra\\Values\n\n[Kestra\\Values]\n";
    for (int64_t i = 0; i < count; ++i) text += "value" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    return text;
}

std::string iniWithKeys(int64_t count)
{
    std::string keys = "[VERSION]\nVersion=R15.0\n\n[Keys]\n";
    std::string sections;
    for (int64_t i = 0; i < count; ++i) {
        keys += "Key" + std::to_string(i) + "=Kestra\\k" + std::to_string(i) + "\n";
        sections += "[Kestra\\k" + std::to_string(i) + "]\nvalue=" + std::to_string(i) + "\n";
    }
    return keys + "\n" + sections;
}

void runInstall(benchmark::State& state, const std::string& ini)
{
    setenv("KESTRA_BIN_DIR", KESTRA_BIN_DIR, 1);
    for (auto _ : state) {
        state.PauseTiming();
        RegKestraWorld world;
        regkestra_test::writeFile(world.machineHive(),
                                  regkestra_test::machineWithProducts("R15.0", {"ACAD-1:409", "ACAD-1:40C"}));
        regkestra_test::writeFile(world.programFolder() + "/setup.ini", ini);
        state.ResumeTiming();
        if (world.run({"/Fsetup.ini"}) != 0) state.SkipWithError("RegKestra failed");
        state.PauseTiming();
        if (world.logAfterHeader() != "Installation Successful (2)\n\nRegistration Successful\n\n") {
            state.SkipWithError("RegKestra did not install everything");
        }
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

void copyIniValues(benchmark::State& state) { runInstall(state, iniWithValues(state.range(0))); }
void copyIniKeys(benchmark::State& state) { runInstall(state, iniWithKeys(state.range(0))); }

}  // namespace

BENCHMARK(copyIniValues)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Arg(8000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Complexity();

BENCHMARK(copyIniKeys)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Arg(8000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Complexity();

BENCHMARK_MAIN();
