// Filling a database from a drawing file. The reader makes the database with
// AcDbDatabase(false), creates one DatabaseLoader, gives every object it reads to addObject
// (after dxfIn through a DxfItemFiler of the file type, references resolved with idForHandle)
// and calls finish. While the loader lives the database records no undo and sends no
// notifications. A reader that fails throws the database away.
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "acadstrc.h"
#include "dbhandle.h"
#include "dbid.h"

class AcDbDatabase;
class AcDbObject;

namespace arx::db {

class KindOfClass;
enum class LoaderKind : unsigned char;

class DatabaseLoader {
public:
    explicit DatabaseLoader(AcDbDatabase* db);
    ~DatabaseLoader();
    DatabaseLoader(const DatabaseLoader&) = delete;
    DatabaseLoader& operator=(const DatabaseLoader&) = delete;

    AcDbDatabase* database() const { return mpDb; }

    // Room for about `count` more objects, so that the handle index grows once rather than
    // many times while a large file is read.
    void expectObjects(std::size_t count);

    // The id of a handle met in the file; a reference to an object not read yet reserves
    // the id, which the object takes when it arrives. The null handle gives the null id.
    AcDbObjectId idForHandle(const AcDbHandle& handle);

    // Puts an object read from the file into the database under its handle (a null handle
    // gives it the next free one). The object must be in no database; it is closed when this
    // returns. Its owner is what its 330 group said (set it with setOwnerId before, when the
    // file gives it another way). eHandleInUse when the handle already has an object (the
    // caller still owns the object then).
    Acad::ErrorStatus addObject(AcDbObject* pObj, const AcDbHandle& handle, AcDbObjectId& id);

    // Links what was read: symbol table records into their tables by owner, entities into
    // their blocks in the order they were added (an entity without owner goes to model
    // space), BLOCK/ENDBLK into their block records, block records and layouts to each
    // other; then adds what a drawing must have and the file lacked (tables, *Model_Space,
    // *Paper_Space, layer 0, the three linetypes, ACAD, the dictionaries, the layouts). What
    // the host added while reading (a layer an entity names that the file lacks) and what
    // finish adds take handles above every handle of the file and its $HANDSEED. References
    // to handles no object took are reported in problems (one line each) and read as null.
    Acad::ErrorStatus finish(std::vector<std::string>& problems);

private:
    LoaderKind linkAtOnce(AcDbObjectId id);
    void giveAdditionsFreshHandles();

    AcDbDatabase* mpDb;
    std::unique_ptr<KindOfClass> mpKinds;  // what each class is to the loader, found once
    std::vector<AcDbObjectId> mAdded;
    // The kind of each added object, found as it was added (finish would otherwise visit every
    // object once more only to find it again).
    std::vector<LoaderKind> mAddedKinds;
    bool mFinished = false;
};

}  // namespace arx::db
