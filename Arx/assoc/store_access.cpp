#include "assoc/store_access.h"

#include "dbapserv.h"

namespace kestra {

AcDbDatabase* workingDatabase() { return acdbHostApplicationServices()->workingDatabase(); }

Acad::ErrorStatus openStore(const char* storeName, AcDb::OpenMode mode, bool create,
                            ObjectOpener<AcDbDictionary>& store)
{
    AcDbDatabase* db = workingDatabase();
    if (db == nullptr) return Acad::eNoDatabase;
    ObjectOpener<AcDbDictionary> named(db->namedObjectsDictionaryId(), AcDb::kForRead);
    if (!named) return named.openStatus();
    AcDbObjectId storeId;
    if (named->getAt(storeName, storeId) == Acad::eOk) {
        named.close();
        return store.open(storeId, mode);
    }
    if (!create) return Acad::eKeyNotFound;
    Acad::ErrorStatus status = named.upgradeOpen();
    if (status != Acad::eOk) return status;
    status = openEntry(*named, storeName, AcDb::kForWrite, true, store);
    if (status == Acad::eOk && mode == AcDb::kForRead) status = store.downgradeOpen();
    return status;
}

Acad::ErrorStatus replaceRecord(AcDbDictionary& dictionary, const char* key, const resbuf* data)
{
    ObjectOpener<AcDbXrecord> record(new AcDbXrecord());
    if (data != nullptr) {
        Acad::ErrorStatus status = record->setFromRbChain(*data);
        if (status != Acad::eOk) return status;
    }
    AcDbObjectId id;
    return dictionary.setAt(key, record.get(), id);
}

}  // namespace kestra
