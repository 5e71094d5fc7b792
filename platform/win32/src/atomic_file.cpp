#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace win32 {
namespace {

std::string folderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string temporaryNameFor(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    return std::string(path)
        .append(".tmp-")
        .append(std::to_string(getpid()))
        .append("-")
        .append(std::to_string(++counter));
}

int writeAll(int fd, std::string_view contents)
{
    while (!contents.empty()) {
        const ssize_t written = write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        contents.remove_prefix(static_cast<size_t>(written));
    }
    return 0;
}

// Makes the rename itself durable; a failure here does not undo the replacement.
void syncFolder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

int replaceFileAtomically(const std::string& path, std::string_view contents)
{
    const std::string temporary = temporaryNameFor(path);
    // 0666 lets the umask decide the bits of a new file, as for any file a program creates.
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    int error = 0;
    struct stat old {};
    if (stat(path.c_str(), &old) == 0 && fchmod(fd, old.st_mode & 07777) != 0) error = errno;
    if (error == 0) error = writeAll(fd, contents);
    if (error == 0 && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        unlink(temporary.c_str());
        return error;
    }
    syncFolder(folderOf(path));
    return 0;
}

int createFolders(const std::string& folder)
{
    if (folder.empty()) return ENOENT;
    size_t position = 0;
    while (position != std::string::npos) {
        position = folder.find('/', position + 1);
        const std::string prefix = folder.substr(0, position);
        if (prefix.empty()) continue;
        if (mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST) return errno;
    }
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0) return errno;
    return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

}  // namespace win32
