// RegKestra run as the installer runs it, copying an INI file of N values into the registry:
// the whole process, in a fresh world (program folder, registry with two products) per run.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <string>

#include "regkestra_run.h"

namespace {

using regkestra_test::RegKestraWorld;

std::string iniWithValues(int64_t count) {
  std::string text = "[VERSION]\nVersion=R15.0\n\n[Keys]\nKey0=Kestra\\Values\n\n[Kestra\\Values]\n";
  for (int64_t i = 0; i < count; ++i) text += "value" + std::to_string(i) + "=" + std::to_string(i) + "\n";
  return text;
}

void copyIniValues(benchmark::State& state) {
  setenv("KESTRA_BIN_DIR", KESTRA_BIN_DIR, 1);
  const std::string ini = iniWithValues(state.range(0));
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

}  // namespace

BENCHMARK(copyIniValues)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Arg(8000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Complexity();

BENCHMARK_MAIN();
