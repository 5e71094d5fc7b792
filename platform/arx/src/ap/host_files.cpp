// acedFindFile, acedGetFileD and acedHelp: the host's file search, its file dialog and its
// help viewer, without windows. The dialog prints its title and reads the file name from the
// input; the viewer prints which help file and topic it opens.
#include "ap/host_files.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "acdocman.h"
#include "acedads.h"
#include "adscodes.h"
#include "ed/console.h"
#include "ed/prompts.h"
#include "rx/module_loader.h"

namespace arx::ap {

namespace {

namespace fs = std::filesystem;

constexpr size_t kMaxPath = 260;  // what callers of acedFindFile size their buffers for

std::string withSlashes(std::string path)
{
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

bool isFile(const fs::path& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

void addFolder(std::vector<std::string>& folders, const fs::path& folder)
{
    if (folder.empty()) return;
    const std::string text = folder.string();
    for (const std::string& known : folders)
        if (known == text) return;
    folders.push_back(text);
}

std::string extensionOf(const std::string& name)
{
    const fs::path path(name);
    return path.has_extension() ? path.extension().string().substr(1) : std::string();
}

std::string firstExtension(const char* extensions)
{
    if (extensions == nullptr) return std::string();
    std::string list = extensions;
    const size_t end = list.find(';');
    return end == std::string::npos ? list : list.substr(0, end);
}

void viewerSays(const std::string& line)
{
    ed::Console::instance().ensureLineStart();
    ed::Console::instance().write(line);
}

}  // namespace

std::vector<std::string> supportSearchPath()
{
    std::vector<std::string> folders;
    std::error_code ec;
    addFolder(folders, fs::current_path(ec));
    if (AcApDocument* document = curDoc()) {
        const fs::path drawing(withSlashes(document->fileName()));
        if (drawing.has_parent_path()) addFolder(folders, fs::absolute(drawing, ec).parent_path());
    }
    if (const char* support = std::getenv("ARXHOST_SUPPORT")) {
        const std::string list = support;
        for (size_t start = 0; start <= list.size();) {
            size_t colon = list.find(':', start);
            if (colon == std::string::npos) colon = list.size();
            if (colon > start) addFolder(folders, list.substr(start, colon - start));
            start = colon + 1;
        }
    }
    char self[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n > 0) addFolder(folders, fs::path(std::string(self, static_cast<size_t>(n))).parent_path());
    for (const auto& module : rx::ModuleLoader::instance().modules())
        addFolder(folders, fs::path(module->path).parent_path());
    return folders;
}

std::optional<std::string> findSupportFile(const std::string& name)
{
    if (name.empty()) return std::nullopt;
    const fs::path given(withSlashes(name));
    if (given.has_parent_path()) return isFile(given) ? std::optional<std::string>(given.string()) : std::nullopt;
    for (const std::string& folder : supportSearchPath()) {
        const fs::path candidate = fs::path(folder) / given;
        if (isFile(candidate)) return candidate.string();
    }
    return std::nullopt;
}

}  // namespace arx::ap

int acedFindFile(const char* fname, char* result)
{
    if (fname == nullptr || result == nullptr) return RTERROR;
    const std::optional<std::string> found = arx::ap::findSupportFile(fname);
    if (!found || found->size() >= arx::ap::kMaxPath) return RTERROR;
    std::memcpy(result, found->c_str(), found->size() + 1);
    return RTNORM;
}

// The dialog asks for the file name on the command line: Enter (or a cancel) is the Cancel
// button. A name without an extension gets the first of `ext` unless flags bit 2 (4) lets any
// extension through; unless flags bit 0 (1) asks for a new file, the file must exist, and the
// question is asked again until it does.
int acedGetFileD(const char* title, const char* defawlt, const char* ext, int flags, resbuf* result)
{
    if (result == nullptr) return RTERROR;
    arx::ap::viewerSays(std::string("File dialog: ") + (title ? title : "") + "\n");
    std::string prompt = "Enter file name";
    if (ext != nullptr && *ext != '\0') prompt += std::string(" (") + ext + ")";
    if (defawlt != nullptr && *defawlt != '\0') prompt += std::string(" in ") + defawlt;
    prompt += " or <Cancel>: ";
    for (;;) {
        const std::optional<std::string> answer = arx::ed::askHostText(prompt.c_str());
        if (!answer || answer->empty()) return RTERROR;
        std::string chosen = *answer;
        const std::string extension = arx::ap::firstExtension(ext);
        if ((flags & 4) == 0 && arx::ap::extensionOf(chosen).empty() && !extension.empty() && extension != "*")
            chosen += "." + extension;
        if ((flags & 1) == 0 && !arx::ap::isFile(arx::ap::withSlashes(chosen))) {
            arx::ap::viewerSays("File \"" + chosen + "\" not found.\n");
            continue;
        }
        char* text = static_cast<char*>(std::malloc(chosen.size() + 1));
        if (text == nullptr) return RTERROR;
        std::memcpy(text, chosen.c_str(), chosen.size() + 1);
        result->restype = RTSTR;
        result->resval.rstring = text;
        return RTNORM;
    }
}

// Opens the help file (found as acedFindFile finds it) at the topic, or at its contents for an
// empty topic. RTERROR, with the viewer's complaint, when the file is not there.
int acedHelp(const char* szFilename, const char* szTopic, int /*iCmd*/)
{
    const std::string name = szFilename ? szFilename : "";
    const std::optional<std::string> found = arx::ap::findSupportFile(name);
    if (!found) {
        arx::ap::viewerSays("Help: cannot open the file \"" + name + "\".\n");
        return RTERROR;
    }
    const std::string topic = szTopic ? szTopic : "";
    arx::ap::viewerSays("Help: " + name + (topic.empty() ? std::string(", contents") : ", topic " + topic) + "\n");
    return RTNORM;
}
