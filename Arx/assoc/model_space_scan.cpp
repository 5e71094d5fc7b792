// Finding the entities of one class in model space.
#include <memory>
#include <strings.h>

#include "acdb.h"
#include "acutads.h"
#include "assoc/association_maintenance.h"
#include "assoc/store_access.h"
#include "dbsymtb.h"

namespace kestra {

namespace {

void printScanMessage(const char* message) { acutPrintf("(Vadu_Util) %s\n", message); }

}  // namespace

Acad::ErrorStatus collectModelSpaceEntities(const char* className, AcDbObjectIdArray& ids)
{
    AcDbDatabase* db = workingDatabase();
    ObjectOpener<AcDbBlockTable> table;
    if (db == nullptr || table.open(db->blockTableId(), AcDb::kForRead) != Acad::eOk) {
        printScanMessage("Cannot open block table!");
        return Acad::eNotApplicable;
    }
    AcDbObjectId modelSpaceId;
    ObjectOpener<AcDbBlockTableRecord> modelSpace;
    if (table->getAt(ACDB_MODEL_SPACE, modelSpaceId) != Acad::eOk ||
        modelSpace.open(modelSpaceId, AcDb::kForRead) != Acad::eOk) {
        printScanMessage("Cannot open the model space block!");
        return Acad::eNotApplicable;
    }
    table.close();
    AcDbBlockTableRecordIterator* rawIterator = nullptr;
    if (modelSpace->newIterator(rawIterator) != Acad::eOk || rawIterator == nullptr) {
        printScanMessage("Cannot create an iterator.");
        return Acad::eNotApplicable;
    }
    std::unique_ptr<AcDbBlockTableRecordIterator> iterator(rawIterator);
    for (; !iterator->done(); iterator->step()) {
        AcDbObjectId id;
        iterator->getEntityId(id);
        ObjectOpener<AcDbEntity> entity(id, AcDb::kForRead);
        if (!entity) {
            printScanMessage("Cannot open an object");
            continue;
        }
        if (strcasecmp(entity->isA()->name(), className) == 0) ids.append(id);
    }
    return Acad::eOk;
}

}  // namespace kestra
