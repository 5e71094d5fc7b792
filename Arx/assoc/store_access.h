// Opening the dictionaries and records of the association store.
#pragma once
#include "dbdict.h"
#include "dbxrecrd.h"
#include "shell/object_opener.h"

class AcDbDatabase;

namespace kestra {

AcDbDatabase* workingDatabase();

// Opens the store (a dictionary of the named-object dictionary) in the mode given; with
// create a missing store is added first. eKeyNotFound when it is missing.
Acad::ErrorStatus openStore(const char* storeName, AcDb::OpenMode mode, bool create,
                            ObjectOpener<AcDbDictionary>& store);
// Opens the entry of an open dictionary as a T; with create (the dictionary open for write)
// a new T is added under the key when missing.
template <class T>
Acad::ErrorStatus openEntry(AcDbDictionary& dictionary, const char* key, AcDb::OpenMode mode, bool create,
                            ObjectOpener<T>& entry)
{
    AcDbObjectId id;
    if (dictionary.getAt(key, id) == Acad::eOk) return entry.open(id, mode);
    if (!create) return Acad::eKeyNotFound;
    entry.adopt(new T());
    Acad::ErrorStatus status = dictionary.setAt(key, entry.get(), id);
    if (status != Acad::eOk) entry.close();
    return status;
}

// Replaces the record under the key by a new one holding the chain (no data for null).
Acad::ErrorStatus replaceRecord(AcDbDictionary& dictionary, const char* key, const resbuf* data);

}  // namespace kestra
