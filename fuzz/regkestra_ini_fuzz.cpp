// Runs RegKestra's INI installation on any bytes as the INI file, against a registry with two
// products of the release. The INI file must be left byte for byte as it was, and the
// machine's hive must still read afterwards.
#include <win32standin.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz_files.h"
#include "install_run.h"

namespace {

const char kMachineHive[] = "Windows Registry Editor Version 5.00\n\n"
                            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R15.0\\ACAD-1:409]\n\n"
                            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R15.0\\ACAD-1:40C]\n\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kestra_fuzz;
    const std::string folder = scratchFolder();
    const std::string registry = folder + "/registry";
    // Every run starts from the same registry: an installation left from an earlier input would
    // make each run slower than the last, and a finding could not be replayed on its own.
    std::error_code ignored;
    std::filesystem::remove_all(registry, ignored);
    std::filesystem::create_directories(registry);
    Win32SetRegistryFolder(registry.c_str());
    writeWholeFile(registry + "/HKEY_LOCAL_MACHINE.reg", kMachineHive);
    const std::string ini = folder + "/setup.ini";
    const std::string input(reinterpret_cast<const char*>(data), size);
    writeWholeFile(ini, input);

    const std::string program = folder + "/RegKestra";
    const std::string option = "/F" + ini;
    const char* argv[] = {program.c_str(), option.c_str(), nullptr};
    regkestra::runRegKestra(2, argv);

    if (readWholeFile(ini) != input) {
        std::fprintf(stderr, "RegKestra changed its INI file\n");
        std::abort();
    }
    HKEY key = nullptr;
    const LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, &key);
    if (status != ERROR_SUCCESS) {
        std::fprintf(stderr, "the machine hive no longer reads (%d)\n", status);
        std::abort();
    }
    RegCloseKey(key);
    // The logs grow run after run: start each run without them.
    std::remove((folder + "/RegKestra.log").c_str());
    std::remove((folder + "/TEMPTXT.log").c_str());
    return 0;
}
