// The headless HTML help viewer and the viewer output shared by the stand-in's viewers.
#include <htmlhelp.h>
#include <sys/stat.h>
#include <win32standin.h>
#include <winuser.h>

#include <cstdio>
#include <mutex>
#include <string>

namespace {

std::mutex viewerMutex;
void (*viewerOutput)(const char*) = nullptr;

void say(const std::string& line)
{
    void (*write)(const char*) = nullptr;
    {
        std::lock_guard<std::mutex> lock(viewerMutex);
        write = viewerOutput;
    }
    if (write != nullptr) {
        write(line.c_str());
    } else {
        std::fputs(line.c_str(), stdout);
        std::fflush(stdout);
    }
}

bool isFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Windows paths may use backslashes; the file system here wants slashes.
std::string withSlashes(std::string path)
{
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

int desktopStandIn = 0;
int viewerWindowStandIn = 0;

}  // namespace

extern "C" void Win32SetViewerOutput(void (*write)(const char* text))
{
    std::lock_guard<std::mutex> lock(viewerMutex);
    viewerOutput = write;
}

extern "C" HWND GetDesktopWindow(void) { return reinterpret_cast<HWND>(&desktopStandIn); }

extern "C" HWND HtmlHelpA(HWND /*hwndCaller*/, LPCSTR pszFile, UINT uCommand, DWORD_PTR /*dwData*/)
{
    if (uCommand != HH_DISPLAY_TOPIC || pszFile == nullptr) return nullptr;
    const std::string given = pszFile;
    const size_t separator = given.find("::");
    const std::string file = given.substr(0, separator);
    std::string topic;
    if (separator != std::string::npos) {
        topic = given.substr(separator + 2);
        if (!topic.empty() && topic.front() == '/') topic.erase(0, 1);
    }
    if (file.empty() || !isFile(withSlashes(file))) {
        say("HTML Help: cannot open the file \"" + file + "\".\n");
        return nullptr;
    }
    say("HTML Help: " + file + (topic.empty() ? std::string() : ", topic " + topic) + "\n");
    return reinterpret_cast<HWND>(&viewerWindowStandIn);
}
