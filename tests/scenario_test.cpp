// Every folder of tests/scenarios is one end-to-end case: arxhost runs with the arguments
// of its file "args" (one a line; {registry}, {bin} and {dir} stand for a fresh registry
// folder, the folder of the built programs and the scenario's own folder, in "stdin" and
// "expected" too), fed with its file "stdin" when there is one, after copying its
// "registry/*.reg" hive files into the registry folder. What arxhost prints must equal the
// file "expected" byte for byte, and each file of its folder "written" the file of that name
// the run wrote into the registry folder (the SVG of a plot).
#include <gtest/gtest.h>

#include <algorithm>

#include "host_process.h"

namespace fs = std::filesystem;
using namespace kestra::test;

namespace {

// Read while tests are registered, before main: the build's own source folder, not the
// environment (which the test environment sets up at the same stage).
fs::path scenarioRoot() { return fs::path(KESTRA_TEST_SOURCE_DIR) / "tests" / "scenarios"; }

std::vector<std::string> scenarioNames()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(scenarioRoot()))
        if (entry.is_directory()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string substitute(std::string text, const std::string& key, const std::string& value)
{
    for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size()))
        text.replace(at, key.size(), value);
    return text;
}

class Scenario : public testing::TestWithParam<std::string> {};

TEST_P(Scenario, TranscriptMatches)
{
    fs::path dir = scenarioRoot() / GetParam();
    TempDir registry;
    if (fs::exists(dir / "registry"))
        for (const auto& hive : fs::directory_iterator(dir / "registry"))
            writeFile(registry.path() / hive.path().filename(),
                      substitute(readFile(hive.path()), "{bin}", binDir().string()));
    auto expand = [&](std::string text) {
        text = substitute(text, "{registry}", registry.path().string());
        text = substitute(text, "{bin}", binDir().string());
        return substitute(text, "{dir}", dir.string());
    };
    std::vector<std::string> args;
    std::istringstream lines(readFile(dir / "args"));
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) args.push_back(expand(line));
    std::string input = fs::exists(dir / "stdin") ? expand(readFile(dir / "stdin")) : "";
    HostRun run = runHost(args, input);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.output, expand(readFile(dir / "expected"))) << "stderr: " << run.errors;
    // Files the run writes into the registry folder (a plot's SVG) must equal the scenario's
    // "written/NAME" byte for byte.
    if (fs::exists(dir / "written")) {
        for (const auto& golden : fs::directory_iterator(dir / "written")) {
            const fs::path written = registry.path() / golden.path().filename();
            ASSERT_TRUE(fs::exists(written)) << written << " was not written";
            EXPECT_EQ(readFile(written), expand(readFile(golden.path()))) << written;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(All, Scenario, testing::ValuesIn(scenarioNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             std::replace_if(
                                 name.begin(), name.end(), [](char c) { return !isalnum(c); }, '_');
                             return name;
                         });

}  // namespace
