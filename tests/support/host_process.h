// Runs the built arxhost as a user would, and gives back what it printed.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace kestra::test {

std::filesystem::path binDir();
std::filesystem::path sourceDir();

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

struct HostRun {
    std::string output;  // standard output: the command line
    std::string errors;  // standard error
    int exitCode = -1;
};

// Runs arxhost with the arguments; `input` is fed to its standard input.
HostRun runHost(const std::vector<std::string>& arguments, const std::string& input = "");
// Runs any built program of bin/ the same way.
HostRun runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                   const std::string& input = "", const std::vector<std::string>& environment = {});

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& text);

}  // namespace kestra::test
