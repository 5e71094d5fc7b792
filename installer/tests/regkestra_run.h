// Runs the built RegKestra in a scratch world: a program folder holding a copy of the program
// and its library, a registry folder, a temporary folder and a working folder.
#pragma once

#include <string>
#include <vector>

namespace regkestra_test {

struct RunOptions {
    // Runs the program as an unprivileged user (needed to make a read-only folder read-only
    // for the program when the tests run as root).
    bool unprivileged = false;
};

class RegKestraWorld {
public:
    RegKestraWorld();
    ~RegKestraWorld();
    RegKestraWorld(const RegKestraWorld&) = delete;
    RegKestraWorld& operator=(const RegKestraWorld&) = delete;

    const std::string& root() const { return root_; }
    std::string programFolder() const { return root_ + "/program"; }
    std::string registryFolder() const { return root_ + "/registry"; }
    std::string temporaryFolder() const { return root_ + "/temp"; }
    std::string workingFolder() const { return root_ + "/work"; }
    std::string machineHive() const { return registryFolder() + "/HKEY_LOCAL_MACHINE.reg"; }

    // Exit status of RegKestra run with these arguments (after the program name).
    int run(const std::vector<std::string>& arguments, const RunOptions& options = {});

    std::string log() const;             // RegKestra.log of the program folder
    std::string logAfterHeader() const;  // the same without the first date header
    std::string trace() const;           // TEMPTXT.log of the program folder

private:
    std::string root_;
};

// The hive text of a machine with these product keys under the release key.
std::string machineWithProducts(const std::string& releaseKey, const std::vector<std::string>& products);

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& contents);
bool fileExists(const std::string& path);

// Registry reads through the Win32 stand-in, on the given registry folder.
std::string machineString(const std::string& folder, const std::string& key, const std::string& name);
// The DWORD, or -1 when missing or of another type.
long long machineDword(const std::string& folder, const std::string& key, const std::string& name);

}  // namespace regkestra_test
