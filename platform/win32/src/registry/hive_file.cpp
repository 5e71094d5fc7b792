#include "hive_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <winerror.h>

#include <cerrno>
#include <cstdio>

#include "../atomic_file.h"
#include "hive_text.h"

namespace win32::registry {
namespace {

bool sameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

LONG errorOfErrno(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS: return ERROR_ACCESS_DENIED;
    case ENOENT:
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    default: return ERROR_CANTWRITE;
    }
}

bool readWholeFile(int fd, std::string* contents)
{
    char buffer[65536];
    while (true) {
        const ssize_t count = read(fd, buffer, sizeof buffer);
        if (count == 0) return true;
        if (count < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        contents->append(buffer, static_cast<size_t>(count));
    }
}

}  // namespace

bool HiveFile::Stamp::operator==(const Stamp& other) const
{
    return exists == other.exists && device == other.device && inode == other.inode && size == other.size &&
           mode == other.mode && sameTime(modified, other.modified) && sameTime(changed, other.changed);
}

HiveFile::HiveFile(std::string rootName) : rootName_(std::move(rootName)) {}

HiveFile::Stamp HiveFile::stampOf(const std::string& path, int* error)
{
    struct stat info {};
    *error = 0;
    if (stat(path.c_str(), &info) != 0) {
        if (errno != ENOENT) *error = errno;
        return Stamp{};
    }
    return stampOf(info);
}

HiveFile::Stamp HiveFile::stampOf(const struct stat& info)
{
    Stamp stamp;
    stamp.exists = true;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.mode = info.st_mode;
    stamp.modified = info.st_mtim;
    stamp.changed = info.st_ctim;
    return stamp;
}

LONG HiveFile::refresh(const std::string& folder)
{
    const std::string path = folder + "/" + rootName_ + ".reg";
    int error = 0;
    if (changed_) return ERROR_SUCCESS;
    const Stamp now = stampOf(path, &error);
    if (loaded_ && path == path_ && now == stamp_) return state_;
    folder_ = folder;
    path_ = path;
    if (error != 0) {
        loaded_ = false;
        return errorOfErrno(error);
    }
    stamp_ = now;
    loaded_ = true;
    root_ = std::make_unique<Key>();
    root_->name = rootName_;
    state_ = now.exists ? load(path) : ERROR_SUCCESS;
    return state_;
}

LONG HiveFile::load(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errorOfErrno(errno);
    // The stamp of what is actually read, should the file have been replaced since the stat.
    struct stat info {};
    if (fstat(fd, &info) == 0) stamp_ = stampOf(info);
    std::string contents;
    const bool read = readWholeFile(fd, &contents);
    close(fd);
    if (!read) {
        reportMalformed(0, "the file cannot be read");
        return ERROR_BADDB;
    }
    HiveParseResult parsed = parseHiveText(contents, rootName_);
    if (parsed.error) {
        reportMalformed(parsed.error->line, parsed.error->message);
        return ERROR_BADDB;
    }
    root_ = std::move(parsed.root);
    return ERROR_SUCCESS;
}

// Said once per state of the file: again only after the file changed and is still bad.
void HiveFile::reportMalformed(int line, const std::string& message)
{
    if (reported_ && reportedStamp_ == stamp_) return;
    reported_ = true;
    reportedStamp_ = stamp_;
    std::fprintf(stderr,
                 "win32 registry: %s:%d: %s; %s is unreadable until the file is corrected "
                 "(the file is left as it is)\n",
                 path_.c_str(), line, message.c_str(), rootName_.c_str());
}

bool HiveFile::writable() const
{
    if (!stamp_.exists) return geteuid() == 0 || access(folder_.c_str(), W_OK) == 0;
    if ((stamp_.mode & 0222) == 0) return false;
    return geteuid() == 0 || access(path_.c_str(), W_OK) == 0;
}

LONG HiveFile::save()
{
    if (deferred_) {
        changed_ = true;
        return ERROR_SUCCESS;
    }
    createFolders(folder_);
    const int error = replaceFileAtomically(path_, formatHiveText(*root_, rootName_));
    if (error != 0) {
        loaded_ = false;
        return errorOfErrno(error);
    }
    int statError = 0;
    stamp_ = stampOf(path_, &statError);
    if (statError != 0) loaded_ = false;
    return ERROR_SUCCESS;
}

LONG HiveFile::commit()
{
    deferred_ = false;
    if (!changed_) return ERROR_SUCCESS;
    changed_ = false;
    return save();
}

void HiveFile::discard()
{
    deferred_ = false;
    if (!changed_) return;
    changed_ = false;
    loaded_ = false;  // the next refresh reads the file as it is
}

FILETIME HiveFile::lastWriteTime() const
{
    // 100-nanosecond intervals since 1601-01-01.
    constexpr uint64_t kSecondsFrom1601To1970 = 11644473600ULL;
    const uint64_t ticks = (static_cast<uint64_t>(stamp_.modified.tv_sec) + kSecondsFrom1601To1970) * 10000000ULL +
                           static_cast<uint64_t>(stamp_.modified.tv_nsec) / 100;
    return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
}

}  // namespace win32::registry
