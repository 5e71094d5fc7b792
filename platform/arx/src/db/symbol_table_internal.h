// Internals of symbol tables and records shared by their implementation files.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "dbsymtb.h"
#include "db/carried_items.h"

namespace arx::db {

struct SymbolTableEntries {
    std::vector<AcDbObjectId> records;
};

// Appends a record id to a table without the checks of add (the file loader).
void linkRecord(AcDbSymbolTable* table, AcDbObjectId recordId);
// True when the name may name a record of the table (non-empty, no forbidden character).
bool isValidRecordName(const char* name);

// Writes "2 name" and "70 flags" (without the flags for block records).
void writeNameAndFlags(AcDbDxfFiler* filer, const AcDbSymbolTableRecord* record, bool withFlags = true);
// Reads a record subclass's groups: 2 and 70 set the name and flags, handle(item) takes the
// groups the class models (true), the others are carried. Stops at extended data.
Acad::ErrorStatus readRecordGroups(AcDbDxfFiler* filer, AcDbSymbolTableRecord* record, CarriedItems& carried,
                                   const std::function<bool(const DxfItem&)>& handle);
void fileCarried(AcDbDwgFiler* filer, const CarriedItems& carried);
Acad::ErrorStatus unfileCarried(AcDbDwgFiler* filer, CarriedItems& carried);
// Sets the name without the duplicate check (readers fill records before they are linked).
void setRecordNameRaw(AcDbSymbolTableRecord* record, const char* name);

}  // namespace arx::db
