#include "db/class_registration.h"

#include <vector>

#include "dbdict.h"
#include "dblayout.h"
#include "dbsymtb.h"
#include "dbxrecrd.h"

namespace arx::db {

namespace {

std::vector<void (*)()>& initializers()
{
    static std::vector<void (*)()> list;
    return list;
}

bool& registered()
{
    static bool done = false;
    return done;
}

void registerCoreClasses()
{
    AcDbObject::rxInit();
    AcDbEntity::rxInit();
    AcDbDatabase::rxInit();
    AcDbDictionary::rxInit();
    AcDbXrecord::rxInit();
    AcDbSymbolTable::rxInit();
    AcDbBlockTable::rxInit();
    AcDbLayerTable::rxInit();
    AcDbTextStyleTable::rxInit();
    AcDbLinetypeTable::rxInit();
    AcDbViewTable::rxInit();
    AcDbUCSTable::rxInit();
    AcDbViewportTable::rxInit();
    AcDbRegAppTable::rxInit();
    AcDbDimStyleTable::rxInit();
    AcDbSymbolTableRecord::rxInit();
    AcDbBlockTableRecord::rxInit();
    AcDbLayerTableRecord::rxInit();
    AcDbTextStyleTableRecord::rxInit();
    AcDbLinetypeTableRecord::rxInit();
    AcDbAbstractViewTableRecord::rxInit();
    AcDbViewTableRecord::rxInit();
    AcDbViewportTableRecord::rxInit();
    AcDbUCSTableRecord::rxInit();
    AcDbRegAppTableRecord::rxInit();
    AcDbDimStyleTableRecord::rxInit();
    AcDbBlockBegin::rxInit();
    AcDbBlockEnd::rxInit();
    AcDbPlotSettings::rxInit();
    AcDbLayout::rxInit();
}

// Registered when the library is loaded, so the classes exist before any module asks.
const bool kRegisteredAtLoad = (ensureDatabaseClasses(), true);

}  // namespace

void ensureDatabaseClasses()
{
    if (registered()) return;
    registered() = true;
    registerCoreClasses();
    for (auto init : initializers()) init();
    acrxBuildClassHierarchy();
}

bool addClassInitializer(void (*initializer)())
{
    initializers().push_back(initializer);
    if (registered()) {
        initializer();
        acrxBuildClassHierarchy();
    }
    return true;
}

}  // namespace arx::db
