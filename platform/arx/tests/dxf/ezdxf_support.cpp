#include "ezdxf_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace dxftest {

bool ezdxfAvailable() { return std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") == 0; }

std::vector<std::string> ezdxfReport(const std::string& path)
{
    return runTestScript("ezdxf_check.py", "'" + path + "'");
}

std::vector<std::string> runTestScript(const std::string& script, const std::string& arguments)
{
    const std::string file = std::string(KESTRA_TEST_SOURCE_DIR) + "/platform/arx/tests/dxf/" + script;
    std::FILE* pipe = ::popen(("/usr/bin/python3 " + file + " " + arguments + " 2>&1").c_str(), "r");
    std::vector<std::string> lines;
    char line[4096];
    while (pipe && std::fgets(line, sizeof line, pipe)) {
        std::string text(line);
        if (!text.empty() && text.back() == '\n') text.pop_back();
        lines.push_back(text);
    }
    if (pipe) ::pclose(pipe);
    return lines;
}

void expectNoFindings(const std::vector<std::string>& report)
{
    EXPECT_FALSE(report.empty()) << "ezdxf printed nothing";
    for (const std::string& line : report) {
        EXPECT_NE(line.rfind("error", 0), 0u) << line;
        EXPECT_NE(line.rfind("fix", 0), 0u) << line;
        EXPECT_NE(line.rfind("unreadable", 0), 0u) << line;
        EXPECT_EQ(line.find("Traceback"), std::string::npos) << line;
    }
}

long firstDifferentLine(const std::string& a, const std::string& b)
{
    long line = 1;
    for (std::size_t i = 0; i < a.size() && i < b.size() && a[i] == b[i]; ++i)
        if (a[i] == '\n') ++line;
    return line;
}

}  // namespace dxftest
