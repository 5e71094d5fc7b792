// Running Debian's ezdxf (seen by /usr/bin/python3) on a file we wrote, and comparing texts.
#pragma once
#include <string>
#include <vector>

namespace dxftest {

bool ezdxfAvailable();
// The lines ezdxf_check.py prints for the file (findings, counts, layouts, types).
std::vector<std::string> ezdxfReport(const std::string& path);
// The lines a python script of this folder prints (stderr included) for the arguments.
std::vector<std::string> runTestScript(const std::string& script, const std::string& arguments);
// Fails the test for each error, fix or refusal in a report.
void expectNoFindings(const std::vector<std::string>& report);
// The number of the first line where two texts differ (1-based), for messages.
long firstDifferentLine(const std::string& a, const std::string& b);

}  // namespace dxftest
