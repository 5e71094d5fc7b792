// Helpers of the Win32 stand-in's tests.
#pragma once

#include <string>

namespace win32test {

// A fresh folder under the temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Points the registry at a fresh folder for the life of the object.
class ScopedRegistry {
public:
    ScopedRegistry();
    ~ScopedRegistry();
    const std::string& folder() const { return folder_.path(); }
    std::string hive(const std::string& root) const { return folder_.file(root + ".reg"); }

private:
    TempFolder folder_;
};

// The first line of a hive file and the blank line after it.
inline const std::string kHiveHeader = "Windows Registry Editor Version 5.00\n\n";

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& contents);
bool fileExists(const std::string& path);
// Waits up to ten seconds for a file to appear.
bool waitForFile(const std::string& path);
// Names in a folder, sorted.
std::string listFolder(const std::string& path);
// Folder of the built programs and libraries.
std::string binFolder();

}  // namespace win32test
