// Finds the DXF files written by other programs (the shared dxf-samples folder) for the tests
// that read them. The folder is KESTRA_SHARED_DIR/dxf-samples, or ../shared/dxf-samples
// beside the source tree; tests skip, saying so, when it is absent.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace dxftest {

std::filesystem::path samplesFolder();
// Every .dxf file under the samples folder, sorted; empty when the folder is absent.
std::vector<std::filesystem::path> sampleFiles();
std::string readFile(const std::filesystem::path& path);
// A fresh, empty folder for a test's files, removed by the caller (or left in /tmp).
std::filesystem::path scratchFolder(const std::string& testName);

}  // namespace dxftest

#define SKIP_WITHOUT_SAMPLES()                                                                                         \
    do {                                                                                                               \
        if (dxftest::sampleFiles().empty())                                                                            \
            GTEST_SKIP() << "the shared DXF samples folder is absent (" << dxftest::samplesFolder().string()           \
                         << "); skipping";                                                                             \
    } while (0)
