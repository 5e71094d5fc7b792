#include "commands/symbol_records.h"

#include "assoc/store_access.h"
#include "dbsymtb.h"
#include "shell/object_opener.h"

namespace kestra {

namespace {

template <class Table, class Record>
AcDbObjectId recordNamed(AcDbObjectId tableId, const char* name, const std::function<void(Record&)>& setUp)
{
    ObjectOpener<Table> table(tableId, AcDb::kForRead);
    if (!table) return AcDbObjectId();
    AcDbObjectId id;
    if (table->getAt(name, id) == Acad::eOk) return id;
    if (table.upgradeOpen() != Acad::eOk) return AcDbObjectId();
    ObjectOpener<Record> record(new Record());
    if (record->setName(name) != Acad::eOk) return AcDbObjectId();
    if (setUp) setUp(*record);
    if (table->add(id, record.get()) != Acad::eOk) return AcDbObjectId();
    return id;
}

}  // namespace

AcDbObjectId findLayer(const char* name)
{
    ObjectOpener<AcDbLayerTable> table(workingDatabase()->layerTableId(), AcDb::kForRead);
    AcDbObjectId id;
    if (table) table->getAt(name, id);
    return id;
}

AcDbObjectId layerNamed(const char* name, const std::function<void(AcDbLayerTableRecord&)>& setUp)
{
    return recordNamed<AcDbLayerTable, AcDbLayerTableRecord>(workingDatabase()->layerTableId(), name, setUp);
}

AcDbObjectId linetypeNamed(const char* name)
{
    return recordNamed<AcDbLinetypeTable, AcDbLinetypeTableRecord>(workingDatabase()->linetypeTableId(), name, {});
}

}  // namespace kestra
