#include "fuzz_files.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kestra_fuzz {
namespace {

struct Scratch {
    std::string path;
    Scratch()
    {
        std::string pattern = std::filesystem::temp_directory_path().string() + "/kestra-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        path = pattern;
    }
    ~Scratch()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

}  // namespace

const std::string& scratchFolder()
{
    static Scratch scratch;
    return scratch.path;
}

void writeWholeFile(const std::string& path, std::string_view contents)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(contents.data(), static_cast<std::streamsize>(contents.size()));
}

std::string readWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace kestra_fuzz
