#include "sample_files.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace dxftest {

fs::path samplesFolder()
{
    if (const char* shared = std::getenv("KESTRA_SHARED_DIR"); shared && *shared)
        return fs::path(shared) / "dxf-samples";
    return fs::path(KESTRA_TEST_SOURCE_DIR) / ".." / "shared" / "dxf-samples";
}

std::vector<fs::path> sampleFiles()
{
    std::vector<fs::path> files;
    std::error_code error;
    const fs::path folder = samplesFolder();
    if (!fs::is_directory(folder, error)) return files;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error))
        if (entry.is_regular_file() && entry.path().extension() == ".dxf") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

fs::path scratchFolder(const std::string& testName)
{
    const fs::path folder = fs::temp_directory_path() / ("kestra-dxf-" + testName + "-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

}  // namespace dxftest
