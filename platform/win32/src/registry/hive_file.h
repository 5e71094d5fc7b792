// One root key backed by its hive file. The tree is re-read whenever the file changed on disk
// (another process may write it between calls), and every change is written back at once by
// replacing the whole file.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>
#include <windef.h>

#include <ctime>
#include <memory>
#include <string>

#include "hive_tree.h"

namespace win32::registry {

class HiveFile {
public:
    explicit HiveFile(std::string rootName);

    const std::string& rootName() const { return rootName_; }

    // Brings the tree up to date with the hive file in folder. Returns ERROR_SUCCESS, or the
    // error every call on this root gets while the file stays as it is: ERROR_BADDB for a
    // malformed file (reported once on stderr with file and line), ERROR_ACCESS_DENIED for a file
    // this user may not read.
    LONG refresh(const std::string& folder);

    // The tree; valid after a successful refresh.
    Key& root() { return *root_; }

    // Whether this user may change the hive: the file's permission bits must give somebody write
    // access (checked on the bits, so that a read-only file is read-only for root as well) and
    // the user must have it.
    bool writable() const;

    // Writes the tree to the file atomically. On failure the file is untouched and the tree is
    // dropped, so the next refresh reads the file again and the failed change is gone. While
    // writes are deferred the change only marks the tree as changed.
    LONG save();

    // Deferred writes: changes stay in the tree (and refresh keeps it, changed, instead of
    // reading the file again) until commit writes the file once or discard drops them.
    void deferWrites() { deferred_ = true; }
    LONG commit();
    void discard();

    // Time of the last change of the file, for RegEnumKeyEx.
    FILETIME lastWriteTime() const;

private:
    struct Stamp {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        mode_t mode = 0;
        timespec modified{};
        timespec changed{};
        bool operator==(const Stamp& other) const;
    };

    static Stamp stampOf(const std::string& path, int* error);
    static Stamp stampOf(const struct stat& info);
    LONG load(const std::string& path);
    void reportMalformed(int line, const std::string& message);

    std::string rootName_;
    std::string folder_;
    std::string path_;
    bool loaded_ = false;
    bool deferred_ = false;
    bool changed_ = false;  // the tree holds deferred changes the file does not have
    Stamp stamp_;
    LONG state_ = 0;
    std::unique_ptr<Key> root_;
    Stamp reportedStamp_;
    bool reported_ = false;
};

}  // namespace win32::registry
