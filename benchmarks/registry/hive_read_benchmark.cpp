// Reading a hive file through the registry calls: the first call on a root reads its file.
// Two folders hold the same file and each iteration switches between them, so every
// iteration reads the whole file again.
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <win32standin.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

class HiveFolders {
public:
    explicit HiveFolders(const std::string& text)
    {
        const fs::path base = fs::temp_directory_path() / ("kestra-hive-bench-" + std::to_string(getpid()));
        for (int i = 0; i < 2; ++i) {
            folders_[i] = (base / std::to_string(i)).string();
            fs::create_directories(folders_[i]);
            std::ofstream(folders_[i] + "/HKEY_LOCAL_MACHINE.reg", std::ios::binary) << text;
        }
        base_ = base.string();
    }
    ~HiveFolders()
    {
        Win32SetRegistryFolder(nullptr);
        fs::remove_all(base_);
    }
    const std::string& folder(int i) const { return folders_[i % 2]; }

private:
    std::string base_;
    std::string folders_[2];
};

// Opens the key at path, which reads the hive; false when the file was refused.
bool openKey(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

void readHive(benchmark::State& state, const std::string& text, const std::string& keyPath)
{
    HiveFolders folders(text);
    int round = 0;
    for (auto _ : state) {
        Win32SetRegistryFolder(folders.folder(round++).c_str());
        if (!openKey(keyPath)) state.SkipWithError("the hive was refused");
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// N values under one key.
void manyValuesInOneKey(benchmark::State& state)
{
    std::string text = "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software]\n";
    for (int64_t i = 0; i < state.range(0); ++i) {
        text += "\"Value" + std::to_string(i) + "\"=dword:0000000f\n";
    }
    readHive(state, text, "Software");
}

// One key N levels below the root, written as a single section.
void deepKeyPath(benchmark::State& state)
{
    std::string path;
    for (int64_t i = 0; i < state.range(0); ++i) path += i == 0 ? "k" : "\\k";
    const std::string text =
        "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\" + path + "]\n\"Name\"=\"value\"\n";
    readHive(state, text, path.substr(0, 200));
}

}  // namespace

BENCHMARK(manyValuesInOneKey)
    ->Arg(8000)
    ->Arg(16000)
    ->Arg(32000)
    ->Arg(64000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(deepKeyPath)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(40000)
    ->Arg(160000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

BENCHMARK_MAIN();
