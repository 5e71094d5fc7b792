// Started by the process tests: writes its working folder and each argument, one per line in
// brackets, to the file named by WIN32_TEST_MARKER. The file appears complete or not at all.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    const char* marker = std::getenv("WIN32_TEST_MARKER");
    if (marker == nullptr) return 2;
    char folder[PATH_MAX];
    if (getcwd(folder, sizeof folder) == nullptr) return 3;
    const std::string partial = std::string(marker) + ".part";
    FILE* file = std::fopen(partial.c_str(), "w");
    if (file == nullptr) return 4;
    std::fprintf(file, "%s\n", folder);
    for (int i = 0; i < argc; ++i) std::fprintf(file, "[%s]\n", argv[i]);
    std::fclose(file);
    return std::rename(partial.c_str(), marker) == 0 ? 0 : 5;
}
