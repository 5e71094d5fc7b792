// Looking records and blocks up without opening them (the database's own reads: names of
// layers while filing, the layout of a block).
#pragma once
#include <string>

#include "dbid.h"

class AcDbDatabase;

namespace arx::db {

// The name of a symbol table record ("" for a null or missing id).
std::string recordName(AcDbObjectId recordId);
// The same name as the record holds it ("" likewise), not copied: it lasts while the record's
// name is unchanged.
const char* recordNameText(AcDbObjectId recordId);
// The record of that name in the table (not erased), or the null id.
AcDbObjectId findRecord(AcDbObjectId tableId, const char* name);
// The entry of that key in the dictionary (not erased), or the null id.
AcDbObjectId findEntry(AcDbObjectId dictionaryId, const char* key);
// The layer of that name, added (colour 7, Continuous) when the drawing has none.
AcDbObjectId findOrAddLayer(AcDbDatabase* db, const char* name);
// True for the *Paper_Space blocks (the layouts' blocks other than *Model_Space).
bool isPaperSpaceBlock(AcDbObjectId blockId);
// The name of the layout a block belongs to ("" when it is not a layout's block).
std::string layoutNameOfBlock(AcDbObjectId blockId);

}  // namespace arx::db
